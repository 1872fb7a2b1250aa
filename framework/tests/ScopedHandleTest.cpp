#include "framework/ScopedHandle.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "framework/tests/TempDir.h"

namespace {

// Records every release, so that a test sees what an owner let go of.
std::vector<int> g_released;

struct CountedTraits {
    typedef int Type;
    static Type Null() { return 0; }
    static void Release(Type h) { g_released.push_back(h); }
};

typedef TScopedHandle<CountedTraits> Owned;
typedef TScopedHandle<CountedTraits, false> Borrowed;

class ScopedHandle : public ::testing::Test {
protected:
    void SetUp() override { g_released.clear(); }
};

bool UseAndLeaveEarly(bool early)
{
    Owned h(7);
    if (early)
        return false;
    Owned other(8);
    return true;
}

TEST_F(ScopedHandle, ReleasedOnEveryReturnPath)
{
    UseAndLeaveEarly(true);
    EXPECT_EQ(std::vector<int>({7}), g_released);
    g_released.clear();
    UseAndLeaveEarly(false);
    EXPECT_EQ(std::vector<int>({8, 7}), g_released);
}

TEST_F(ScopedHandle, MovedFromOwnerReleasesNothing)
{
    {
        Owned a(3);
        Owned b(static_cast<Owned&&>(a));
        EXPECT_FALSE(a.IsValid());
        EXPECT_EQ(3, b.Get());
        Owned c;
        c = static_cast<Owned&&>(b);
        EXPECT_TRUE(g_released.empty());
    }
    EXPECT_EQ(std::vector<int>({3}), g_released);
}

TEST_F(ScopedHandle, MoveAssignmentReleasesWhatTheTargetHeld)
{
    Owned a(1), b(2);
    a = static_cast<Owned&&>(b);
    EXPECT_EQ(std::vector<int>({1}), g_released);
    EXPECT_EQ(2, a.Get());
}

TEST_F(ScopedHandle, ResetAndDetach)
{
    Owned a(5);
    a.Reset(6);
    EXPECT_EQ(std::vector<int>({5}), g_released);
    a.Reset(6);  // the same handle again is not released
    EXPECT_EQ(1u, g_released.size());
    EXPECT_EQ(6, a.Detach());
    EXPECT_FALSE(a.IsValid());
    a.Reset();
    EXPECT_EQ(1u, g_released.size());
}

TEST_F(ScopedHandle, BorrowedHandleIsNeverReleased)
{
    {
        Borrowed a(9);
        a.Reset(10);
        Borrowed b(static_cast<Borrowed&&>(a));
        EXPECT_EQ(10, b.Get());
    }
    EXPECT_TRUE(g_released.empty());
}

// Writes text through an owner and leaves early or at the end; either way the
// stream is closed, so its buffer reaches the file.
void WriteAndLeave(const CString& path, bool early)
{
    CScopedFile f(fopen(FwNativePath(path), "wb"));
    ASSERT_TRUE(f.IsValid());
    fputs("kept", f);
    if (early)
        return;
    fputs(" too", f);
}

std::string ReadText(const CString& path)
{
    CScopedFile in(fopen(FwNativePath(path), "rb"));
    if (!in.IsValid())
        return "<missing>";
    char buf[32] = {0};
    size_t got = fread(buf, 1, sizeof buf - 1, in);
    return std::string(buf, got);
}

TEST(ScopedFile, ClosedOnEveryReturnPath)
{
    TempDir dir;
    WriteAndLeave(dir / "early.txt", true);
    WriteAndLeave(dir / "late.txt", false);
    EXPECT_EQ("kept", ReadText(dir / "early.txt"));
    EXPECT_EQ("kept too", ReadText(dir / "late.txt"));
}

TEST(ScopedFile, MovedFromOwnerClosesNothing)
{
    TempDir dir;
    {
        CScopedFile a(fopen(FwNativePath(dir / "a.txt"), "wb"));
        CScopedFile b(static_cast<CScopedFile&&>(a));
        EXPECT_FALSE(a.IsValid());
        EXPECT_TRUE(a.Close());  // nothing held: nothing to fail
        {
            CScopedFile gone(static_cast<CScopedFile&&>(b));
        }
        EXPECT_FALSE(b.IsValid());
        CScopedFile c(fopen(FwNativePath(dir / "c.txt"), "wb"));
        fputs("first", c);
        CScopedFile d(fopen(FwNativePath(dir / "d.txt"), "wb"));
        fputs("second", d);
        c = static_cast<CScopedFile&&>(d);  // c's own stream is closed here
        EXPECT_EQ("first", ReadText(dir / "c.txt"));
        EXPECT_FALSE(d.IsValid());
        EXPECT_EQ(0, ferror(c.Get()));
        fputs(" more", c);
        EXPECT_TRUE(c.Close());
    }
    EXPECT_EQ("second more", ReadText(dir / "d.txt"));
}

TEST(ScopedFile, CheckedCloseReportsAFailedClose)
{
    TempDir dir;
    CScopedFile f(fopen(FwNativePath(dir / "lost.txt"), "wb"));
    ASSERT_TRUE(f.IsValid());
    fputs("never written", f);
    // the descriptor goes first, so the final flush and close both fail
#ifdef _WIN32
    _close(_fileno(f));
#else
    close(fileno(f));
#endif
    EXPECT_FALSE(f.Close());
    EXPECT_FALSE(f.IsValid());
}

TEST(ScopedFile, CheckedCloseReportsAnEarlierFailedWrite)
{
    TempDir dir;
    const CString path = dir / "read-only.txt";
    WriteAndLeave(path, true);
    CScopedFile f(fopen(FwNativePath(path), "rb"));
    ASSERT_TRUE(f.IsValid());
    EXPECT_EQ(EOF, fputs("not for a reading stream", f));
    EXPECT_FALSE(f.Close());
}

#ifdef _WIN32
TEST(GdiHandle, OwnedObjectIsDeletedBorrowedOneStays)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = ::CreateSolidBrush(RGB(4, 5, 6));
    {
        CScopedPen owned(pen);
        TGdiHandle<HBRUSH, false> borrowed(brush);
        EXPECT_EQ((DWORD)OBJ_PEN, ::GetObjectType(owned));
    }
    EXPECT_EQ(0u, ::GetObjectType(pen));
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(brush));
    ::DeleteObject(brush);
}

TEST(GdiHandle, DibSectionAndMemoryDCAreReleased)
{
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(NULL, screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 4;
    bi.bmiHeader.biHeight = 4;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    {
        CScopedMemDC ownedDC(dc);
        CScopedBitmap ownedBitmap(bmp);
        ASSERT_TRUE(ownedBitmap.IsValid());
    }
    EXPECT_EQ(0u, ::GetObjectType(bmp));
    EXPECT_EQ(0u, ::GetObjectType(dc));
}

TEST(KernelHandle, ClosedAtTheEndOfItsScopeAndEmptyIsInvalidValue)
{
    HANDLE event = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    {
        CScopedHandle h(event);
        EXPECT_TRUE(h.IsValid());
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(h, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(event, &flags));
    CScopedHandle empty;
    EXPECT_EQ(INVALID_HANDLE_VALUE, empty.Get());
    EXPECT_FALSE(empty.IsValid());
}
#endif

}  // namespace
