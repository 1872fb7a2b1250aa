#include "installer/InstallerPlatform.h"
#include "installer/InstallerTexts.h"
#include "installer/LangFile.h"
#include "installer/tests/InstallerTestFiles.h"

#include <string>

using namespace installer_test;

namespace {
const char kSample[] =
    "; Tessumgr language file\n"
    "[[Button]]\n"
    "Assemble = OK\n"
    "Cancel=Quit\n"
    "Cancel=Leave\n"
    "\n"
    "[Tool Tips]\n"
    "Drive Map= Map\\n ---\\n Letters\n"
    "Formula=a=b\n"
    "no equals sign\n"
    "[Message Prompt]\n"
    "Operation OK=Done\n";

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

void CheckSample(CLangFile& lang)
{
    ASSERT_TRUE(lang.IsLoaded());
    EXPECT_GE(lang.FindSection("Button"), 0);
    EXPECT_LT(lang.FindSection("[Button]"), 0);
    // no blanks are trimmed, so the key keeps its blank
    EXPECT_STREQ(lang.GetValue("Button", "Assemble ").GetString(), " OK");
    EXPECT_STREQ(lang.GetValue("Button", "Assemble").GetString(), "");
    EXPECT_STREQ(lang.GetLastError().GetString(), "Unable to locate specified value: Assemble.");
    EXPECT_STREQ(lang.GetValue("Button", "Cancel").GetString(), "Leave");
    EXPECT_STREQ(lang.GetValue("Tool Tips", "Drive Map").GetString(), " Map \n --- \n Letters");
    EXPECT_STREQ(lang.GetValue("Tool Tips", "Formula").GetString(), "a=b");
    EXPECT_STREQ(lang.GetValue("Tool Tips", "").GetString(), "no equals sign");
    EXPECT_STREQ(lang.GetValue("tool tips", "Drive Map").GetString(), "");
    EXPECT_STREQ(lang.GetLastError().GetString(), "Unable to locate specified key: [tool tips]");
    EXPECT_LT(lang.FindSection("; Tessumgr language file"), 0);
}
}  // namespace

TEST(LangFile, ReadsSectionsKeysAndValuesAsWritten)
{
    TempFolder dir;
    ASSERT_TRUE(WriteText(dir / "lf.lng", kSample));
    ASSERT_TRUE(WriteText(dir / "crlf.lng", WithCrLf(kSample)));
    CLangFile lf, crlf;
    ASSERT_TRUE(lf.Load((dir / "lf.lng").c_str()));
    ASSERT_TRUE(crlf.Load((dir / "crlf.lng").c_str()));
    CheckSample(lf);
    CheckSample(crlf);
}

TEST(LangFile, LineOfMoreThan2047CharactersEndsTheReading)
{
    TempFolder dir;
    const std::string longest = "k=" + std::string(2045, 'x'), tooLong = "k=" + std::string(2046, 'y');
    ASSERT_TRUE(WriteText(dir / "a.lng", "[S]\r\n" + longest + "\r\nafter=1\r\n"));
    ASSERT_TRUE(WriteText(dir / "b.lng", "[S]\r\nbefore=1\r\n" + tooLong + "\r\nafter=1\r\n"));
    CLangFile a, b;
    ASSERT_TRUE(a.Load((dir / "a.lng").c_str()));
    EXPECT_EQ(a.GetValue("S", "k").GetLength(), 2045);
    EXPECT_STREQ(a.GetValue("S", "after").GetString(), "1");
    ASSERT_TRUE(b.Load((dir / "b.lng").c_str()));
    EXPECT_TRUE(b.IsLoaded());
    EXPECT_STREQ(b.GetValue("S", "before").GetString(), "1");
    EXPECT_STREQ(b.GetValue("S", "k").GetString(), "");
    EXPECT_STREQ(b.GetValue("S", "after").GetString(), "");
}

TEST(LangFile, MissingFileLeavesBuiltinTexts)
{
    CLangFile lang;
    EXPECT_FALSE(lang.Load("no-such-folder\\Tessumgr.lng"));
    EXPECT_FALSE(lang.IsLoaded());
    const CString expected = "Unable to open file: \"" + InstallerPlatform::ProgramFolder() + "\\no-such-folder\\Tessumgr.lng\"!!";
    EXPECT_STREQ(lang.GetLastError().GetString(), expected.GetString());
    EXPECT_STREQ(PromptText(&lang, "Operation OK").GetString(), " \xB2\xD9\xD7\xF7\xB3\xC9\xB9\xA6\xA3\xA1       ");
    EXPECT_STREQ(PromptText(NULL, "Not a message").GetString(), "");
}

TEST(LangFile, LoadedFileServesItsTextsAndEmptyForMissingKeys)
{
    TempFolder dir;
    ASSERT_TRUE(WriteText(dir / "t.lng", kSample));
    CLangFile lang;
    ASSERT_TRUE(lang.Load((dir / "t.lng").c_str()));
    EXPECT_STREQ(PromptText(&lang, "Operation OK").GetString(), "Done");
    EXPECT_STREQ(PromptText(&lang, "Invalid Bootini").GetString(), "");
}

TEST(LangFile, RelativePathIsTakenFromTheProgramFolder)
{
    const std::string name = "lang-test-" + std::to_string(rand()) + ".lng";
    const std::string full = std::string(InstallerPlatform::ProgramFolder().GetString()) + "/" + name;
    ASSERT_TRUE(WriteText(full, "[Application]\nTitle=T\n"));
    CLangFile lang;
    const bool loaded = lang.Load(name.c_str()) != FALSE;
    FwDeleteFile(full.c_str());
    ASSERT_TRUE(loaded);
    EXPECT_STREQ(lang.GetValue("Application", "Title").GetString(), "T");
}
