// The settings file: values read as an initialisation file holds them, and keys written into
// it changing no other line.
#include "platform/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "TestSupport.h"

namespace zintor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(SettingsFileRead, FindsValuesOfSectionsAndKeys) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[Settings]\nLogFile=/a/b.log\n", "Settings", "LogFile", "/a/b.log"},
        {"[settings]\nlogfile=/a/b.log\n", "Settings", "LogFile", "/a/b.log"},  // names ignore case
        {"[ SETTINGS ]\n  LOGFILE  =   /a b.log  \t\n", "Settings", "LogFile",
         "/a b.log"},  // blanks trimmed
        {"[Settings]\r\nLogFile=/a/b.log\r\n", "Settings", "LogFile", "/a/b.log"},  // CR LF
        {"[Settings]\r\nLogFile=/a/b.log\r", "Settings", "LogFile", "/a/b.log"},    // CR at the end
        {"[Settings]\rLogFile=/a/b.log \r\r\nA=1", "Settings", "LogFile",
         "/a/b.log"},  // CR alone ends a line
        {"\xEF\xBB\xBF[Settings]\nLogFile=x\n", "Settings", "LogFile", "x"},  // UTF-8 mark
        {"[Settings]\nLogFile=\"/a/b.log\"\n", "Settings", "LogFile",
         "/a/b.log"},  // quotes dropped
        {"[Settings]\nLogFile='x'\n", "Settings", "LogFile", "x"},
        {"[Settings]\nLogFile=\"x\n", "Settings", "LogFile", "\"x"},  // unmatched quote kept
        {"[Settings]\nLogFile=a=b\n", "Settings", "LogFile", "a=b"},  // first '=' splits
        {"[Other]\nLogFile=other\n[Settings]\nLogFile=mine\n", "Settings", "LogFile", "mine"},
        {"LogFile=outside\n[Settings]\n", "Settings", "LogFile", "default"},  // before any section
        {"[Settings]\n;LogFile=commented\n", "Settings", "LogFile", "default"},
        {"[Settings]\nLogFile\n", "Settings", "LogFile", "default"},  // no '='
        {"[Settings]\nLogFile=first\nLogFile=second\n", "Settings", "LogFile", "first"},
        {"[Settings]\nLogFile=\n", "Settings", "LogFile", ""},  // empty, not missing
        {"[Settings]\nIsTopMost=0\n", "Settings", "LogFile", "default"},
        {"", "Settings", "LogFile", "default"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        WriteFile(dir / "zintor.ini", c.file);
        SettingsFile settings(dir / "zintor.ini");
        EXPECT_EQ(settings.ReadString(c.section, c.key, "default"), c.expected) << c.file;
    }
}

TEST(SettingsFileRead, MissingFileReadsDefaults) {
    TempDir dir;
    SettingsFile settings(dir / "none.ini");
    EXPECT_EQ(settings.ReadString("Settings", "LogFile", ""), "");
    EXPECT_EQ(settings.ReadInt("Settings", "IsTopMost", 1), 1);
    EXPECT_EQ(settings.ReadInt("Settings", "IsSideMenu", 0), 0);
}

TEST(SettingsFileRead, IntegersReadAsDecimalUpToTheFirstOtherCharacter) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"1", 1},
        {" 0 ", 0},
        {"-5", -5},
        {"+7", 7},
        {"12px", 12},
        {"px", 0},
        {"0x10", 0},
        {"010", 10},
        {"", 99},           // an empty value reads as the
                            // default
        {"4294967297", 1},  // wraps around at 32 bits
    };
    TempDir dir;
    for (const Case& c : cases) {
        WriteFile(dir / "a.ini", std::string("[Settings]\nIsTopMost=") + c.value + "\n");
        EXPECT_EQ(SettingsFile(dir / "a.ini").ReadInt("Settings", "IsTopMost", 99), c.expected)
            << c.value;
    }
}

TEST(SettingsFileRead, LongValuesAreCutTo4095Characters) {
    TempDir dir;
    std::string longValue(5000, 'x');
    WriteFile(dir / "a.ini", "[Settings]\nLogFile=" + longValue + "\n");
    EXPECT_EQ(SettingsFile(dir / "a.ini").ReadString("Settings", "LogFile", ""),
              std::string(4095, 'x'));
    // Characters, not bytes: a multi-byte character is never split.
    std::string wide;
    for (int i = 0; i < 4100; ++i) wide += "\xC3\xA9";  // é
    WriteFile(dir / "a.ini", "[Settings]\nLogFile=" + wide + "\n");
    EXPECT_EQ(SettingsFile(dir / "a.ini").ReadString("Settings", "LogFile", "").size(), 4095u * 2);
}

TEST(SettingsFileWrite, ChangesOnlyTheKeysLine) {
    struct Case {
        const char* before;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        // Missing file: created with the section.
        {nullptr, "IsTopMost", "1", "[Settings]\nIsTopMost=1\n"},
        // Replaced in place, keeping the key's spelling, comments and other sections.
        {"; zintor\n[Other]\nA=1\n\n[settings]\nistopmost = 0 ; old\nLogFile=/x.log\n", "IsTopMost",
         "1", "; zintor\n[Other]\nA=1\n\n[settings]\nistopmost=1\nLogFile=/x.log\n"},
        // Added after the section's last line, before the blank line that ends it.
        {"[Settings]\nA=1\n\n[Other]\nB=2\n", "IsZoomed", "0",
         "[Settings]\nA=1\nIsZoomed=0\n\n[Other]\nB=2\n"},
        // A missing section is added at the end, after a blank line.
        {"[Other]\nB=2", "IsSideMenu", "1", "[Other]\nB=2\n\n[Settings]\nIsSideMenu=1\n"},
        // CR LF files stay CR LF; the UTF-8 mark stays.
        {"\xEF\xBB\xBF[Settings]\r\nA=1\r\n", "A", "2", "\xEF\xBB\xBF[Settings]\r\nA=2\r\n"},
        // Only the first section of that name is the key's.
        {"[Settings]\nA=1\n[Settings]\nB=1\n", "B", "2", "[Settings]\nA=1\nB=2\n[Settings]\nB=1\n"},
        // A CR alone ends a line, also at the end of the file; values are kept as they read.
        {"[Settings]\nA=1\r", "B", "2", "[Settings]\nA=1\nB=2\n"},
        {"[Settings]\nA=1 \r\r\nC=3", "B", "2", "[Settings]\nA=1 \n\nC=3\nB=2\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.before) WriteFile(dir / "zintor.ini", c.before);
        SettingsFile settings(dir / "zintor.ini");
        EXPECT_EQ(settings.WriteString("Settings", c.key, c.value), test::kNoFailure);
        EXPECT_EQ(ReadFile(dir / "zintor.ini"), c.after) << (c.before ? c.before : "(no file)");
    }
}

TEST(SettingsFileWrite, WrittenValuesReadBack) {
    TempDir dir;
    SettingsFile settings(dir / "zintor.ini");
    ASSERT_EQ(settings.WriteString("Settings", "IsTopMost", "1"), test::kNoFailure);
    // Several keys in one rewrite, in order, as one at a time would write them.
    ASSERT_EQ(
        settings.Write("Settings", {{"IsSideMenu", "0"}, {"IsZoomed", "-3"}, {"istopmost", "1"}}),
        test::kNoFailure);
    ASSERT_EQ(settings.WriteString("Settings", "LogFile", "/home/u/ログ/vorlix_report2024.log"),
              test::kNoFailure);
    EXPECT_EQ(settings.ReadInt("SETTINGS", "istopmost", 7), 1);
    EXPECT_EQ(settings.ReadInt("Settings", "IsSideMenu", 7), 0);
    EXPECT_EQ(settings.ReadInt("Settings", "IsZoomed", 7), -3);
    EXPECT_EQ(settings.ReadString("Settings", "LogFile", ""), "/home/u/ログ/vorlix_report2024.log");
    EXPECT_EQ(ReadFile(dir / "zintor.ini"),
              "[Settings]\nIsTopMost=1\nIsSideMenu=0\nIsZoomed=-3\nLogFile=/home/u/ログ/"
              "vorlix_report2024.log\n");
}

// A path holding a line break would otherwise plant a line of its own in the file.
TEST(SettingsFileWrite, RefusesLineBreaksAndKeepsTheFile) {
    TempDir dir;
    WriteFile(dir / "zintor.ini", "[Settings]\nLogFile=/old.log\n");
    SettingsFile settings(dir / "zintor.ini");
    const Failure refused{Failure::kWrite, dir / "zintor.ini", Failure::kLineBreak};
    EXPECT_EQ(settings.WriteString("Settings", "LogFile", "/a.log\nIsTopMost=0"), refused);
    EXPECT_EQ(settings.WriteString("Settings", "Log\rFile", "x"), refused);
    EXPECT_EQ(settings.Write("Settings", {{"IsTopMost", "0"}, {"IsZoomed", "1\r"}}), refused)
        << "all or none";
    EXPECT_EQ(ReadFile(dir / "zintor.ini"), "[Settings]\nLogFile=/old.log\n");
}

TEST(SettingsFileWrite, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    SettingsFile missingFolder(dir / "no/such/zintor.ini");
    EXPECT_EQ(missingFolder.WriteString("Settings", "IsTopMost", "1").error, ENOENT);

    // The settings path is a folder: nothing is written over it.
    ::mkdir((dir / "folder.ini").c_str(), 0755);
    SettingsFile folder(dir / "folder.ini");
    EXPECT_EQ(folder.WriteString("Settings", "IsTopMost", "1"),
              (Failure{Failure::kRead, dir / "folder.ini", Failure::kNotARegularFile}));
    EXPECT_EQ(test::CountEntries(dir.path()), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace zintor
