#define IDD_PAGE1     300
#define IDD_PAGE2     301
#define IDD_PAGE3     302
#define IDC_PAGE_EDIT 1101
#define IDC_PAGE_BTN  1102
#define IDS_SHEET     310
#define IDD_FILEEXTRA 320
#define IDC_EXTRA_BTN 1201
#define IDS_SHARED    402
// resources of the test library
#define IDD_LIBDLG    400
#define IDS_LIBONLY   401
#define IDB_LIBBMP    403
#define IDR_LIBMENU   404
