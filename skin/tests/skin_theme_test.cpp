#include "skin/theme/DefaultThemeSchema.h"
#include "skin/theme/SchemaTables.h"
#include "skin/theme/ThemeClass.h"
#include "skin/tests/SkinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace skintest;

namespace {
const COLORREF kBack = RGB(1, 2, 3);

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::vector<std::string> AllLines(CVZRThemePackage& package)
{
    std::vector<std::string> lines;
    CString line;
    while (package.ReadLine(line))
        lines.push_back((LPCSTR)line);
    return lines;
}

std::string SolidFolder() { return PackageDir() + "/solid_folder"; }
std::string SolidLibrary() { return PackageDir() + "/SolidPackage.dll"; }

TEST(ThemePackage, FolderFormComesFirstAndReadsEveryLineEnd)
{
    std::string folder = TempFolder("skinpkg");
    WriteFile(folder + "\\Plain.ini", "[a]\r\nb=1\rc=2\nd=3");
    CVZRThemePackage package;
    ASSERT_TRUE(package.Open(folder.c_str(), "Plain.ini"));
    EXPECT_TRUE(package.IsFolder());
    EXPECT_EQ(AllLines(package), (std::vector<std::string>{"[a]", "b=1", "c=2", "d=3"}));
    EXPECT_EQ(package.GetModule(), (HMODULE)NULL);

    // UTF-16 with its mark, odd length: lines as in a text resource.
    WriteFile(folder + "\\Wide.ini", std::string("\xFF\xFE[\0a\0]\0\r\0x\0=\0"
                                                 "1\0!",
                                                 17));
    ASSERT_TRUE(package.Open(folder.c_str(), "Wide.ini"));
    EXPECT_EQ(AllLines(package), (std::vector<std::string>{"[a]", "x=1"}));

    // A folder without the ini is tried as a library, and fails.
    EXPECT_FALSE(package.Open(folder.c_str(), "Missing.ini"));
    EXPECT_FALSE(package.Open("", "Plain.ini"));
    DeleteFileA((folder + "\\Plain.ini").c_str());
    DeleteFileA((folder + "\\Wide.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(ThemePackage, LibraryFormFindsTextsByMangledNameInAnyCase)
{
    CVZRThemePackage package;
    ASSERT_TRUE(package.Open(SolidLibrary().c_str(), "Solid.ini"));
    EXPECT_FALSE(package.IsFolder());
    std::vector<std::string> lines = AllLines(package);
    ASSERT_GT(lines.size(), 50u);
    EXPECT_EQ(lines[0], "; One solid colour per part and state.");
    ASSERT_TRUE(package.Open(SolidLibrary().c_str(), "sOLID.iNI"));
    EXPECT_EQ(AllLines(package), lines);
    EXPECT_FALSE(package.Open(SolidLibrary().c_str(), "Other.ini"));

    // THEMES_INI names the default.
    ASSERT_TRUE(package.Open(SolidLibrary().c_str(), ""));
    EXPECT_STREQ(package.GetIniName(), "Solid_ini");
    EXPECT_EQ(AllLines(package), lines);

    // Images by mangled name, folder and library alike.
    std::unique_ptr<CVZRSkinBitmap> strip(package.LoadBitmap("STRIP5.BMP"));
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->GetSize().cx, 100);
    EXPECT_EQ(strip->GetSize().cy, 20);
    std::unique_ptr<CVZRSkinBitmap> png(package.LoadBitmap("BUTTON_PUSHBUTTON.PNG"));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->GetSize().cy, 30);
    EXPECT_FALSE(package.LoadBitmap("NOSUCH.BMP"));
    ASSERT_TRUE(package.Open(SolidFolder().c_str(), "Solid.ini"));
    std::unique_ptr<CVZRSkinBitmap> fromFile(package.LoadBitmap("STRIP5.BMP"));
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->GetSize().cx, 100);
}

TEST(ThemePackage, ALibraryThatRefusesToLoadOpensAsData)
{
    ASSERT_EQ(LoadLibraryA((PackageDir() + "/FailingPackage.dll").c_str()), (HMODULE)NULL);
    CVZRThemePackage package;
    ASSERT_TRUE(package.Open((PackageDir() + "/FailingPackage.dll").c_str(), "Solid.ini"));
    EXPECT_GT(AllLines(package).size(), 50u);
    std::unique_ptr<CVZRSkinBitmap> strip(package.LoadBitmap("STRIP5.BMP"));
    EXPECT_TRUE(strip);
    EXPECT_FALSE(package.Open((PackageDir() + "/NoSuchPackage.dll").c_str(), "Solid.ini"));
}

TEST(ThemePackage, StringFiveThousandPicksTheSchema)
{
    LoadedTheme office(PackageDir() + "/OfficePackage.dll", "Office.ini");
    ASSERT_TRUE(office.ok);
    EXPECT_STREQ(office.schema->GetName(), "Office2007");
    EXPECT_FALSE(office.schema->GetPremultiply());
    std::unique_ptr<CVZRSkinBitmap> glyphs(office.package.LoadBitmap("OFFICE2007\\SCROLLARROWGLYPHS.BMP"));
    ASSERT_TRUE(glyphs);
    EXPECT_EQ(glyphs->GetSize().cx, 144);
    LoadedTheme solid(SolidLibrary(), "Solid.ini");
    ASSERT_TRUE(solid.ok);
    EXPECT_STREQ(solid.schema->GetName(), "Default");
    EXPECT_TRUE(solid.schema->GetPremultiply());
    LoadedTheme folder(SolidFolder(), "Solid.ini");
    ASSERT_TRUE(folder.ok);
    EXPECT_STREQ(folder.schema->GetName(), "Default");
}

TEST(ThemePackage, NormalBlueLoadsEveryImageItNames)
{
    LoadedTheme blue(std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll", "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    EXPECT_GT(blue.schema->GetPropertyCount(), 300u);
    CVZRThemePackage lines(nullptr);
    ASSERT_TRUE(lines.Open((std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll").c_str(), "NormalBlue.ini"));
    std::set<std::string> names;
    int sections = 0;
    for (const std::string& line : AllLines(lines)) {
        if (line.compare(0, 12, "ImageFile = ") == 0)
            names.insert(line.substr(12));
        if (!line.empty() && line[0] == '[') {
            ++sections;
            EXPECT_NE(ParseSchemaSectionName(line.substr(1, line.size() - 2)), 0u) << line;
        }
    }
    EXPECT_GT(sections, 60);
    for (const std::string& name : names) {
        std::unique_ptr<CVZRSkinBitmap> b(blue.package.LoadBitmap(name.c_str()));
        EXPECT_TRUE(b) << name;
    }
    // The caption's top corners are cut: magenta at the top left, not at the bottom.
    CVZRThemeClass* window = blue.context.LookupThemeClass("window");
    Canvas c(80, 30);
    ASSERT_TRUE(window->DrawBackground(c.dc(), 1, 1, Ptr(Rect(0, 0, 80, 30))));
    EXPECT_EQ(c.At(0, 0), kBack);
    EXPECT_NE(c.At(0, 29), kBack);
    EXPECT_NE(c.At(40, 15), kBack);
}

// Writes a canvas as a 32-bit bitmap file (to look at the theme).
void SaveCanvas(const Canvas& c, const std::string& path)
{
    std::vector<uint32_t> rows;
    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            COLORREF v = c.At(x, y);
            rows.push_back(GetRValue(v) << 16 | GetGValue(v) << 8 | GetBValue(v));
        }
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = c.width();
    info.biHeight = c.height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = DWORD(file.bfOffBits + rows.size() * 4);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    fwrite(rows.data(), 4, rows.size(), f);
    fclose(f);
}

TEST(ThemePackage, NormalBlueDrawsEveryPartItNames)
{
    std::string path = std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll";
    LoadedTheme blue(path, "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    CVZRThemePackage text(nullptr);
    ASSERT_TRUE(text.Open(path.c_str(), "NormalBlue.ini"));
    const int kCell = 48, kColumns = 8;
    std::vector<std::pair<std::string, std::string>> parts;
    std::set<size_t> imaged;  // parts whose section names an image
    bool inPart = false;
    for (const std::string& line : AllLines(text)) {
        if (!line.empty() && line[0] == '[')
            inPart = false;
        if (inPart && line.compare(0, 9, "ImageFile") == 0)
            imaged.insert(parts.size() - 1);
        size_t dot = line.find('.');
        if (line.empty() || line[0] != '[' || dot == std::string::npos || line.find('(') != std::string::npos)
            continue;
        parts.push_back({line.substr(1, dot - 1), line.substr(dot + 1, line.size() - dot - 2)});
        inPart = true;
    }
    ASSERT_GT(parts.size(), 60u);
    const COLORREF kSheet = RGB(77, 77, 77);
    Canvas sheet(kColumns * kCell, int((parts.size() + kColumns - 1) / kColumns) * kCell, kSheet);
    for (size_t i = 0; i < parts.size(); ++i) {
        int part = GetSchemaPartCode(parts[i].first.c_str(), parts[i].second.c_str());
        ASSERT_GT(part, 0) << parts[i].second;
        CVZRThemeClass* cls = blue.context.LookupThemeClass(parts[i].first.c_str());
        int x = int(i % kColumns) * kCell, y = int(i / kColumns) * kCell;
        RECT cell = Rect(x + 4, y + 4, x + kCell - 4, y + kCell - 16);
        // tool bar buttons are blank at rest: draw them hot
        const int state = parts[i].first == "Toolbar" ? 2 : 1;
        EXPECT_TRUE(cls->DrawBackground(sheet.dc(), part, state, &cell)) << parts[i].first << "." << parts[i].second;
        int type = cls->GetEnum(part, state, TMT_BGTYPE_, 0);
        bool none = type == 2;
        // an image part must not take its class's border-fill background
        if (imaged.count(i))
            EXPECT_EQ(type, 0) << parts[i].first << "." << parts[i].second;
        int drawn = 0;
        for (int py = cell.top; py < cell.bottom; ++py)
            for (int px = cell.left; px < cell.right; ++px)
                drawn += sheet.At(px, py) != kSheet;
        if (!none)
            EXPECT_GT(drawn, 0) << parts[i].first << "." << parts[i].second;
    }
    if (getenv("SKIN_GALLERY"))
        SaveCanvas(sheet, getenv("SKIN_GALLERY"));
}

TEST(ThemePackage, NormalBlueGreysTheTextOfDisabledButtonsOnly)
{
    LoadedTheme blue(std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll", "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    CVZRThemeClass* button = blue.context.LookupThemeClass("BUTTON");
    const COLORREF kGrey = RGB(128, 128, 128), kLightGrey = RGB(214, 214, 214), kNone = RGB(1, 2, 3);
    // part: push button 1, radio 2, check box 3, group box 4
    const struct {
        int part, state;
        bool disabled;
    } cases[] = {{1, 4, true}, {1, 1, false}, {1, 2, false}, {2, 4, true}, {2, 8, true}, {2, 5, false}, {3, 4, true}, {3, 8, true}, {3, 12, true}, {3, 1, false}, {3, 9, false}, {4, 2, true}, {4, 1, false}};
    for (const auto& c : cases) {
        COLORREF text = button->GetColor(c.part, c.state, TMT_TEXTCOLOR_, kNone);
        COLORREF grey = c.part == 1 ? kLightGrey : kGrey;
        if (c.disabled)
            EXPECT_EQ(text, grey) << c.part << "/" << c.state;
        else
            EXPECT_NE(text, grey) << c.part << "/" << c.state;
    }
}

TEST(ThemeClass, DrawsTextInsideTheCaptionMarginsInItsColour)
{
    LoadedTheme blue(std::string(ZAVO_BINARY_DIR) + "/bin/ThemeUI.dll", "NormalBlue.ini");
    ASSERT_TRUE(blue.ok);
    CVZRThemeClass* window = blue.context.LookupThemeClass("WINDOW");
    Canvas c(60, 20, RGB(0, 0, 0));
    SetTextColor(c.dc(), RGB(9, 9, 9));
    // CaptionMargins 2, 2: the text starts at x 2 in white, the background stays.
    EXPECT_EQ(window->DrawText(c.dc(), 1, 1, "MMMMMMMMMMMMMMMMMMMM", -1, DT_SINGLELINE, Ptr(Rect(0, 0, 60, 20))), 1);
    EXPECT_GT(c.Count(RGB(255, 255, 255)), 20);
    EXPECT_EQ(c.Count(RGB(9, 9, 9)), 0);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(c.At(0, y), RGB(0, 0, 0));
        EXPECT_EQ(c.At(1, y), RGB(0, 0, 0));
        EXPECT_EQ(c.At(59, y), RGB(0, 0, 0));
    }
    EXPECT_EQ(GetTextColor(c.dc()), RGB(9, 9, 9));
}

class SolidTheme : public ::testing::TestWithParam<bool> {
protected:
    SolidTheme() : theme(GetParam() ? SolidLibrary() : SolidFolder(), "Solid.ini") {}
    CVZRThemeClass* Class(const char* name) { return theme.context.LookupThemeClass(name); }
    LoadedTheme theme;
};

TEST_P(SolidTheme, EveryPartAndStateDrawsItsColour)
{
    ASSERT_TRUE(theme.ok);
    std::vector<SolidEntry> table = ReadSolidTable();
    ASSERT_GT(table.size(), 100u);
    for (const SolidEntry& e : table) {
        int part = GetSchemaPartCode(e.cls.c_str(), e.part.c_str());
        ASSERT_GT(part, 0) << e.part;
        Canvas c(14, 12);
        ASSERT_TRUE(Class(e.cls.c_str())->DrawBackground(c.dc(), part, e.state, Ptr(Rect(1, 1, 13, 11))))
            << e.cls << "." << e.part << " " << e.state;
        EXPECT_TRUE(c.All(Rect(1, 1, 13, 11), e.colour)) << e.cls << "." << e.part << " " << e.state;
        EXPECT_EQ(c.Count(kBack), 14 * 12 - 12 * 10);
    }
}

TEST_P(SolidTheme, StateZeroAndPastTheCountDrawTheFirstFrame)
{
    ASSERT_TRUE(theme.ok);
    std::vector<SolidEntry> table = ReadSolidTable();
    COLORREF first = 0;
    for (const SolidEntry& e : table) {
        if (e.cls == "BUTTON" && e.part == "PUSHBUTTON" && e.state == 1)
            first = e.colour;
    }
    for (int state : {0, 6, 100}) {
        Canvas c(8, 8);
        ASSERT_TRUE(Class("BUTTON")->DrawBackground(c.dc(), 1, state, Ptr(Rect(0, 0, 8, 8))));
        EXPECT_EQ(c.Count(first), 64) << state;
    }
}

TEST_P(SolidTheme, BackgroundTypesSizesAndKeys)
{
    ASSERT_TRUE(theme.ok);
    Canvas none(10, 10);
    EXPECT_TRUE(Class("BUTTON")->DrawBackground(none.dc(), 4, 1, Ptr(Rect(0, 0, 10, 10))));
    EXPECT_EQ(none.Count(kBack), 100);

    Canvas fill(10, 10);
    ASSERT_TRUE(Class("EDIT")->DrawBackground(fill.dc(), 1, 1, Ptr(Rect(0, 0, 10, 10))));
    EXPECT_EQ(fill.Count(RGB(10, 20, 30)), 100 - 36);
    EXPECT_TRUE(fill.All(Rect(2, 2, 8, 8), RGB(40, 50, 60)));
    Canvas border(10, 10);
    ASSERT_TRUE(Class("EDIT")->DrawBackground(border.dc(), 2, 1, Ptr(Rect(0, 0, 10, 10))));
    EXPECT_TRUE(border.All(Rect(2, 2, 8, 8), kBack));

    // True size: a 20 x 20 frame centred in 40 x 30, other states other frames.
    Canvas trueSize(40, 30);
    ASSERT_TRUE(Class("TOOLBAR")->DrawBackground(trueSize.dc(), 2, 1, Ptr(Rect(0, 0, 40, 30))));
    COLORREF frame = trueSize.At(10, 5);
    EXPECT_NE(frame, kBack);
    EXPECT_TRUE(trueSize.All(Rect(10, 5, 30, 25), frame));
    EXPECT_EQ(trueSize.Count(kBack), 40 * 30 - 400);
    ASSERT_TRUE(Class("TOOLBAR")->DrawBackground(trueSize.dc(), 2, 3, Ptr(Rect(0, 0, 40, 30))));
    EXPECT_NE(trueSize.At(10, 5), frame);

    // The magenta border of the keyed image stays out.
    Canvas keyed(12, 12);
    ASSERT_TRUE(Class("SPIN")->DrawBackground(keyed.dc(), 2, 1, Ptr(Rect(0, 0, 12, 12))));
    EXPECT_EQ(keyed.Count(RGB(255, 0, 255)), 0);
    EXPECT_TRUE(keyed.All(Rect(1, 1, 11, 11), RGB(0, 128, 0)));
    EXPECT_EQ(keyed.Count(kBack), 44);
}

TEST_P(SolidTheme, PartSizesAndTypedGetters)
{
    ASSERT_TRUE(theme.ok);
    CVZRThemeClass* toolbar = Class("toolbar");
    SIZE size = {0, 0};
    ASSERT_TRUE(toolbar->GetPartSize(3, 1, NULL, kPartSizeTrue, &size));
    EXPECT_EQ(size.cx, 20);
    EXPECT_EQ(size.cy, 20);
    RECT r = Rect(0, 0, 50, 30);
    ASSERT_TRUE(toolbar->GetPartSize(3, 1, &r, kPartSizeDraw, &size));
    EXPECT_EQ(size.cx, 50);
    EXPECT_EQ(size.cy, 30);
    EXPECT_FALSE(Class("EDIT")->GetPartSize(1, 1, NULL, kPartSizeTrue, &size));

    // A getter of another type gives its default and caches nothing.
    size_t cached = toolbar->GetCacheSize();
    EXPECT_EQ(toolbar->GetInt(3, 2, TMT_IMAGEFILE_, 77), 77);
    EXPECT_EQ(toolbar->GetCacheSize(), cached);
    EXPECT_STREQ(toolbar->GetString(3, 2, TMT_IMAGEFILE_, ""), "STRIP5.BMP");
    EXPECT_EQ(toolbar->GetCacheSize(), cached + 1);
    EXPECT_EQ(toolbar->GetInt(3, 2, TMT_IMAGEFILE_, 78), 78);
    EXPECT_EQ(toolbar->GetInt(3, 1, TMT_IMAGECOUNT_, 1), 5);
    EXPECT_EQ(toolbar->GetColor(3, 1, TMT_TEXTCOLOR_, RGB(7, 7, 7)), RGB(7, 7, 7));
    EXPECT_EQ(toolbar->GetClassCode(), 9);
    EXPECT_EQ(Class("NoSuchClass")->GetClassCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, SolidTheme, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Library" : "Folder"; });
}  // namespace
