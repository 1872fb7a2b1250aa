#include "designer/core/TextFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "testsupport/TestSupport.h"

namespace fs = std::filesystem;

namespace {
fs::path TempFile(const char* name)
{
    return fs::temp_directory_path() /
           (std::string("textfile_test_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + name);
}

class ChosenPathWriter : public CTextFileWriter {
public:
    ChosenPathWriter(const std::string& chosen) : CTextFileWriter("html", "\n"), m_chosen(chosen) {}
    BOOL BrowseForFile(BOOL forSave, CString& path) override
    {
        asked = forSave;
        path = m_chosen.c_str();
        return !m_chosen.empty();
    }
    BOOL asked = FALSE;

private:
    std::string m_chosen;
};

CStringArray Lines()
{
    CStringArray lines;
    lines.Add("first");
    lines.Add("");
    lines.Add("third \xE4 line");
    return lines;
}
}  // namespace

TEST(TextFileWriter, WritesEachLineWithTheTerminatorInBinary)
{
    const fs::path path = TempFile(".txt");
    CTextFileWriter writer("txt", "\r\n");
    std::ofstream(path, std::ios::binary) << "old content that is longer than the new one ...";
    EXPECT_EQ(1, writer.Save(path.string().c_str(), Lines()));
    EXPECT_EQ("first\r\n\r\nthird \xE4 line\r\n", zavotest::ReadFile(path));
    EXPECT_TRUE(writer.GetErrorText().IsEmpty());
    EXPECT_STREQ("txt", writer.GetExtension());
    fs::remove(path);
}

TEST(TextFileWriter, EmptyPathAsksForOne)
{
    const fs::path path = TempFile(".html");
    ChosenPathWriter writer(path.string());
    EXPECT_EQ(1, writer.Save("", Lines()));
    EXPECT_TRUE(writer.asked);
    EXPECT_EQ("first\n\nthird \xE4 line\n", zavotest::ReadFile(path));
    fs::remove(path);

    ChosenPathWriter cancelled("");
    EXPECT_EQ(0, cancelled.Save(NULL, Lines()));
    // Without a window layer there is no dialog to ask.
    CTextFileWriter plain("txt", "\n");
    EXPECT_EQ(0, plain.Save("", Lines()));
}

TEST(TextFileWriter, FileThatCannotBeCreatedKeepsTheSystemText)
{
    const fs::path path = TempFile("_missing") / "sub" / "x.txt";
    CTextFileWriter writer("txt", "\n");
    EXPECT_EQ(0, writer.Save(path.string().c_str(), Lines()));
    EXPECT_FALSE(writer.GetErrorText().IsEmpty());
    EXPECT_LE(writer.GetErrorText().GetLength(), 256);
}
