// Resource ids of the studio.
#pragma once

#define IDD_ABOUTBOX        100
#define IDR_ZAVOMGRTYPE     117
#define IDS_APP_CAPTION     122
#define IDC_ABOUT_BUILD     1034
#define IDC_ABOUT_HOMEPAGE  1056
#define IDC_ABOUT_VERSION   1113
#define IDC_ABOUT_SUBPAGE   1115

#ifndef ID_FILE_NEW
#define ID_FILE_NEW         0xE100
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN        0xE101
#endif
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE       0xE102
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE        0xE103
#endif
#ifndef ID_FILE_SAVE_AS
#define ID_FILE_SAVE_AS     0xE104
#endif
#ifndef ID_FILE_PRINT_SETUP
#define ID_FILE_PRINT_SETUP 0xE106
#endif
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1   0xE110
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT        0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT         0xE141
#endif

// Project settings dialog
#define IDD_GLOBALSET           130
#define IDC_GS_GRIDHEIGHT       164
#define IDC_GS_MARGINTOP        165
#define IDC_GS_GRIDWIDTH        209
#define IDC_GS_MARGINLEFT       1004
#define IDC_GS_MARGINRIGHT      1006
#define IDC_GS_MARGINBOTTOM     1007
#define IDC_GS_WALLPAPER        1023
#define IDC_GS_RESOLUTION       1024
#define IDC_GS_RESOLUTIONTEXT   1025
#define IDC_GS_BROWSE           1027
#define IDC_GS_DEFAULT          1029
#define IDC_GS_TIMEOUT          1030
#define IDC_GS_QUICKGO          1046
#define IDC_GS_CENTERCURSOR     1049
#define IDS_GS_CHOOSEIMAGE      61468
#define IDS_GS_IMAGEFILTER      61471

// Menus and bars of the main frame (menubars.rc)
#define IDB_MAINTOOLBAR     108
#define IDB_ELEMENTTOOLBAR  109
#define IDR_ELEMENTBAR      112
#define IDB_NOTIFIER_SKIN   120
#define IDR_MENUIMAGES      186
#define IDR_POSITIONBAR     187
#define IDC_POS_LEFT        188
#define IDC_POS_TOP         189
#define IDC_POS_WIDTH       190
#define IDC_POS_HEIGHT      191
#define IDC_POS_LEFT_SPIN   192
#define IDC_POS_TOP_SPIN    193
#define IDC_POS_WIDTH_SPIN  194
#define IDC_POS_HEIGHT_SPIN 195
#define IDC_POS_LEFT_CAP    196
#define IDC_POS_TOP_CAP     197
#define IDC_POS_WIDTH_CAP   198
#define IDC_POS_HEIGHT_CAP  199

// Project document
#define ID_WEB_PREVIEW          32817
#define IDS_WEB_PROGRESS_SCRIPT 61457
#define IDS_WEB_STEP_FOLDER     61525
#define IDS_WEB_STEP_WALLPAPER  61526
#define IDS_WEB_STEP_ELEMENTS   61527
#define IDS_WEB_STEP_PAGE       61528
#define IDS_WEB_STEP_DONE       61529
#define IDS_WEB_CANNOT_WRITE    61585
#define IDS_WEB_CANNOT_OPEN     61586

// Built-in theme pictures (type CTRL_IMGS) and the wait dialog (themes.rc)
#define IDR_CTRL_VCHUNK         135
#define IDR_CTRL_VTRACK         136
#define IDR_CTRL_DISABLED       137
#define IDR_CTRL_HOVER          138
#define IDR_CTRL_NORMAL         139
#define IDR_CTRL_SELECTED       140
#define IDR_CTRL_CHUNK          145
#define IDR_CTRL_TRACK          146
#define IDR_CTRL_PICTURE        149
#define IDD_WAITDIALOG          23040
#define IDC_WAIT_TEXT           23041
#define IDC_WAIT_PROGRESS       23042
#define IDS_WAIT_CAPTION        61515
#define IDS_WAIT_TEXT           61516

// Deployment wizard pages (dialog 150 is the progress bar's property dialog)
#define IDD_DEPWIZ_STEP1        102
#define IDD_DEPWIZ_STEP2        309
#define IDD_DEPWIZ_STEP3        310
#define IDS_DEPWIZ_CAPTION      61497
#define IDI_DEPWIZ_TARGET       128
#define IDI_DEPWIZ_OPTIONS      129
#define IDC_DW_SEPARATOR        12326
// first page
#define IDC_DW_PACKLIST         1003
#define IDC_DW_TICKALL          218
#define IDC_DW_RESCAN           217
#define IDC_DW_ITEMTHUMB        1001
#define IDC_DW_DEFAULTTHUMB     216
#define IDC_DW_ITEMCAPTION      1128
#define IDC_DW_DEFAULTCAPTION   1126
#define IDC_DW_COMMENT          1110
#define IDC_DW_SPLASH           215
#define IDC_DW_PASSWORD         1109
#define IDC_DW_PASSWORDLABEL    1129
#define IDC_DW_RESOLUTIONBAR    1024
#define IDC_DW_LOWLABEL         1071
#define IDC_DW_HIGHLABEL        1072
#define IDC_DW_RESOLUTIONTEXT   1025
#define IDC_DW_OPTIONSFRAME     1124
#define IDC_DW_PREVIEWFRAME     1125
// second page
#define IDC_DW_MBRBOX           1111
#define IDC_DW_STATUS           1040
#define IDC_DW_ANIMATION        1101
#define IDC_DW_ISOBOX           1044
#define IDC_DW_HDDBOX           1107
#define IDC_DW_PARTITION        1043
#define IDC_DW_DISK             1033
#define IDC_DW_ISOSOURCE        1037
#define IDC_DW_ISOTARGET        166
#define IDC_DW_DEVICE           1112
#define IDC_DW_DEVICEHINT       1127
#define IDC_DW_KEEPKELBOOT      1131
#define IDC_DW_PROGRESS         1042
#define IDC_DW_BUILD            1108
#define IDC_DW_SOURCELABEL      1085
#define IDC_DW_TARGETLABEL      1086
#define IDC_DW_PARTLABEL        1088
#define IDC_DW_DEVICELABEL      1090
#define IDC_DW_DISKLABEL        1130
#define IDC_DW_STEP3TEXT        1132
#define IDS_DW_ISOMODE          61473
#define IDS_DW_HDDMODE          61474
#define IDS_DW_ASSEMBLE         61482
#define IDS_DW_DEPLOYING        61483
#define IDS_DW_MAKEISO          61484
#define IDS_DW_ISOCAPTION       61487
#define IDS_DW_REPLACEISO       61488
#define IDS_DW_NOISOPATH        61489
#define IDS_DW_HDDDONE          61491
#define IDS_DW_ISODONE          61492
#define IDS_DW_ZAVOINI          61500
#define IDS_DW_MENUFILES        61501
#define IDS_DW_ZAVOSYS          61502
#define IDS_DW_STEP1TITLE       61505
#define IDS_DW_STEP1DESC        61506
#define IDS_DW_NODEFAULT        61508
#define IDS_DW_BUILDCAPTION     61509
#define IDS_DW_STEP2TITLE       61510
#define IDS_DW_STEP2DESC        61511
#define IDS_DW_NODEVICE         61512
#define IDS_DW_UNSUPPORTED      61513
#define IDS_DW_NOSOURCE         61523
#define IDS_DW_NOACCESS         61524
#define IDS_DW_CREATE           61538
#define IDS_DW_NOPARTITION      61570
#define IDS_DW_BOOTPATHLONG     61571
#define IDS_DW_NOEMULATOR       61572
#define IDS_DW_LEFTOUT          61573
#define IDS_DW_NOISOFOLDER      61574
#define IDS_DW_BADISONAME       61575
#define ID_MULTI_BOOT           32823

// Status bar pane pictures
#define IDB_STATUS_POSITION     131
#define IDB_STATUS_SIZE         144

// Menu generation dialog, its texts, animation and built-in pointers (genmenu.rc)
#define ID_CREATE_MENU          32793
#define IDD_GENMENU             184
#define IDR_GENMENU_AVI         141
#define IDR_POINTER_CURSOR_GZ   159
#define IDR_POINTER_HAND_GZ     161
#define IDC_GM_PREVIEW          1001
#define IDC_GM_BROWSE           1012
#define IDC_GM_STATUS           1040
#define IDC_GM_HIDDEN           1055
#define IDC_GM_NAME             1093
#define IDC_GM_DESCRIPTION      1094
#define IDC_GM_THEMEPATH        1095
#define IDC_GM_GENERATE         1096
#define IDC_GM_KEEPFILES        1097
#define IDC_GM_ANIMATION        1101
#define IDC_GM_QUALITYBAR       1102
#define IDC_GM_QUALITY          1103
#define IDC_GM_NAMELABEL        1119
#define IDC_GM_DESCLABEL        1120
#define IDS_GM_CHOOSETHEME      61463
#define IDS_GM_THEMEFILTER      61470
#define IDS_GM_COLLECT          61472
#define IDS_GM_WALLPAPER        61476
#define IDS_GM_ELEMENTS         61477
#define IDS_GM_JPEG             61479
#define IDS_GM_POINTERS         61480
#define IDS_GM_INIFILE          61481
#define IDS_GM_DONE             61486
#define IDS_GM_ROMFS            61493
#define IDS_GM_PREVIEW          61494
#define IDS_GM_DESCRIPTION      61495
#define IDS_GM_CLEANUP          61496
#define IDS_GM_ZIPPED           61498
#define IDS_GM_ZIPFAILED        61499
#define IDS_GM_BANNERTITLE      61503
#define IDS_GM_BANNERTEXT       61504
#define IDS_GM_RESOLUTION       61507
#define IDS_GM_NEEDNAME         61519
#define IDS_GM_REPLACE          61520
#define IDS_GM_PROJECT          61521
#define IDS_GM_BADNAME          61540
#define IDS_GM_FAILED           61541
#define IDS_GM_ERR_WORKFOLDER   61542
#define IDS_GM_ERR_ELEMENTPICS  61543
#define IDS_GM_ERR_WALLREAD     61544
#define IDS_GM_ERR_WALLJPEG     61545
#define IDS_GM_ERR_POINTERTHEME 61546
#define IDS_GM_ERR_POINTERS     61547
#define IDS_GM_ERR_WALLWRITE    61548
#define IDS_GM_ERR_ELEMENTS     61549
#define IDS_GM_ERR_WALLCONVERT  61550
#define IDS_GM_ERR_INIFILE      61551
#define IDS_GM_ERR_KEEPFILES    61552
#define IDS_GM_ERR_ROMFS        61553
#define IDS_GM_ERR_GZIP         61554
#define IDS_GM_ERR_PREVIEW      61555
#define IDS_GM_ERR_DESCRIPTION  61556
#define IDS_GM_ERR_MENUSFOLDER  61557
#define IDS_GM_ERR_NOFILE       61558
#define IDS_GM_ERR_ZIP          61559
#define IDS_GM_ERR_REPLACEZIP   61560
// Design canvas context menu texts
#define IDS_CANVAS_CUT          219
#define IDS_CANVAS_COPY         220
#define IDS_CANVAS_PASTE        221
#define IDS_CANVAS_GROUP        222
#define IDS_CANVAS_UNGROUP      223
#define IDS_ELEMENT_CUT         300
#define IDS_ELEMENT_COPY        301
#define IDS_ELEMENT_DUPLICATE   302
#define IDS_ELEMENT_NUMBER_UP   303
#define IDS_ELEMENT_NUMBER_DOWN 304
#define IDS_ELEMENT_NUMBER_TOP  305
#define IDS_ELEMENT_NUMBER_LAST 306
#define IDS_ELEMENT_PROPERTIES  307

// Main frame and view: commands, panes, the password dialog (frame.rc)
#ifndef ID_FILE_PRINT
#define ID_FILE_PRINT           0xE107
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY            0xE122
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT             0xE123
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE           0xE125
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO            0xE12B
#endif
#ifndef ID_NEXT_PANE
#define ID_NEXT_PANE            0xE150
#endif
#ifndef ID_PREV_PANE
#define ID_PREV_PANE            0xE151
#endif
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR         0xE800
#endif
#define ID_NEW_PROGRESS         23043
#define ID_ELEMENT_PROPERTIES   32770
#define ID_NEW_PICTURE          32772
#define ID_PROJECT_PROPERTIES   32774
#define ID_NEW_BUTTON           32775
#define ID_NEW_STATIC           32777
#define ID_SCALE_25             32778
#define ID_SCALE_50             32779
#define ID_SCALE_100            32780
#define ID_SCALE_150            32781
#define ID_SCALE_200            32782
#define ID_SCALE_UP             32783
#define ID_SCALE_DOWN           32784
#define ID_SELECT_ALL           32792
#define ID_SNAP_GRID            32802
#define ID_SHOW_GRID            32804
#define ID_SHOW_MARGINS         32806
#define ID_KEEP_INSIDE          32807
#define ID_ALIGN_LEFT           32808
#define ID_ALIGN_RIGHT          32809
#define ID_ALIGN_TOP            32810
#define ID_ALIGN_BOTTOM         32811
#define ID_SAME_SIZE            32812
#define ID_ORDER_UP             32813
#define ID_ORDER_DOWN           32814
#define ID_ORDER_TOP            32815
#define ID_ORDER_BOTTOM         32816
#define ID_VIEW_ELEMENTBAR      32818
#define ID_STOP_PLACING         32819
#define ID_MULTI_CREATE         32821
#define ID_VIEW_POSITIONBAR     32822
#define ID_HELP_CONTENTS        32825
#define ID_TOOL_GRUBMD5         32827
#define ID_TOOL_ISOMD5          32833
#define ID_TOOL_TESSUMGR        32834
#define ID_SHOW_NUMBERS         32836
#define ID_TOOL_PELSYS          32837
#define ID_TOOL_CMDPROMPT       32838
#define ID_INDICATOR_POSITION   61446
#define ID_INDICATOR_SIZE       61447
#define IDS_POSITION_PANE       61446
#define IDS_SIZE_PANE           61447
#define IDS_HELP_MISSING        61517
#define IDS_HELP_CAPTION        61518
#define IDD_GENMD5              106
#define IDC_MD5_CHECK           201
#define IDC_MD5_MAKE            202
#define IDC_MD5_PASSWORD        207
#define IDC_MD5_HASH            1047
#define IDS_MD5_EMPTY           61458
#define IDS_MD5_TOOLONG         61459
#define IDS_MD5_FILLIN          61460
#define IDS_MD5_MATCH           61461
#define IDS_MD5_MISMATCH        61462

// Element property dialogs of the menu entry, picture, text and progress bar (proptypes.rc)
#define IDD_PICTUREPRP          133
#define IDD_BUTTONPRP           143
#define IDD_STATICPRP           147
#define IDD_PROGRESSPRP         150
#define IDC_PT_HOVERLABEL       113
#define IDC_PT_MAKEHOVER        118
#define IDC_PT_MAKECHUNK        172
#define IDC_PT_CAPTURE          183
#define IDC_PT_HOVERFILE        203
#define IDC_PT_PASSWORD         204
#define IDC_PT_HOVERPICK        206
#define IDC_PT_THEMEFILE        208
#define IDC_PT_FONT             1002
#define IDC_PT_COLOR            1005
#define IDC_PT_CAPTION          1008
#define IDC_PT_APPLY            1009
#define IDC_PT_THEMEPREVIEW     1010
#define IDC_PT_TITLE            1011
#define IDC_PT_THEMEPICK        1012
#define IDC_PT_CENTER           1013
#define IDC_PT_LEFT             1014
#define IDC_PT_RIGHT            1015
#define IDC_PT_COMMANDS         1016
#define IDC_PT_TEMPLATE         1017
#define IDC_PT_SHORTKEY         1018
#define IDC_PT_QUICKGO          1019
#define IDC_PT_ASMENU           1020
#define IDC_PT_PREVIEW          1022
#define IDC_PT_BARPREVIEW       1031
#define IDC_PT_BARTHEME         1032
#define IDC_PT_MAINGROUP        1059
#define IDC_PT_TITLELABEL       1060
#define IDC_PT_COMMANDSLABEL    1061
#define IDC_PT_KEYLABEL         1062
#define IDC_PT_THEMELABEL       1063
#define IDC_PT_CAPTIONLABEL     1064
#define IDC_PT_KEYLABEL2        1065
#define IDC_PT_PICTURELABEL     1066
#define IDC_PT_BARPREVIEWLABEL  1067
#define IDC_PT_COLORPREVIEWLABEL 1068
#define IDC_PT_OVERLAY          1089
#define IDC_PT_COLORPREVIEW     1091
#define IDC_PT_PASSMODE         1092
#define IDS_PT_INCOMPLETE       61464
#define IDS_PT_NOPICTURE        61465
#define IDS_PT_CHOOSEBARTHEME   61466
#define IDS_PT_TOOLONG          61590
#define IDS_PT_UNREADABLE       61591

// Screen capture dialog
#define IDD_SCREENCAPTURE       111
#define IDC_CAPTURE_CROSS       173
#define IDC_CAPTURE_NWSE        174
#define IDC_CAPTURE_NESW        175
#define IDC_CAPTURE_MOVE        176
#define IDC_CAPTURE_WE          177
#define IDC_CAPTURE_NS          178
#define IDB_CAPTURE_INFO        179
#define IDI_CAPTURE             181
#define IDC_CAPTURE_INFO        200
#define IDS_CAPTURE_START       61530
#define IDS_CAPTURE_DRAWING     61531
#define IDS_CAPTURE_SELECTED    61532
#define IDS_CAPTURE_FONT        61533
#define IDS_CAPTURE_WIDTHTEXT   61534
#define IDS_CAPTURE_TOPLEFT     61535
#define IDS_CAPTURE_SIZE        61536
#define IDS_CAPTURE_CURSOR      61537
#define IDS_PRP_TPL_CAPTION     4020
#define IDS_PRP_TPL_FOLDER      4021
#define IDS_PRP_TPL_NONE        4022
#define IDS_PRP_TPL_DAMAGED     4023
#define IDS_PRP_TPL_TOOLTIP     4024
#define IDS_PRP_BADTEMPLATE     61522

// labels and group boxes, so that the language file can name them
#define IDC_GS_WALLPAPER_LABEL  1900
#define IDC_GS_SMALLER_LABEL    1901
#define IDC_GS_LARGER_LABEL     1902
#define IDC_GS_DEFAULT_LABEL    1903
#define IDC_GS_TIMEOUT_LABEL    1904
#define IDC_GS_GRID_GROUP       1905
#define IDC_GS_GRIDHEIGHT_LABEL 1906
#define IDC_GS_GRIDWIDTH_LABEL  1907
#define IDC_GS_MARGINS_GROUP    1908
#define IDC_GS_LEFT_LABEL       1909
#define IDC_GS_TOP_LABEL        1910
#define IDC_GS_RIGHT_LABEL      1911
#define IDC_GS_BOTTOM_LABEL     1912
#define IDC_MD5_PLAIN_LABEL     1913
#define IDC_MD5_HASH_LABEL      1914
#define IDC_GM_POINTER_GROUP    1915
#define IDC_GM_QUALITY_GROUP    1916
