// Resource ids of Gorvanel.dll.
#pragma once

#define IDD_GORVANEL_EXPORTS    2002
#define IDD_GORVANEL_IMPORT     2011
#define IDC_GV_IMPORT_FOLDER    2004
#define IDC_GV_SELDIR           2006
#define IDC_GV_FOLDER           2007
#define IDC_GV_TEMPLATES        2008
#define IDC_GV_IMPORT_SELDIR    2009
#define IDC_GV_IMPORT_LIST      1241
#define IDC_GV_PICK_LABEL       4009
#define IDC_GV_FOLDER_LABEL     4010
#define IDC_GV_LIST_CAPTION     4011
#define IDI_GV_TEMPLATE         4002
#define IDS_GV_CAPTION          4020
#define IDS_GV_FOLDER_PROMPT    4021
#define IDS_GV_NOTHING_CHOSEN   4022
#define IDS_GV_DAMAGED_TIP      4023
#define IDS_GV_TIP_FORMAT       4024
