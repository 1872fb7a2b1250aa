#include "deploy/MenuPackage.h"
#include "deploy/ThemePackList.h"
#include "imaging/xImage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {
fs::path Fixtures()
{
    return fs::path("Z:" + std::string(ZAVO_BINARY_DIR) + "/deploy/package_fixtures");
}

class TopWindow : public CWnd {
public:
    TopWindow() { CreateEx(0, AfxRegisterWndClass(0), "package list test", WS_POPUP | WS_VISIBLE, 30, 30, 500, 400, NULL, NULL); }
    ~TopWindow()
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

// Handles this thread's messages until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

class TempFolder {
public:
    TempFolder()
    {
        m_path = fs::temp_directory_path() /
                 ("packlist_" + std::to_string(::GetCurrentProcessId()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

void CopyPackages(const fs::path& from, const fs::path& to)
{
    for (const auto& e : fs::directory_iterator(from)) {
        if (e.path().extension() == ".zip")
            fs::copy_file(e.path(), to / e.path().filename(), fs::copy_options::overwrite_existing);
    }
}

struct ListFixture {
    TopWindow parent;
    CThemePackList list;
    ListFixture()
    {
        list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 480, 380), &parent, 100);
    }
    bool WaitLoaded(int ms = 10000)
    {
        return PumpUntil([this] { return !list.IsLoading(); }, ms);
    }
};

// The colour of thumbnail `image` at x, y, drawn from the list's large images.
COLORREF ThumbnailPixel(CThemePackList& list, int image, int x, int y)
{
    HIMAGELIST images = (HIMAGELIST)list.SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL);
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ImageList_Draw(images, image, dc, 0, 0, ILD_NORMAL);
    COLORREF c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(NULL, screen);
    return c;
}

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < 40 && abs(GetGValue(a) - GetGValue(b)) < 40 &&
           abs(GetBValue(a) - GetBValue(b)) < 40;
}
}  // namespace

TEST(ThemePackList, ListsValidPackagesWithFramedThumbnails)
{
    ListFixture f;
    ASSERT_TRUE(f.list.ScanFolder(Fixtures().string().c_str()));
    ASSERT_TRUE(f.WaitLoaded());
    // Plain, My.Menu, MixedCase, Broken, BadPicture and two loose fifty-packs; the others are refused.
    ASSERT_EQ(7, f.list.GetPackageCount());
    ASSERT_EQ(7, f.list.GetItemCount());
    int plain = -1, my = -1, broken = -1;
    for (int i = 0; i < 7; ++i) {
        CString text = f.list.GetItemText(i, 0);
        if (text == "plain")
            plain = i;
        if (text == "my")
            my = i;
        if (text == "broken")
            broken = i;
        EXPECT_FALSE(ListView_GetCheckState(f.list.GetSafeHwnd(), i));
    }
    ASSERT_GE(plain, 0);
    ASSERT_GE(my, 0);
    ASSERT_GE(broken, 0);

    // Plain.png is red and twice as wide as high: 64 x 32 at y = 16.
    EXPECT_TRUE(Near(RGB(255, 0, 0), ThumbnailPixel(f.list, plain, 32, 32)));
    EXPECT_EQ(RGB(255, 255, 255), ThumbnailPixel(f.list, plain, 32, 8));
    EXPECT_EQ(RGB(192, 192, 192), ThumbnailPixel(f.list, plain, 0, 0));
    EXPECT_EQ(RGB(192, 192, 192), ThumbnailPixel(f.list, plain, 63, 40));
    // My.png is blue and twice as high as wide: 32 x 64 at x = 16.
    EXPECT_TRUE(Near(RGB(0, 0, 255), ThumbnailPixel(f.list, my, 32, 32)));
    EXPECT_EQ(RGB(255, 255, 255), ThumbnailPixel(f.list, my, 8, 32));
    // A package whose picture cannot be read keeps the placeholder.
    EXPECT_NE(RGB(255, 255, 255), ThumbnailPixel(f.list, broken, 32, 32));
    EXPECT_FALSE(Near(RGB(255, 0, 0), ThumbnailPixel(f.list, broken, 32, 32)));
}

TEST(ThemePackList, SelectionAndPreviewReadOnlyRealIndexes)
{
    ListFixture f;
    ASSERT_TRUE(f.list.ScanFolder(Fixtures().string().c_str()));
    ASSERT_TRUE(f.WaitLoaded());
    int plain = -1;
    for (int i = 0; i < f.list.GetItemCount(); ++i) {
        if (f.list.GetItemText(i, 0) == "plain")
            plain = i;
    }
    ASSERT_GE(plain, 0);

    CString path = "untouched";
    int type = -7;
    EXPECT_EQ(0, f.list.SelectPackage(-1, path, type, FALSE));  // -1 counts as chosen at the start
    EXPECT_EQ(1, f.list.SelectPackage(-1, path, type, TRUE));
    EXPECT_STREQ("untouched", path);
    EXPECT_EQ(-7, type);
    EXPECT_EQ(1, f.list.SelectPackage(plain, path, type, FALSE));
    EXPECT_EQ(0, CString(path).Right(9).Compare("plain.zip"));
    EXPECT_EQ(0, type);
    EXPECT_EQ(1, f.list.SelectPackage(plain, path, type, TRUE));

    CxImage image;
    CString comment;
    EXPECT_EQ(0, f.list.LoadPreview(-1, image, comment));
    EXPECT_EQ(0, f.list.LoadPreview(f.list.GetPackageCount(), image, comment));
    ASSERT_EQ(1, f.list.LoadPreview(plain, image, comment));
    EXPECT_EQ(40u, image.GetWidth());
    EXPECT_EQ(20u, image.GetHeight());
    EXPECT_STREQ("A plain menu", comment);
}

TEST(ThemePackList, RescanWhileLoadingShowsOnlyTheNewScan)
{
    TempFolder folder;
    CopyPackages(Fixtures() / "many", folder.Path());
    ListFixture f;
    ASSERT_TRUE(f.list.ScanFolder(folder.Path().string().c_str()));
    PumpUntil([&f] { return f.list.GetItemCount() > 0; }, 5000);
    EXPECT_TRUE(f.list.IsLoading());
    CString path;
    int type = 0;
    EXPECT_EQ(0, f.list.SelectPackage(0, path, type, TRUE));
    CxImage image;
    CString comment;
    EXPECT_EQ(0, f.list.LoadPreview(0, image, comment));

    fs::copy_file(Fixtures() / "pack50.zip", folder.Path() / "pack50.zip");
    fs::copy_file(Fixtures() / "pack51.zip", folder.Path() / "pack51.zip");
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(f.list.Rescan());
    ASSERT_TRUE(f.WaitLoaded(10000));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    ASSERT_EQ(52, f.list.GetItemCount());
    for (int i = 0; i < 52; ++i) {
        EXPECT_EQ(0, f.list.SelectPackage(i, path, type, TRUE) - 1);
        EXPECT_STREQ(GetFileTitleNoExt(path), f.list.GetItemText(i, 0)) << i;
    }
}

TEST(ThemePackList, DestroyedWhileLoading)
{
    TempFolder folder;
    CopyPackages(Fixtures() / "many", folder.Path());
    TopWindow parent;
    for (int round = 0; round < 3; ++round) {
        CThemePackList* list = new CThemePackList;
        list->Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 480, 380), &parent, 100);
        ASSERT_TRUE(list->ScanFolder(folder.Path().string().c_str()));
        PumpUntil([list, round] { return list->GetItemCount() > round * 10; }, 3000);
        if (round == 2)
            list->DestroyWindow();
        delete list;
    }
    // and once without a window at all
    CThemePackList bare;
    EXPECT_EQ(1, bare.StopWorker());
}

TEST(ThemePackList, StopWorkerKeepsAQuitForTheMainLoop)
{
    TempFolder folder;
    CopyPackages(Fixtures() / "many", folder.Path());
    ListFixture f;
    ASSERT_TRUE(f.list.ScanFolder(folder.Path().string().c_str()));
    ::PostQuitMessage(7);
    EXPECT_EQ(1, f.list.StopWorker());
    EXPECT_FALSE(f.list.IsLoading());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

namespace {
// A window whose posted message runs `call` from inside whatever pump
// handles it, as a second Next or a Rescan reaches the page during a wait.
class NestedCaller : public CWnd {
public:
    static const UINT kMsgCall = WM_APP + 40;
    std::function<void()> call;
    NestedCaller() { CreateEx(0, AfxRegisterWndClass(0), "nested", WS_POPUP, 0, 0, 10, 10, NULL, NULL); }
    ~NestedCaller()
    {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kMsgCall) {
            call();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Ends the process when an outer wait never returns (it spun at full CPU).
class Watchdog {
public:
    explicit Watchdog(DWORD milliseconds) : m_done(::CreateEvent(NULL, TRUE, FALSE, NULL)), m_ms(milliseconds)
    {
        m_thread = ::CreateThread(NULL, 0, Run, this, 0, NULL);
    }
    ~Watchdog()
    {
        ::SetEvent(m_done);
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_done);
    }

private:
    static DWORD WINAPI Run(LPVOID param)
    {
        Watchdog* self = static_cast<Watchdog*>(param);
        if (::WaitForSingleObject(self->m_done, self->m_ms) == WAIT_TIMEOUT) {
            fprintf(stderr, "the outer wait did not return\n");
            fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 3);
        }
        return 0;
    }
    HANDLE m_done;
    DWORD m_ms;
    HANDLE m_thread;
};

struct NestedWaitFixture : ListFixture {
    TempFolder folder;
    NestedCaller caller;
    int nested = -1;
    NestedWaitFixture()
    {
        CopyPackages(Fixtures() / "many", folder.Path());
        EXPECT_TRUE(list.ScanFolder(folder.Path().string().c_str()));
        EXPECT_TRUE(list.IsLoading());
        caller.PostMessage(NestedCaller::kMsgCall);
    }
};
}  // namespace

TEST(ThemePackListNestedWait, SecondWaitInsideTheFirstIsRefusedAndTheFirstEnds)
{
    NestedWaitFixture f;
    f.caller.call = [&f] { f.nested = f.list.WaitWorker(); };
    Watchdog watchdog(20000);
    EXPECT_EQ(1, f.list.WaitWorker());
    EXPECT_EQ(0, f.nested);
    EXPECT_FALSE(f.list.IsLoading());
    EXPECT_EQ(50, f.list.GetItemCount());
    EXPECT_EQ(1, f.list.WaitWorker());
}

TEST(ThemePackListNestedWait, RescanInsideAWaitIsRefusedAndTheListFinishes)
{
    NestedWaitFixture f;
    f.caller.call = [&f] { f.nested = f.list.Rescan(); };
    Watchdog watchdog(20000);
    EXPECT_EQ(1, f.list.WaitWorker());
    EXPECT_EQ(FALSE, f.nested);
    EXPECT_FALSE(f.list.IsLoading());
    EXPECT_EQ(50, f.list.GetItemCount());
    CString path;
    int type = 0;
    EXPECT_EQ(1, f.list.SelectPackage(49, path, type, TRUE));
    EXPECT_FALSE(path.IsEmpty());
}

TEST(ThemePackListNestedWait, WaitInsideARescanIsRefusedAndTheRescanEnds)
{
    NestedWaitFixture f;
    f.caller.call = [&f] { f.nested = f.list.WaitWorker(); };
    Watchdog watchdog(20000);
    EXPECT_TRUE(f.list.Rescan());
    EXPECT_EQ(0, f.nested);
    EXPECT_TRUE(f.WaitLoaded());
    EXPECT_EQ(50, f.list.GetItemCount());
}

// The packages the studio's menu generation writes (run by ctest after the
// generation test, which names their folder).
TEST(ThemePackList, ListsTheStudiosOwnPackages)
{
    const char* folder = getenv("ZAVO_STUDIO_PACKAGES");
    if (!folder)
        GTEST_SKIP() << "runs after the menu generation test";
    const std::string sample = std::string(folder) + "\\Sample.zip";
    EXPECT_EQ(1, IsValidMenuPackage(sample.c_str()));
    CxImage preview;
    ASSERT_EQ(1, CThemePackList::LoadThumbnailImage(preview, sample.c_str()));
    EXPECT_GT(preview.GetWidth(), 0u);

    ListFixture f;
    ASSERT_TRUE(f.list.ScanFolder(folder));
    ASSERT_TRUE(f.WaitLoaded());
    ASSERT_EQ(2, f.list.GetItemCount());
    for (int i = 0; i < 2; ++i) {
        CString text = f.list.GetItemText(i, 0);
        EXPECT_TRUE(text == "sample" || text == "bare") << (LPCTSTR)text;
        // a drawn preview, not the placeholder's light grey
        EXPECT_NE(RGB(232, 232, 232), ThumbnailPixel(f.list, i, 20, 32));
    }
    CxImage image;
    CString comment;
    ASSERT_EQ(1, f.list.LoadPreview(0, image, comment));
    EXPECT_FALSE(comment.IsEmpty());
}
