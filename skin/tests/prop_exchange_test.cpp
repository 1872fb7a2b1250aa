#include "skin/support/PropExchange.h"

#include "framework/MemFile.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
// Keeps text values by name, so that the base class's text form of blobs shows.
class TextExchange : public CVZRPropExchange {
public:
    explicit TextExchange(BOOL loading) : CVZRPropExchange(loading, kPropDefaultSchema) {}
    BOOL ExchangeProp(LPCSTR name, int kind, void* value, const void*) override
    {
        if (kind != kPropText)
            return FALSE;
        CString& text = *static_cast<CString*>(value);
        if (m_bLoading)
            text = values[name].c_str();
        else
            values[name] = (LPCSTR)text;
        return TRUE;
    }
    std::unique_ptr<CVZRPropExchange> GetSection(LPCSTR) override { return nullptr; }
    void SetLoading(BOOL loading) { m_bLoading = loading; }
    std::map<std::string, std::string> values;
};

std::vector<BYTE> Bytes(CMemFile& file)
{
    std::vector<BYTE> out((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(out.data(), (UINT)out.size());
    file.SeekToBegin();
    return out;
}

// A loading exchange over a copy of the bytes.
struct Loader {
    std::vector<BYTE> data;
    CMemFile file;
    CVZRPropExchangeArchive px;
    explicit Loader(std::vector<BYTE> bytes)
        : data(bytes.empty() ? std::vector<BYTE>(1) : bytes), file(data.data(), (UINT)bytes.size()), px(&file, TRUE) {}
};

class Point : public CObject {
    DECLARE_DYNCREATE(Point)
public:
    int x = 0, y = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << x << y;
        } else {
            ar >> x >> y;
            if (x < 0)
                ar.SetFailed();
        }
    }
};
IMPLEMENT_DYNCREATE(Point, CObject)

struct Values {
    short s = 0;
    int l = 0;
    float f = 0;
    double d = 0;
    int64_t cy = 0;
    COleDateTime date;
    BOOL b = FALSE;
    COleVariant var;
    BYTE by = 0;
    CString text;
    int32_t rect[4] = {};
    int32_t point[2] = {};
};

void ExchangeAll(CVZRPropExchange& px, Values& v)
{
    EXPECT_TRUE(px.ExchangeProp("s", kPropShort, &v.s));
    EXPECT_TRUE(px.ExchangeProp("l", kPropLong, &v.l));
    EXPECT_TRUE(px.ExchangeProp("f", kPropFloat, &v.f));
    EXPECT_TRUE(px.ExchangeProp("d", kPropDouble, &v.d));
    EXPECT_TRUE(px.ExchangeProp("cy", kPropCurrency, &v.cy));
    EXPECT_TRUE(px.ExchangeProp("date", kPropDate, &v.date));
    EXPECT_TRUE(px.ExchangeProp("b", kPropBool, &v.b));
    EXPECT_TRUE(px.ExchangeProp("var", kPropVariant, &v.var));
    EXPECT_TRUE(px.ExchangeProp("by", kPropByte, &v.by));
    EXPECT_TRUE(px.ExchangeProp("text", kPropText, &v.text));
    EXPECT_TRUE(px.ExchangeProp("rect", kPropRect, v.rect));
    EXPECT_TRUE(px.ExchangeProp("point", kPropPoint, v.point));
    int unknown = 7;
    EXPECT_TRUE(px.ExchangeProp("unknown", 55, &unknown));
}
}  // namespace

TEST(PropExchangeText, BlobIsTwoLettersPerByteAndRefusesBadText)
{
    TextExchange px(FALSE);
    BYTE data[] = {0x00, 0xFF};
    BYTE* p = data;
    DWORD n = 2;
    ASSERT_TRUE(px.ExchangeBlob("Data", &p, &n));
    EXPECT_EQ(px.values["Data"], "AAPP");

    px.SetLoading(TRUE);
    BYTE* loaded = NULL;
    DWORD length = 0;
    ASSERT_TRUE(px.ExchangeBlob("Data", &loaded, &length));
    ASSERT_EQ(length, 2u);
    EXPECT_EQ(loaded[0], 0x00);
    EXPECT_EQ(loaded[1], 0xFF);
    free(loaded);

    BYTE room[4] = {9, 9, 9, 9};
    BYTE* given = room;
    DWORD size = sizeof(room);
    for (const char* bad : {"AAP", "AAQA", "aaPP"}) {
        px.values["Data"] = bad;
        EXPECT_FALSE(px.ExchangeBlob("Data", &given, &size)) << bad;
        EXPECT_EQ(room[0], 9) << bad;
    }
    px.values["Data"] = "BAHGPPAB";
    size = 3;
    EXPECT_FALSE(px.ExchangeBlob("Data", &given, &size));
    size = 4;
    ASSERT_TRUE(px.ExchangeBlob("Data", &given, &size));
    EXPECT_EQ(room[0], 0x01);
    EXPECT_EQ(room[1], 0x67);
    EXPECT_EQ(room[3], 0x10);
}

TEST(PropExchangeArchive, EveryKindReadsBackInCallOrder)
{
    CMemFile file;
    Values out;
    out.s = -2;
    out.l = 123456789;
    out.f = 1.5f;
    out.d = -2.25;
    out.cy = 0x1122334455667788LL;
    out.date = COleDateTime(45000.5);
    out.b = TRUE;
    out.var = COleVariant::Text("variant text");
    out.by = 0xAB;
    out.text = "some text";
    int32_t rect[4] = {1, -2, 3, 4};
    memcpy(out.rect, rect, sizeof(rect));
    out.point[0] = 5;
    out.point[1] = -6;
    {
        CVZRPropExchangeArchive px(&file, FALSE);
        ExchangeAll(px, out);
        ASSERT_TRUE(px.Close());
    }
    std::vector<BYTE> bytes = Bytes(file);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes[0], 0xBF);
    EXPECT_EQ(bytes[3], 0x0F);
    EXPECT_EQ(bytes[4], 24);
    // Currency: the low half first.
    const BYTE lowHalf[] = {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), lowHalf, lowHalf + 8), bytes.end());

    Loader in(bytes);
    EXPECT_EQ(in.px.GetSchema(), 24);
    Values back;
    ExchangeAll(in.px, back);
    EXPECT_EQ(back.s, out.s);
    EXPECT_EQ(back.l, out.l);
    EXPECT_EQ(back.f, out.f);
    EXPECT_EQ(back.d, out.d);
    EXPECT_EQ(back.cy, out.cy);
    EXPECT_TRUE(back.date == out.date);
    EXPECT_EQ(back.b, TRUE);
    EXPECT_TRUE(back.var == out.var);
    EXPECT_EQ(back.by, out.by);
    EXPECT_EQ(back.text, out.text);
    EXPECT_EQ(0, memcmp(back.rect, out.rect, 16));
    EXPECT_EQ(0, memcmp(back.point, out.point, 8));
    EXPECT_EQ(in.px.GetArchive().Remaining(), 0u);

    // Names are not stored: another order reads other values.
    Loader swapped(bytes);
    int l = 0;
    short s = 0;
    swapped.px.ExchangeProp("l", kPropLong, &l);
    swapped.px.ExchangeProp("s", kPropShort, &s);
    EXPECT_NE(l, out.l);
}

TEST(PropExchangeArchive, UnmarkedDataIsSchema17AndReadFromItsStart)
{
    std::vector<BYTE> bytes = {0x2A, 0, 0, 0, 3, 'a', 'b', 'c'};
    Loader in(bytes);
    EXPECT_EQ(in.px.GetSchema(), 17);
    int v = 0;
    CString text;
    EXPECT_TRUE(in.px.ExchangeInt("v", v));
    EXPECT_TRUE(in.px.ExchangeText("t", text));
    EXPECT_EQ(v, 42);
    EXPECT_EQ(text, "abc");

    Loader marked({0xBF, 0xAD, 0xF0, 0x0F, 7});
    EXPECT_TRUE(marked.px.IsFailed());
}

TEST(PropExchangeArchive, LengthsAndCountsPastTheEndFailWithoutAllocating)
{
    // A blob announcing 0xFFFE bytes with three behind it.
    Loader blob({0xBF, 0xAD, 0xF0, 0x0F, 24, 0, 0, 0, 0xFF, 0xFE, 0xFF, 1, 2, 3});
    BYTE* data = NULL;
    DWORD length = 0;
    EXPECT_FALSE(blob.px.ExchangeBlob("Data", &data, &length));
    EXPECT_EQ(data, nullptr);
    EXPECT_TRUE(blob.px.IsFailed());
    int after = 5;
    EXPECT_FALSE(blob.px.ExchangeInt("after", after));

    // A count of a million items in eight bytes.
    Loader count({0x40, 0x42, 0x0F, 0x00, 1, 2, 3, 4});
    CVZRPropExchangeEnum items(&count.px, "Item");
    DWORD n = 0;
    EXPECT_FALSE(items.GetPosition(n));
    EXPECT_FALSE(items.IsValid());
    EXPECT_EQ(items.GetNext(), nullptr);

    // A blob longer than the caller's buffer.
    CMemFile file;
    {
        CVZRPropExchangeArchive px(&file, FALSE);
        BYTE four[4] = {1, 2, 3, 4};
        BYTE* p = four;
        DWORD len = 4;
        ASSERT_TRUE(px.ExchangeBlob("Data", &p, &len));
    }
    Loader small(Bytes(file));
    BYTE two[2] = {0, 0};
    BYTE* p = two;
    DWORD len = 2;
    EXPECT_FALSE(small.px.ExchangeBlob("Data", &p, &len));
    EXPECT_EQ(two[0], 0);
}

TEST(PropExchangeArchive, SectionsEnumeratorsObjectsAndClassesRoundTrip)
{
    CMemFile file;
    Point shared;
    shared.x = 3;
    shared.y = 4;
    {
        CVZRPropExchangeArchive px(&file, FALSE);
        ASSERT_TRUE(px.ExchangeSchema());
        CVZRPropExchangeEnum items(&px, "Item");
        DWORD n = 3;
        ASSERT_TRUE(items.GetPosition(n));
        for (int i = 0; i < 3; ++i) {
            std::unique_ptr<CVZRPropExchange> item = items.GetNext();
            ASSERT_TRUE(item);
            EXPECT_TRUE(item->ExchangeInt("Id", i));
        }
        EXPECT_EQ(items.GetNext(), nullptr);
        CRuntimeClass* cls = RUNTIME_CLASS(Point);
        EXPECT_TRUE(px.ExchangeClass(&cls));
        EXPECT_TRUE(px.ExchangeObject("Data", &shared));
        CObject* ref = &shared;
        EXPECT_TRUE(px.ExchangeObjectRef(&ref));
        EXPECT_TRUE(px.ExchangeObjectRef(&ref));
        ASSERT_TRUE(px.Close());
    }
    std::vector<BYTE> bytes = Bytes(file);
    Loader in(bytes);
    ASSERT_TRUE(in.px.ExchangeSchema());
    EXPECT_EQ(in.px.GetSchema(), 24);
    CVZRPropExchangeEnum items(&in.px, "Item");
    DWORD n = 0;
    ASSERT_TRUE(items.GetPosition(n));
    ASSERT_EQ(n, 3u);
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<CVZRPropExchange> item = items.GetNext();
        int id = -1;
        ASSERT_TRUE(item && item->ExchangeInt("Id", id));
        EXPECT_EQ(id, i);
    }
    CRuntimeClass* cls = NULL;
    ASSERT_TRUE(in.px.ExchangeClass(&cls));
    EXPECT_EQ(cls, RUNTIME_CLASS(Point));
    Point copy;
    ASSERT_TRUE(in.px.ExchangeObject("Data", &copy));
    EXPECT_EQ(copy.x, 3);
    EXPECT_EQ(copy.y, 4);
    CObject* first = NULL;
    CObject* second = NULL;
    ASSERT_TRUE(in.px.ExchangeObjectRef(&first));
    ASSERT_TRUE(in.px.ExchangeObjectRef(&second));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(static_cast<Point*>(first)->y, 4);
    delete first;

    // An object index that was never stored.
    Loader bad({0x05, 0x00, 0x00, 0x80});
    CObject* none = NULL;
    EXPECT_FALSE(bad.px.ExchangeObjectRef(&none));
    EXPECT_EQ(none, nullptr);
}

TEST(PropExchangeArchive, AnObjectThatRefusesItsDataFailsTheExchange)
{
    CMemFile file;
    {
        CVZRPropExchangeArchive px(&file, FALSE);
        Point p;
        p.x = -1;
        ASSERT_TRUE(px.ExchangeObject("Data", &p));
    }
    Loader in(Bytes(file));
    Point p;
    EXPECT_FALSE(in.px.ExchangeObject("Data", &p));
}

TEST(OleArchiveForms, UnknownVariantTypeOrDateStatusFails)
{
    std::vector<BYTE> variant = {0x09, 0x00, 1, 2, 3, 4};
    CMemFile vf(variant.data(), (UINT)variant.size());
    CArchive va(&vf, CArchive::load);
    COleVariant v;
    va >> v;
    EXPECT_TRUE(va.IsFailed());
    EXPECT_EQ(v.vt, VT_EMPTY);

    std::vector<BYTE> date = {0x07, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CMemFile df(date.data(), (UINT)date.size());
    CArchive da(&df, CArchive::load);
    COleDateTime d;
    da >> d;
    EXPECT_TRUE(da.IsFailed());
}
