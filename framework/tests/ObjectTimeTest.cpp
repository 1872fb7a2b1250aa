#include "framework/Object.h"
#include "framework/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
public:
    virtual int Corners() const = 0;
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
public:
    int Corners() const override { return 4; }
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

class CTriangle : public CShape {
    DECLARE_SERIAL(CTriangle)
public:
    int Corners() const override { return 3; }
};
IMPLEMENT_SERIAL(CTriangle, CShape, 1)

TEST(CObject, RuntimeClassesAndDynamicCreation)
{
    std::unique_ptr<CObject> sq(RUNTIME_CLASS(CSquare)->CreateObject());
    ASSERT_TRUE(sq);
    EXPECT_TRUE(sq->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_TRUE(sq->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(sq->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(sq->IsKindOf(RUNTIME_CLASS(CTriangle)));
    EXPECT_FALSE(sq->IsSerializable());
    EXPECT_STREQ("CSquare", sq->GetRuntimeClass()->m_lpszClassName);
    CShape* shape = DYNAMIC_DOWNCAST(CShape, sq.get());
    ASSERT_NE(nullptr, shape);
    EXPECT_EQ(4, shape->Corners());
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CTriangle, sq.get()));

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());  // not creatable
    std::unique_ptr<CObject> tri(CRuntimeClass::CreateObject("CTriangle"));
    ASSERT_TRUE(tri);
    EXPECT_TRUE(tri->IsSerializable());
    EXPECT_EQ(3, static_cast<CShape*>(tri.get())->Corners());
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CCircle"));
    EXPECT_TRUE(RUNTIME_CLASS(CTriangle)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CTriangle)));
}

TEST(CTime, FieldsFormatAndArithmetic)
{
    CTime t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(2024, t.GetYear());
    EXPECT_EQ(2, t.GetMonth());
    EXPECT_EQ(29, t.GetDay());
    EXPECT_EQ(13, t.GetHour());
    EXPECT_EQ(5, t.GetMinute());
    EXPECT_EQ(9, t.GetSecond());
    EXPECT_EQ(5, t.GetDayOfWeek());  // Thursday
    EXPECT_STREQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 13:05:09");
    EXPECT_STREQ(t.Format(""), "");

    CTime epoch((time_t)86400 * 365);
    EXPECT_STREQ(epoch.FormatGmt("%d.%m.%Y %H:%M"), "01.01.1971 00:00");
    EXPECT_EQ(86400 * 365, epoch.GetTime());

    CTime later = t + CTimeSpan(1, 2, 3, 4);
    CTimeSpan d = later - t;
    EXPECT_EQ(1, d.GetDays());
    EXPECT_EQ(2, d.GetHours());
    EXPECT_EQ(3, d.GetMinutes());
    EXPECT_EQ(4, d.GetSeconds());
    EXPECT_EQ(93784, d.GetTotalSeconds());
    EXPECT_TRUE(later > t && t < later && t != later);
    later -= d;
    EXPECT_TRUE(later == t);

    CTime now = CTime::GetCurrentTime();
    EXPECT_GT(now.GetYear(), 2020);

    // a long result is not cut off
    CString longFormat;
    for (int i = 0; i < 100; ++i)
        longFormat += "%Y-";
    EXPECT_EQ(500, t.Format(longFormat).GetLength());
}
