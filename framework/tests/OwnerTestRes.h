#define IDD_OUTER      500
#define IDD_INNER      501
#define IDD_OWNER_PAGE 502
#define IDC_RUN_INNER  1501
#define IDD_NOTES_PAGE 503
#define IDC_NOTES      1502
