#include "skin/theme/SchemaTables.h"
#include "skin/theme/SchemaText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {
const int kButton = 7, kWindow = 6, kTab = 15;
const int kTextColor = 3803, kImageFile = 3001, kImageCount = 2401, kBorderOnly = 2203, kContentMargins = 3602,
          kFont = 210, kBgType = 4001, kSizingType = 4004, kOffset = 3401, kIntList = 211, kFillColor = 3802;

SchemaStore Parse(const std::string& text, SchemaScreen screen = SchemaScreen())
{
    SchemaStore store(screen);
    std::istringstream in(text);
    store.Parse([&in](std::string& line) { return bool(std::getline(in, line)); });
    return store;
}

const char kIni[] =
    "; a theme\n"
    "\n"
    "[Globals]\n"
    "TextColor = 1 2 3\n"
    "ImageCount = 7\n"
    "[Button.PushButton(Hot)]\n"
    "  TextColor = 255 0 0\n"
    "[Button.PushButton]\n"
    "TextColor = 0x10 064 0x0A\n"
    "ImageFile = a.bmp ; x\n"
    "ImageFile = b.bmp\n"
    "ContentMargins = 1, 2, 3, 4\n"
    "BorderOnly = true\n"
    "BgType = BorderFill\n"
    "SizingType = Sideways\n"
    "Offset = 0x10,-3\n"
    "IntList = 1, 2, 3\n"
    "Font = Tahoma, 8, Bold\n"
    "NoSuchKey = 1\n"
    "=5\n"
    "[Window.Caption:Other]\n"
    "FillColor = 9 9 9\n"
    "[Window]\n"
    "Font = Arial, 10\n"
    "[Tab.TabItemBothEdge(Hot)]\n"
    "FillColor = 1 1 1\n"
    "[Tab.TopTabItemBothEdge(Selected)]\n"
    "FillColor = 2 2 2\n"
    "[Button.NoSuchPart]\n"
    "FillColor = 3 3 3\n";

TEST(SchemaStore, ReadsEveryGrammarEdge)
{
    SchemaStore s = Parse(kIni);
    const SchemaValue* hot = s.Find(kButton, 1, 2, kTextColor);
    ASSERT_TRUE(hot);
    EXPECT_EQ(hot->number, 0x0000FF);
    // Another state falls back to the stateless section.
    const SchemaValue* pressed = s.Find(kButton, 1, 3, kTextColor);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(pressed->number, 0x0A3410);
    // The later line wins, and the comment is cut.
    ASSERT_TRUE(s.Find(kButton, 1, 0, kImageFile));
    EXPECT_EQ(s.Find(kButton, 1, 0, kImageFile)->text, "B.BMP");
    const SchemaValue* m = s.Find(kButton, 1, 0, kContentMargins);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->type, kSchemaRect);
    EXPECT_EQ(m->left, 1);
    EXPECT_EQ(m->right, 2);
    EXPECT_EQ(m->top, 3);
    EXPECT_EQ(m->bottom, 4);
    EXPECT_EQ(s.Find(kButton, 1, 0, kBorderOnly)->number, 1);
    EXPECT_EQ(s.Find(kButton, 1, 0, kBgType)->number, 1);
    EXPECT_EQ(s.Find(kButton, 1, 0, kSizingType)->number, -1);
    EXPECT_EQ(s.Find(kButton, 1, 0, kOffset)->x, 16);
    EXPECT_EQ(s.Find(kButton, 1, 0, kOffset)->y, -3);
    EXPECT_EQ(s.Find(kButton, 1, 0, kIntList), nullptr);
    // Fallback to GLOBALS, from any class.
    ASSERT_TRUE(s.Find(kWindow, 3, 1, kImageCount));
    EXPECT_EQ(s.Find(kWindow, 3, 1, kImageCount)->number, 7);
    EXPECT_EQ(s.Find(kWindow, 0, 0, kTextColor)->number, 0x030201);
    // ':' sections are ignored with their keys; so are unknown parts.
    EXPECT_EQ(s.Find(kWindow, 1, 0, kFillColor), nullptr);
    EXPECT_EQ(s.Find(kButton, 0, 0, kFillColor), nullptr);
    // Both-edge tab parts take states.
    ASSERT_TRUE(s.Find(kTab, 4, 2, kFillColor));
    EXPECT_EQ(s.Find(kTab, 4, 2, kFillColor)->number, 0x010101);
    ASSERT_TRUE(s.Find(kTab, 8, 3, kFillColor));
    EXPECT_EQ(s.Find(kTab, 8, 3, kFillColor)->number, 0x020202);
    EXPECT_TRUE(s.Premultiply());
}

TEST(SchemaStore, FontsFollowTheScreen)
{
    SchemaScreen screen;
    screen.dpi = 96;
    screen.charSet = 134;
    SchemaStore s = Parse(kIni, screen);
    const SchemaValue* bold = s.Find(kButton, 1, 0, kFont);
    ASSERT_TRUE(bold);
    EXPECT_STREQ(bold->font.faceName, "TAHOMA");
    EXPECT_EQ(bold->font.height, -11);
    EXPECT_EQ(bold->font.weight, 700);
    EXPECT_EQ(bold->font.charSet, 134);
    const SchemaValue* plain = s.Find(kWindow, 0, 0, kFont);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->font.weight, 400);
    EXPECT_EQ(plain->font.height, -13);
    screen.dpi = 120;
    EXPECT_EQ(Parse(kIni, screen).Find(kWindow, 0, 0, kFont)->font.height, -17);

    std::string longFace(100, 'F');
    SchemaValue v;
    ASSERT_TRUE(CreateThemePropertyValue("FONT", kSchemaFont, longFace + ", 9", screen, v));
    EXPECT_EQ(std::string(v.font.faceName), std::string(31, 'F'));
}

TEST(SchemaStore, AlphaLevel255StopsPremultiplying)
{
    EXPECT_FALSE(Parse("[Documentation]\nAlphaLevel = 255\n").Premultiply());
    EXPECT_FALSE(Parse("[Globals]\nAlphaLevel = 255\n").Premultiply());
    EXPECT_TRUE(Parse("[Globals]\nAlphaLevel = 254\n").Premultiply());
    EXPECT_TRUE(Parse("[Button]\nAlphaLevel = 255\n").Premultiply());
}

TEST(SchemaStore, KeysBeforeASectionAndBrokenValuesAreHarmless)
{
    SchemaStore s = Parse("TextColor = 1 2 3\n[\n[]\n[Button\nTextColor\nTextColor = \nImageCount = x\n");
    EXPECT_EQ(s.Find(kButton, 0, 0, kTextColor), nullptr);
    SchemaValue v;
    SchemaScreen screen;
    ASSERT_TRUE(CreateThemePropertyValue("TEXTCOLOR", kSchemaColor, "7", screen, v));
    EXPECT_EQ(v.number, 7);
    ASSERT_TRUE(CreateThemePropertyValue("TEXTCOLOR", kSchemaColor, "300 -1 0x1FF", screen, v));
    EXPECT_EQ(v.number, 0xFFFF2C);
    ASSERT_TRUE(CreateThemePropertyValue("CONTENTMARGINS", kSchemaRect, "1,2", screen, v));
    EXPECT_EQ(v.left, 1);
    EXPECT_EQ(v.right, 2);
    EXPECT_EQ(v.top, 0);
    ASSERT_TRUE(CreateThemePropertyValue("IMAGECOUNT", kSchemaInt, "99999999999999", screen, v));
    EXPECT_EQ(v.number, INT32_MAX);
}

// Each component is read as "%i" reads it: 0x is hexadecimal, a leading 0 octal, and an
// octal number stops at the first 8 or 9, which starts the next component.
TEST(SchemaStore, ColourComponentsReadAsPercentIReadsThem)
{
    SchemaValue v;
    SchemaScreen screen;
    ASSERT_TRUE(CreateThemePropertyValue("TEXTCOLOR", kSchemaColor, "010 0X10 10", screen, v));
    EXPECT_EQ(v.number, 0x0A1008);
    ASSERT_TRUE(CreateThemePropertyValue("TEXTCOLOR", kSchemaColor, "08 1", screen, v));
    EXPECT_EQ(v.number, 0x010800);
    ASSERT_TRUE(CreateThemePropertyValue("TEXTCOLOR", kSchemaColor, "-010 0 0377", screen, v));
    EXPECT_EQ(v.number, 0xFF00F8);
}

TEST(SchemaSection, NamesClassesPartsAndStates)
{
    EXPECT_EQ(ParseSchemaSectionName("BUTTON.PUSHBUTTON(HOT)"), MakeSchemaPropertyKey(7, 1, 2, 0));
    EXPECT_EQ(ParseSchemaSectionName("button . pushbutton ( hot )"), MakeSchemaPropertyKey(7, 1, 2, 0));
    EXPECT_EQ(ParseSchemaSectionName("SCROLLBAR(ACTIVE)"), MakeSchemaPropertyKey(21, 0, 5, 0));
    EXPECT_EQ(ParseSchemaSectionName("WINDOW.CAPTION:X"), 0u);
    EXPECT_EQ(ParseSchemaSectionName("NOSUCH"), 0u);
    EXPECT_EQ(ParseSchemaSectionName("BUTTON.PUSHBUTTON(NOSUCH)"), 0u);
    EXPECT_EQ(ParseSchemaSectionName("WINDOW.SMALLCAPTION(ACTIVE)"), 0u);
}

TEST(SchemaTables, CountsLookupsAndUniqueKeys)
{
    EXPECT_EQ(GetSchemaTableSize(kTableClasses), 30);
    EXPECT_EQ(GetSchemaTableSize(kTableParts), 163);
    EXPECT_EQ(GetSchemaTableSize(kTableStates), 277);
    EXPECT_EQ(GetSchemaTableSize(kTableProperties), 192);
    EXPECT_EQ(GetSchemaTableSize(kTableEnums), 59);
    EXPECT_EQ(GetSchemaClassCode("menuband"), 30);
    EXPECT_EQ(GetSchemaPartCode("Window", "SmallFrameBottomSizingTemplate"), 37);
    EXPECT_EQ(GetSchemaPartCode("MENUBAND", "SEPERATOR"), 2);
    EXPECT_EQ(GetSchemaStateCode("ARROWBTN", "RIGHTDISABLED"), 16);
    int type = -1;
    EXPECT_EQ(GetSchemaPropertyCode("nosuch", &type), 0);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(GetSchemaPropertyCode("TrueSizeScalingType", &type), 4015);
    EXPECT_EQ(type, kSchemaEnum);
    EXPECT_EQ(GetSchemaEnumValue("OFFSETTYPE", "BELOWLASTBUTTON"), 13);
    EXPECT_EQ(GetSchemaEnumValue("OFFSETTYPE", "NOSUCH"), -1);

    // Keys are section code + property id: distinct sections over every class, part
    // and state, and ids below the section step, make every key distinct.
    std::set<uint32_t> sections;
    size_t expected = 0;
    for (int c = 0; c < GetSchemaTableSize(kTableClasses); ++c) {
        SchemaNameEntry cls = GetSchemaTableEntry(kTableClasses, c);
        std::set<int> parts = {0};
        for (int p = 0; p < GetSchemaTableSize(kTableParts); ++p) {
            SchemaNameEntry part = GetSchemaTableEntry(kTableParts, p);
            if (std::string(part.group) == cls.name)
                parts.insert(part.code);
        }
        for (int part : parts) {
            for (int state = 0; state <= 16; ++state) {
                uint32_t key = MakeSchemaPropertyKey(cls.code, part, state, 0);
                EXPECT_EQ(key % 0x4000, 0u);
                sections.insert(key);
                ++expected;
            }
        }
    }
    EXPECT_EQ(sections.size(), expected);
    std::set<int> ids;
    for (int i = 0; i < GetSchemaTableSize(kTableProperties); ++i) {
        int id = GetSchemaTableEntry(kTableProperties, i).code;
        EXPECT_GT(id, 0);
        EXPECT_LT(id, 0x4000);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), size_t(GetSchemaTableSize(kTableProperties)));
}

// "NAME = n" entries of every enum and "#define TMT_NAME n" of a header, by enum name.
std::map<std::string, std::map<std::string, int>> ReadHeader(const char* path)
{
    std::map<std::string, std::map<std::string, int>> out;
    std::ifstream in(path);
    std::string line, current;
    const std::regex enumStart("^enum ([A-Z0-9_]+) \\{"), entry("^\\s+[A-Z0-9]+_([A-Z0-9_]+) = ([0-9]+),"),
        define("^#define TMT_([A-Z0-9_]+) ([0-9]+)");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, enumStart))
            current = m[1];
        else if (!current.empty() && std::regex_search(line, m, entry))
            out[current][m[1]] = std::stoi(m[2]);
        else if (std::regex_search(line, m, define))
            out["TMT"][m[1]] = std::stoi(m[2]);
        if (line.find('}') != std::string::npos)
            current.clear();
    }
    return out;
}

TEST(SchemaTables, NumbersMatchThePublishedHeaders)
{
    auto style = ReadHeader("/usr/share/mingw-w64/include/vsstyle.h");
    auto symbols = ReadHeader("/usr/share/mingw-w64/include/vssym32.h");
    if (style.empty() || symbols.empty())
        GTEST_SKIP() << "no mingw-w64 headers";
    int checked = 0;
    for (int i = 0; i < GetSchemaTableSize(kTableProperties); ++i) {
        SchemaNameEntry e = GetSchemaTableEntry(kTableProperties, i);
        auto it = symbols["TMT"].find(e.name);
        if (it == symbols["TMT"].end())
            continue;  // a few older names are not in the header
        EXPECT_EQ(it->second, e.code) << e.name;
        ++checked;
    }
    for (int i = 0; i < GetSchemaTableSize(kTableParts); ++i) {
        SchemaNameEntry e = GetSchemaTableEntry(kTableParts, i);
        auto group = style.find(std::string(e.group) + "PARTS");
        if (group == style.end())
            continue;
        auto it = group->second.find(e.name);
        if (it == group->second.end())
            continue;
        EXPECT_EQ(it->second, e.code) << e.group << "." << e.name;
        ++checked;
    }
    for (int i = 0; i < GetSchemaTableSize(kTableStates); ++i) {
        SchemaNameEntry e = GetSchemaTableEntry(kTableStates, i);
        auto group = style.find(std::string(e.group) + "STATES");
        if (group == style.end())
            continue;
        auto it = group->second.find(e.name);
        if (it == group->second.end())
            continue;
        EXPECT_EQ(it->second, e.code) << e.group << "(" << e.name << ")";
        ++checked;
    }
    EXPECT_GT(checked, 400);
}
}  // namespace
