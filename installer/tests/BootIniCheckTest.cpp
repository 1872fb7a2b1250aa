#include "installer/BootIniCheck.h"

#include <gtest/gtest.h>

namespace {
const char kOurKey[] = "C:\\Zeldr.bin";
const char kOurValue[] = "\"Tessu - A.ISO\"";

const std::string kBefore =
    "[boot loader]\r\n"
    "timeout=0\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "; a comment\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /noexecute=optin /fastdetect\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\" /safeboot:minimal\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n";
}  // namespace

TEST(BootIniCheck, ReadsEntriesWithDuplicatesAndEqualSigns)
{
    const std::vector<BootIniEntry> e = ReadBootIniEntries(kBefore);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].section, "boot loader");
    EXPECT_EQ(e[2].key, "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
    EXPECT_EQ(e[2].value, "\"XP\" /noexecute=optin /fastdetect");
    EXPECT_EQ(e[3].key, e[2].key);
    EXPECT_EQ(e[4].section, "operating systems");
}

TEST(BootIniCheck, AcceptsOnlyTheTimeoutAndOurEntryAsChanges)
{
    const std::string added = kBefore + "C:\\Zeldr.bin=\"Tessu - A.ISO\"\r\n";
    EXPECT_TRUE(BootIniKeptEntries(kBefore, added, kOurKey, kOurValue));
    std::string timeout = added;
    timeout.replace(timeout.find("timeout=0"), 9, "timeout = 5");
    EXPECT_TRUE(BootIniKeptEntries(kBefore, timeout, kOurKey, kOurValue));

    // an earlier entry of ours is replaced where it stands
    const std::string oldOurs = kBefore + "c:\\zeldr.bin=\"Tessu - OLD\"\r\n[x]\r\nk=v\r\n";
    std::string newOurs = oldOurs;
    newOurs.replace(newOurs.find("\"Tessu - OLD\""), 13, kOurValue);
    EXPECT_TRUE(BootIniKeptEntries(oldOurs, newOurs, kOurKey, kOurValue));
    EXPECT_FALSE(BootIniKeptEntries(oldOurs, oldOurs, kOurKey, kOurValue));

    // entries of ours in other cases go; one of ours stays
    const std::string tail = "[x]\r\nk=v\r\n";
    const std::string twoOurs = kBefore + "c:\\zeldr.bin=\"Tessu - OLD\"\r\nC:\\ZELDR.BIN=\"Tessu - OLDER\"\r\n" + tail;
    EXPECT_EQ(CountOurEntries(twoOurs, kOurKey), 2u);
    std::string bothKept = twoOurs;
    bothKept.replace(bothKept.find("\"Tessu - OLD\""), 13, kOurValue);
    EXPECT_FALSE(BootIniKeptEntries(twoOurs, bothKept, kOurKey, kOurValue));
    EXPECT_TRUE(BootIniKeptEntries(twoOurs, kBefore + "C:\\Zeldr.bin=\"Tessu - A.ISO\"\r\n" + tail, kOurKey, kOurValue));

    std::string lost = added;
    lost.erase(lost.find("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP safe\""), 70);
    EXPECT_FALSE(BootIniKeptEntries(kBefore, lost, kOurKey, kOurValue));
    std::string changed = added;
    changed.replace(changed.find("/fastdetect"), 11, "/nodetect");
    EXPECT_FALSE(BootIniKeptEntries(kBefore, changed, kOurKey, kOurValue));
    EXPECT_FALSE(BootIniKeptEntries(kBefore, kBefore, kOurKey, kOurValue));
    EXPECT_FALSE(BootIniKeptEntries(kBefore, "", kOurKey, kOurValue));
    EXPECT_FALSE(BootIniKeptEntries(kBefore, added + "extra=1\r\n", kOurKey, kOurValue));
}
