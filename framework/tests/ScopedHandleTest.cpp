#include "framework/ScopedHandle.h"

#include <gtest/gtest.h>

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

TEST(ScopedFile, ClosesAtTheEndOfItsScope)
{
    TempDir dir;
    CString path = dir / "f.txt";
    {
        CScopedFile f(fopen(FwNativePath(path), "wb"));
        ASSERT_TRUE(f.IsValid());
        fputs("kept", f);
    }
    // the stream was closed, so its buffer reached the file
    CScopedFile in(fopen(FwNativePath(path), "rb"));
    ASSERT_TRUE(in.IsValid());
    char buf[8] = {0};
    EXPECT_EQ(4u, fread(buf, 1, sizeof buf, in));
    EXPECT_STREQ("kept", buf);
    EXPECT_TRUE(in.Close());
    EXPECT_FALSE(in.IsValid());
    EXPECT_TRUE(in.Close());  // nothing held: nothing to fail
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
