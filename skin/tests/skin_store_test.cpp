#include "skin/support/ImageStore.h"
#include "skin/support/PropExchange.h"
#include "framework/ClientDC.h"
#include "framework/ScopedHandle.h"
#include "skin/tests/SkinTestSupport.h"

#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace skintest;

namespace {
std::vector<BYTE> Store(CVZRImageStore& store)
{
    CMemFile file;
    {
        CVZRPropExchangeArchive px(&file, FALSE);
        EXPECT_TRUE(store.Serialize(px));
        EXPECT_TRUE(px.Close());
    }
    std::vector<BYTE> out((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(out.data(), (UINT)out.size());
    return out;
}

BOOL Load(CVZRImageStore& store, std::vector<BYTE> bytes, bool* failed = nullptr)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CVZRPropExchangeArchive px(&file, TRUE);
    BOOL ok = store.Serialize(px);
    if (failed)
        *failed = px.IsFailed() != FALSE;
    return ok;
}

HICON MakeIcon(COLORREF colour)
{
    CScopedBitmap image(MakeBitmap24(16, 16, [&](int x, int) { return x < 8 ? colour : RGB(0, 0, 0); }));
    CScopedBitmap mask(CreateBitmap(16, 16, 1, 1, NULL));
    ICONINFO info = {TRUE, 0, 0, mask, image};
    return CreateIconIndirect(&info);
}

COLORREF IconPixel(HICON icon, int x, int y)
{
    Canvas c(16, 16, RGB(9, 9, 9));
    DrawIconEx(c.dc(), 0, 0, icon, 16, 16, 0, NULL, DI_NORMAL);
    return c.At(x, y);
}

size_t Find(const std::vector<BYTE>& bytes, const char* text)
{
    std::string s(bytes.begin(), bytes.end());
    return s.find(text);
}
}  // namespace

TEST(SkinImageStore, IconSetsRoundTripWithIconsAndAlphaBitmaps)
{
    CVZRImageStore store;
    CVZRManagedIconSet* set = store.GetIconSet(40001, true);
    CVZRManagedIcon* small = set->GetIcon(16, true);
    small->m_nHeight = 16;
    small->Slot(1).SetIcon(MakeIcon(RGB(200, 30, 40)));
    small->Slot(6).SetAlphaBitmap(MakeBitmap32(4, 3, [](int x, int y) { return Argb(RGB(x * 60, y * 80, 7), 128); }));
    CVZRManagedIcon* skipped = set->GetIcon(32, true);
    skipped->m_bNotStored = TRUE;
    store.GetIconSet(12, true)->GetIcon(24, true);
    std::vector<BYTE> bytes = Store(store);
    EXPECT_NE(Find(bytes, "CVZRImageManagerIcons"), std::string::npos);

    CVZRImageStore back;
    ASSERT_TRUE(Load(back, bytes));
    EXPECT_EQ(back.GetIconSetCount(), 2u);
    EXPECT_EQ(back.GetHighestID(), 40001u);
    CVZRManagedIconSet* loaded = back.GetIconSet(40001);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetIconCount(), 1u);
    CVZRManagedIcon* icon = loaded->GetIcon(16);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->m_nHeight, 16);
    ASSERT_NE(icon->Slot(1).GetIcon(), nullptr);
    EXPECT_EQ(IconPixel(icon->Slot(1).GetIcon(), 2, 5), RGB(200, 30, 40));
    EXPECT_TRUE(icon->Slot(2).IsEmpty());
    HBITMAP alpha = icon->Slot(6).GetAlphaBitmap();
    ASSERT_NE(alpha, nullptr);
    BITMAP bm = {};
    GetObjectA(alpha, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    const uint32_t* px = static_cast<const uint32_t*>(bm.bmBits);
    ASSERT_NE(px, nullptr);
    // Stored bottom-up: the first row is y = 2.
    EXPECT_EQ(px[1], Argb(RGB(60, 160, 7), 128));
    ASSERT_NE(back.GetIconSet(12), nullptr);
    EXPECT_NE(back.GetIconSet(12)->GetIcon(24), nullptr);
}

TEST(SkinImageStore, WrongCheckSumAndDamagedDataFailCleanly)
{
    CVZRImageStore store;
    CVZRManagedIcon* icon = store.GetIconSet(7, true)->GetIcon(16, true);
    icon->Slot(1).SetAlphaBitmap(MakeBitmap32(8, 8, [](int, int) { return Argb(RGB(1, 2, 3), 255); }));
    std::vector<BYTE> bytes = Store(store);

    std::vector<BYTE> wrong = bytes;
    size_t at = Find(wrong, "CVZRImageManagerIcons");
    ASSERT_NE(at, std::string::npos);
    wrong[at] = 'X';
    CVZRImageStore a;
    bool failed = false;
    EXPECT_FALSE(Load(a, wrong, &failed));
    EXPECT_TRUE(failed);

    // Every shorter prefix fails without making the damaged icon's bitmap.
    for (size_t cut = 9; cut < bytes.size(); cut += 7) {
        CVZRImageStore b;
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
        EXPECT_FALSE(Load(b, part)) << cut;
    }

    // The bitmap header announces more rows than its bits hold.
    std::vector<BYTE> tall = bytes;
    const BYTE header[] = {40, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0};
    auto it = std::search(tall.begin(), tall.end(), header, header + sizeof(header));
    ASSERT_NE(it, tall.end());
    it[8] = 0x00;
    it[9] = 0x04;
    CVZRImageStore c;
    EXPECT_FALSE(Load(c, tall));
    EXPECT_TRUE(c.GetIconSet(7)->GetIcon(16)->Slot(1).IsEmpty());
}
