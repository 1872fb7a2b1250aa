#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/StringArray.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

TEST(CArray, GrowsInsertsAndRemoves)
{
    CDWordArray a;
    for (DWORD i = 0; i < 1000; ++i)
        EXPECT_EQ((INT_PTR)i, a.Add(i));
    EXPECT_EQ(1000, a.GetSize());
    EXPECT_EQ(999, a.GetUpperBound());
    a.InsertAt(0, 7, 3);
    a.InsertAt(a.GetSize(), 8);
    a.InsertAt(1010, 9);  // past the end: the gap is zero-filled
    EXPECT_EQ(1011, a.GetSize());
    EXPECT_EQ(7u, a[2]);
    EXPECT_EQ(0u, a[3]);
    EXPECT_EQ(8u, a[1003]);
    EXPECT_EQ(0u, a[1005]);
    EXPECT_EQ(9u, a[1010]);
    a.RemoveAt(0, 3);
    a.RemoveAt(1000, 100);  // clamped to the end
    EXPECT_EQ(1000, a.GetSize());
    for (DWORD i = 0; i < 1000; ++i)
        ASSERT_EQ(i, a[i]);
    a.SetSize(10, 4);
    EXPECT_EQ(10, a.GetCount());
    a.SetAtGrow(20, 5);
    EXPECT_EQ(21, a.GetSize());
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, StringElementsSurviveReallocation)
{
    CStringArray a;
    a.Add("zero");
    for (int i = 1; i < 200; ++i) {
        CString s;
        s.Format("item %d", i);
        a.Add(s);
        a.Add(a[0]);  // reference into the array while it grows
    }
    EXPECT_EQ(399, a.GetSize());
    EXPECT_STREQ(a[397], "item 199");
    EXPECT_STREQ(a[398], "zero");
    a.InsertAt(1, a[0], 2);
    EXPECT_STREQ(a[2], "zero");
    a.RemoveAt(0, 3);
    EXPECT_STREQ(a[0], "item 1");

    CStringArray b;
    b.Add("b");
    b.Append(a);
    b.Append(b);
    EXPECT_EQ(2 * (1 + a.GetSize()), b.GetSize());
    CStringArray c;
    c.Copy(b);
    c[0] = "changed";
    EXPECT_STREQ(b[0], "b");
    c.InsertAt(1, &a);
    EXPECT_STREQ(c[1], "item 1");
    EXPECT_STREQ(c[1 + a.GetSize()], "item 1");
}

TEST(CList, OrderAndPositions)
{
    CStringList l;
    l.AddTail("b");
    l.AddHead("a");
    POSITION posC = l.AddTail("c");
    l.InsertBefore(posC, "b2");
    l.InsertAfter(posC, "d");
    std::string all;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        all += (LPCTSTR)l.GetNext(pos);
    EXPECT_EQ("abb2cd", all);
    all.clear();
    for (POSITION pos = l.GetTailPosition(); pos;)
        all += (LPCTSTR)l.GetPrev(pos);
    EXPECT_EQ("dcb2ba", all);
    EXPECT_EQ(posC, l.Find("c"));
    EXPECT_EQ(nullptr, l.Find("a", l.GetHeadPosition()));
    EXPECT_STREQ(l.GetAt(l.FindIndex(2)), "b2");
    EXPECT_EQ(nullptr, l.FindIndex(5));
    l.RemoveAt(posC);
    EXPECT_STREQ(l.RemoveHead(), "a");
    EXPECT_STREQ(l.RemoveTail(), "d");
    EXPECT_EQ(2, l.GetCount());
    EXPECT_STREQ(l.GetHead(), "b");
    EXPECT_STREQ(l.GetTail(), "b2");
    CStringList m;
    m.AddTail(&l);
    m.AddHead(&l);
    EXPECT_EQ(4, m.GetCount());
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(nullptr, l.GetHeadPosition());
}

TEST(CMap, StringKeysAgainstReference)
{
    CMapStringToString m;
    std::map<std::string, std::string> ref;
    for (int i = 0; i < 500; ++i) {
        CString k, v;
        k.Format("key%d", i % 300);
        v.Format("v%d", i);
        m.SetAt(k, v);
        ref[(LPCTSTR)k] = (LPCTSTR)v;
    }
    for (int i = 0; i < 300; i += 3) {
        CString k;
        k.Format("key%d", i);
        EXPECT_TRUE(m.RemoveKey(k));
        EXPECT_FALSE(m.RemoveKey(k));
        ref.erase((LPCTSTR)k);
    }
    ASSERT_EQ((INT_PTR)ref.size(), m.GetCount());
    std::map<std::string, std::string> seen;
    POSITION pos = m.GetStartPosition();
    while (pos) {
        CString k, v;
        m.GetNextAssoc(pos, k, v);
        EXPECT_TRUE(seen.emplace((LPCTSTR)k, (LPCTSTR)v).second);
    }
    EXPECT_EQ(ref, seen);
    CString v;
    EXPECT_TRUE(m.Lookup("key1", v));
    EXPECT_STREQ(v, "v301");
    EXPECT_FALSE(m.Lookup("key0", v));
    m["key0"] = "again";
    EXPECT_TRUE(m.Lookup("key0", v));
    EXPECT_STREQ(v, "again");
    m.RemoveAll();
    EXPECT_EQ(nullptr, m.GetStartPosition());
}

TEST(CMap, PointerAndWordKeys)
{
    int slots[64];
    CMapPtrToPtr pp;
    CMapWordToPtr wp;
    CMapStringToPtr sp;
    for (int i = 0; i < 64; ++i) {
        pp[&slots[i]] = &slots[63 - i];
        wp.SetAt((WORD)(i * 1000), &slots[i]);
    }
    sp.InitHashTable(3);
    sp["x"] = &slots[1];
    sp["y"] = &slots[2];
    void* p = NULL;
    EXPECT_TRUE(pp.Lookup(&slots[10], p));
    EXPECT_EQ(&slots[53], p);
    EXPECT_TRUE(wp.Lookup(63000, p));
    EXPECT_EQ(&slots[63], p);
    EXPECT_FALSE(wp.Lookup(1, p));
    EXPECT_TRUE(sp.Lookup("y", p));
    EXPECT_EQ(&slots[2], p);
    EXPECT_EQ(64, pp.GetCount());
    EXPECT_EQ(2, sp.GetCount());
}
