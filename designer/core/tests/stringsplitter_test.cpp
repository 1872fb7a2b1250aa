#include "designer/core/StringSplitter.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringSplitter, ReadsTypedFields)
{
    CStringSplitter split("paper:800,600;", ':');
    ASSERT_EQ(2, split.GetCount());
    CString text;
    EXPECT_TRUE(split.GetText(0, text));
    EXPECT_STREQ("paper", text);
    split.Split(text = "12,-3.5e1,x7, 42 ,0x10", ',');
    ASSERT_EQ(5, split.GetCount());
    int n = -1;
    double d = -1;
    EXPECT_TRUE(split.GetInt(0, n));
    EXPECT_EQ(12, n);
    EXPECT_TRUE(split.GetDouble(1, d));
    EXPECT_DOUBLE_EQ(-35.0, d);
    EXPECT_TRUE(split.GetInt(2, n));
    EXPECT_EQ(0, n);
    EXPECT_TRUE(split.GetInt(3, n));
    EXPECT_EQ(42, n);
    EXPECT_TRUE(split.GetDouble(4, d));
    EXPECT_DOUBLE_EQ(16.0, d);  // strtod reads hexadecimal
}

TEST(StringSplitter, EmptyFieldsAndMissingSeparator)
{
    CStringSplitter split("a,b,", ',');
    ASSERT_EQ(3, split.GetCount());
    EXPECT_STREQ("a", split[0]);
    EXPECT_STREQ("b", split[1]);
    EXPECT_STREQ("", split[2]);

    split.Split("", ',');
    ASSERT_EQ(1, split.GetCount());
    EXPECT_STREQ("", split[0]);
    split.Split(NULL, ',');
    ASSERT_EQ(1, split.GetCount());

    split.Split(",,", ',');
    EXPECT_EQ(3, split.GetCount());

    split.Split("no separator here", ';');
    ASSERT_EQ(1, split.GetCount());
    EXPECT_STREQ("no separator here", split[0]);

    split.Split("a,b", '\0');  // nothing to split at
    ASSERT_EQ(1, split.GetCount());
    EXPECT_STREQ("a,b", split[0]);
}

TEST(StringSplitter, IndexPastTheEndGivesEmptyAndZero)
{
    CStringSplitter split("5", ',');
    CString text = "old";
    int n = 9;
    double d = 9;
    EXPECT_FALSE(split.GetText(1, text));
    EXPECT_STREQ("", text);
    EXPECT_FALSE(split.GetInt(1, n));
    EXPECT_EQ(0, n);
    EXPECT_FALSE(split.GetDouble(-1, d));
    EXPECT_EQ(0.0, d);
}

TEST(StringSplitter, LongInputKeepsEveryField)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += std::to_string(i) + ",";
    text += std::string(100000, 'x');
    CStringSplitter split(text.c_str(), ',');
    ASSERT_EQ(20001, split.GetCount());
    int n = 0;
    EXPECT_TRUE(split.GetInt(19999, n));
    EXPECT_EQ(19999, n);
    EXPECT_EQ(100000, split[20000].GetLength());
}
