#define IDD_OUTER      500
#define IDD_INNER      501
#define IDD_OWNER_PAGE 502
#define IDC_RUN_INNER  1501
