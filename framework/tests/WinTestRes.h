#define IDD_TEST      100
#define IDC_NAME      1001
#define IDC_COUNT     1002
#define IDC_FLAG      1003
#define IDS_HELLO     200
