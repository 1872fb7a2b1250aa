// Resource ids of Tessumgr.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#define IDD_ABOUTBOX                    100
#define IDS_ABOUTBOX                    101
#define IDS_VD_TIP                      102
#define IDS_BL_TIP                      103
#define IDS_BI_TIP                      104
#define IDD_TESSUMGR_DIALOG             102
#define IDR_MAINFRAME                   128
#define IDI_BROWSE                      130
#define IDD_DRIVEMAP                    158
#define IDD_MENUEDIT                    159

#define IDR_BANNER_BACK                 129
#define IDR_IMG_QUICK                   130
#define IDR_IMG_VDISK                   131
#define IDR_IMG_DRIVEMAP                132
#define IDR_IMG_RADIO_OFF               133
#define IDR_IMG_RADIO_ON                134
#define IDR_IMG_BUTTON                  135
#define IDR_IMG_RELOAD                  136
#define IDR_IMG_OPEN                    137
#define IDR_IMG_WEB                     138
#define IDR_IMG_ABOUT                   139
#define IDR_IMG_MAP_BANNER              146
#define IDR_IMG_ALERT                   147
#define IDR_THEME_PACKAGE               152
#define IDR_BANNER_MOVING               153

#define IDC_RADIO_VDISK                 1000
#define IDC_RADIO_LOADER                1001
#define IDC_INFO_BAND                   1002
#define IDC_HEADER                      1003
#define IDC_PIC_FLOPPY                  1004
#define IDC_PIC_QUICK                   1005
#define IDC_ASSEMBLE                    1006
#define IDC_IMAGE_PATH                  1008
#define IDC_LOADER_PATH                 1009
#define IDC_PIC_BOOTINI                 1010
#define IDC_PIC_RELOAD_IMAGE            1011
#define IDC_PIC_DRIVEMAP                1012
#define IDC_BOOTINI_PATH                1013
#define IDC_PIC_RELOAD_LOADER           1015
#define IDC_PIC_OPEN_BOOTINI            1016
#define IDC_PIC_ABOUT                   1017
#define IDC_PIC_WEB                     1018
#define IDC_LABEL_IMAGE                 1024
#define IDC_LABEL_IMAGE2                1025
#define IDC_LABEL_BOOTINI               1026
#define IDC_LABEL_LOADER                1027

#define IDC_ABOUT_OK                    1018
#define IDC_LINK_MAIL1                  1013
#define IDC_LINK_MAIL2                  1016
#define IDC_LINK_MAIL3                  1015
#define IDC_LINK_WEB                    1021
#define IDC_ABOUT_TITLE                 1019
#define IDC_ABOUT_COPYRIGHT             1022
#define IDC_ABOUT_CONTACT               1023

#define IDC_MAP_LIST                    1008
#define IDC_MAP_OK                      1018
#define IDC_MAP_CANCEL                  1023
#define IDC_MAP_NOTE                    1028
#define IDC_MAP_ALERT                   1022
#define IDC_MAP_BANNER                  1019

#define IDC_EDIT_TEXT                   1034
#define IDC_EDIT_OK                     1018
#define IDC_EDIT_CANCEL                 1023
#define IDC_EDIT_BANNER                 1019

#define WM_TESSU_EXPERT                 0x464
