// Standard command and string ids of the framework (usable from .rc scripts).
#pragma once

#define IDR_MAINFRAME            128

#define ID_FILE_NEW              0xE100
#define ID_FILE_OPEN             0xE101
#define ID_FILE_CLOSE            0xE102
#define ID_FILE_SAVE             0xE103
#define ID_FILE_SAVE_AS          0xE104
#define ID_FILE_PAGE_SETUP       0xE105
#define ID_FILE_PRINT_SETUP      0xE106
#define ID_FILE_PRINT            0xE107
#define ID_FILE_PRINT_DIRECT     0xE108
#define ID_FILE_PRINT_PREVIEW    0xE109
#define ID_FILE_MRU_FILE1        0xE110
#define ID_FILE_MRU_FILE16       0xE11F
#define ID_FILE_MRU_FIRST        ID_FILE_MRU_FILE1
#define ID_FILE_MRU_LAST         ID_FILE_MRU_FILE16

#define ID_EDIT_CLEAR            0xE120
#define ID_EDIT_CLEAR_ALL        0xE121
#define ID_EDIT_COPY             0xE122
#define ID_EDIT_CUT              0xE123
#define ID_EDIT_FIND             0xE124
#define ID_EDIT_PASTE            0xE125
#define ID_EDIT_REPLACE          0xE129
#define ID_EDIT_SELECT_ALL       0xE12A
#define ID_EDIT_UNDO             0xE12B
#define ID_EDIT_REDO             0xE12C

#define ID_WINDOW_NEW            0xE130
#define ID_WINDOW_SPLIT          0xE135

#define ID_APP_ABOUT             0xE140
#define ID_APP_EXIT              0xE141
#define ID_HELP_INDEX            0xE142
#define ID_HELP                  0xE146
#define ID_NEXT_PANE             0xE150
#define ID_PREV_PANE             0xE151

#define ID_VIEW_TOOLBAR          0xE800
#define ID_VIEW_STATUS_BAR       0xE801
#define ID_VIEW_REBAR            0xE804

#define ID_SEPARATOR             0
#define ID_INDICATOR_CAPS        0xE700
#define ID_INDICATOR_NUM         0xE701
#define ID_INDICATOR_SCRL        0xE702

#define AFX_IDS_APP_TITLE        0xE000
#define AFX_IDS_IDLEMESSAGE      0xE001
#define AFX_IDS_OPENFILE         0xF000
#define AFX_IDS_SAVEFILE         0xF001
#define AFX_IDS_ALLFILTER        0xF002
#define AFX_IDS_UNTITLED         0xF003

// Prompts of the document classes
#define AFX_IDP_INVALID_FILENAME      0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC    0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC    0xF102
#define AFX_IDP_ASK_TO_SAVE           0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC  0xF104
#define AFX_IDP_NO_DOC_TEMPLATE       AFX_IDP_FAILED_TO_CREATE_DOC

// Prompts of the data exchange (%1 and %2 stand for the limits)
#define AFX_IDP_PARSE_INT             0xF110
#define AFX_IDP_PARSE_UINT            0xF111
#define AFX_IDP_PARSE_INT_RANGE       0xF112
#define AFX_IDP_PARSE_UINT_RANGE      0xF113
#define AFX_IDP_PARSE_STRING_SIZE     0xF114

#define AFX_IDW_TOOLBAR          0xE800
#define AFX_IDW_STATUS_BAR       0xE801
#define AFX_IDW_REBAR            0xE804
