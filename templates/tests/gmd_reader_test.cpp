// The .gmd markup reader: template values, raw text, missing and malformed input.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "templates/XmlDocument.h"

using gorvanel::SplitPath;
using gorvanel::XmlDocument;

namespace {

std::string Value(const XmlDocument& doc, const char* path)
{
    std::string value;
    doc.GetValue(path, "null", value);
    return value;
}

bool ParseText(XmlDocument& doc, const std::string& text)
{
    return doc.Parse(text.data(), static_cast<long>(text.size()));
}

const char kTemplate[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n"
    "<!-- made by hand -->\n"
    "<GrubMod>\n"
    "<Author>A</Author>\n"
    "<!-- between the elements -->\n"
    "<DateTime>2008</DateTime>\n"
    "<Description>D</Description>\n"
    "<Contents>title Linux\nkernel /vmlinuz root=/dev/sda1</Contents>\n"
    "</GrubMod>\n";

}  // namespace

TEST(GmdReader, ReadsTheFourValuesOfATemplate)
{
    XmlDocument doc;
    ASSERT_TRUE(ParseText(doc, kTemplate));
    EXPECT_EQ("A", Value(doc, "GrubMod:Author"));
    EXPECT_EQ("2008", Value(doc, "GrubMod:DateTime"));
    EXPECT_EQ("D", Value(doc, "GrubMod:Description"));
    EXPECT_EQ("title Linux\nkernel /vmlinuz root=/dev/sda1", Value(doc, "GrubMod:Contents"));
}

TEST(GmdReader, TakesValuesRawAndTheLastOfTwoLeaves)
{
    XmlDocument doc;
    ASSERT_TRUE(ParseText(doc,
                          "<GrubMod attr=\"1\"><Author>first</Author><Author> Tom &amp; Jerry </Author></GrubMod>"));
    EXPECT_EQ(" Tom &amp; Jerry ", Value(doc, "GrubMod:Author"));
    EXPECT_EQ(" attr=\"1\"", doc.Root().attributes);
    EXPECT_EQ(1u, doc.Root().leaves.size());
}

TEST(GmdReader, MissingElementsReadNull)
{
    XmlDocument doc;
    ASSERT_TRUE(ParseText(doc, "<GrubMod><Author>A</Author><DateTime>2008</DateTime></GrubMod>"));
    EXPECT_EQ("null", Value(doc, "GrubMod:Description"));
    EXPECT_EQ("A", Value(doc, "GrubMod:Author"));
    std::string value = "x";
    EXPECT_FALSE(doc.GetValue("Other:Author", "null", value));
    EXPECT_EQ("null", value);
    EXPECT_FALSE(doc.GetValue("GrubMod", "null", value));
    EXPECT_FALSE(doc.GetValue("", "null", value));
    EXPECT_FALSE(doc.GetValue("GrubMod:Sub:Author", "null", value));
}

TEST(GmdReader, NestedElementsAndTwinsOfTheSameName)
{
    XmlDocument doc;
    ASSERT_TRUE(ParseText(doc,
                          "<Root><Box><Box><Leaf>inner</Leaf></Box><Leaf>outer</Leaf></Box><Box2><Leaf>2</Leaf></Box2></Root>"));
    EXPECT_EQ("outer", Value(doc, "Root:Box:Leaf"));
    EXPECT_EQ("inner", Value(doc, "Root:Box:Box:Leaf"));
    EXPECT_EQ("2", Value(doc, "Root:Box2:Leaf"));
    const gorvanel::XmlElement* box = doc.FindElement({"Root", "Box", "Box"});
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Box", box->parent->name);
}

TEST(GmdReader, MalformedInputKeepsWhatWasReadAndNeverCrashes)
{
    XmlDocument doc;
    // end tag of Description missing: the values before it stay
    EXPECT_FALSE(ParseText(doc, "<GrubMod><Author>A</Author><Description>D</GrubMod>"));
    EXPECT_EQ("null", Value(doc, "GrubMod:Description"));
    EXPECT_FALSE(ParseText(doc, "<GrubMod><Author>A</Author>"));
    EXPECT_EQ("null", Value(doc, "GrubMod:Author"));

    const char* broken[] = {"<", ">", "<>", "</GrubMod>", "< >x</ >", "<a", "<<<>>>", "<a></a", "<!--",
                            "<?xml", "<a/>", "<a>\0</a>"};
    for (const char* text : broken) {
        EXPECT_NO_FATAL_FAILURE(ParseText(doc, text));
        EXPECT_EQ("null", Value(doc, "GrubMod:Author")) << text;
    }
    EXPECT_FALSE(doc.Parse(nullptr, 10));
    EXPECT_FALSE(doc.Parse("<a>b</a>", 0));
}

TEST(GmdReader, BoundsDepthAndSize)
{
    std::string deep;
    for (int i = 0; i < 2000; ++i)
        deep += "<GrubMod>";
    deep += "<Author>A</Author>";
    for (int i = 0; i < 2000; ++i)
        deep += "</GrubMod>";
    XmlDocument doc;
    EXPECT_FALSE(ParseText(doc, deep));
    EXPECT_FALSE(doc.Error().empty());

    std::string big = "<GrubMod><Author>" + std::string(XmlDocument::kMaxText, 'x') + "</Author></GrubMod>";
    EXPECT_FALSE(ParseText(doc, big));
    EXPECT_EQ("null", Value(doc, "GrubMod:Author"));
    std::istringstream in(big);
    EXPECT_FALSE(doc.LoadStream(in));
}

TEST(GmdReader, LoadsFilesWithCrLfAsLf)
{
    std::string path = ::testing::TempDir() + "gmd_reader_crlf.gmd";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fputs("<GrubMod>\r\n<Contents>title A\r\nroot (hd0,0)\r\n</Contents>\r\n</GrubMod>\r\n", f);
    std::fclose(f);
    XmlDocument doc;
    EXPECT_TRUE(doc.Load(path));
    EXPECT_EQ("title A\nroot (hd0,0)\n", Value(doc, "GrubMod:Contents"));
    std::remove(path.c_str());
    EXPECT_FALSE(doc.Load(path));
    EXPECT_EQ("null", Value(doc, "GrubMod:Contents"));
}

TEST(GmdReader, SplitPathDropsAnEmptyLastPiece)
{
    EXPECT_EQ((std::vector<std::string>{"GrubMod", "Author"}), SplitPath("GrubMod:Author"));
    EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), SplitPath("a::b:"));
    EXPECT_TRUE(SplitPath("").empty());
}
