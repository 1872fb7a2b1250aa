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
