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
