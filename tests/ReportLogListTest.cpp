// What a report log's name is, listing, sorting and grouping the report logs of the side
// menu, and their names as the menu shows them.
#include "logs/ReportLogList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"
#include "logs/ReportLogName.h"
#include "platform/DirectorySearch.h"
#include "platform/DisplayText.h"

namespace zintor {
namespace {

using test::TempDir;

// Keeps the test process's current directory, which a test may change to list a relative
// folder.
class ReportLogListTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = CurrentDirectory(); }
    void TearDown() override { (void)::chdir(saved_.c_str()); }
    std::string saved_;
};

std::vector<std::string> Names(const std::vector<std::string>& paths, const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& p : paths) names.push_back(p.substr(folder.size() + 1));
    return names;
}

// The rules of a log's name agree: every name listed is one the reader takes, wherever it lies.
TEST(ReportLogName, ListedNamesAreReadersNamesAndGiveTheirYearAndMonth) {
    struct Case {
        const char* name;
        bool reader;  // HasReportLogName of "/l/" + name
        bool listed;  // IsReportLogFileName
        int year;     // the one year it names, 0 for none
        bool month;   // IsMonthLogName
    };
    const Case cases[] = {
        {"vorlix_report202611.log", true, true, 2026, true},
        {"vorlix_report2024.log", true, true, 2024, false},
        {"vorlix_report.log", true, true, 0, false},  // no year: listed, grouped under none
        {"vorlix_report_home.log", true, true, 0, false},
        {"vorlix_report198912.log", true, true, 0, true},  // before the side menu's years
        {"vorlix_report209001.log", true, true, 0, true},  // after them
        {"vorlix_report2026x1.log", true, true, 2026, false},
        {"vorlix_report2026011.log", true, true, 2026, false},
        {"VORLIX_REPORT2025.LOG", false, false, 0, false},  // refused by the reader: not listed
        {"Vorlix_Report202611.log", false, false, 0, false},
        {"vorlix_report202611.LOG", false, false, 2026, false},
        {"vorlix_report202611.log.bak", true, false, 2026, false},  // read when given, not listed
        {"old.vorlix_report202611.log", true, false, 2026, false},
        {"vorlix_report202611.txt", false, false, 2026, false},
        {"vorlix_report", false, false, 0, false},
        {".log", false, false, 0, false},
        {"", false, false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HasReportLogName(std::string("/l/") + c.name), c.reader);
        EXPECT_EQ(IsReportLogFileName(c.name), c.listed);
        if (c.listed) {
            EXPECT_TRUE(HasReportLogName(std::string("/other/") + c.name));
        }
        for (int year = kFirstSideMenuYear - 1; year <= kLastSideMenuYear + 1; ++year)
            EXPECT_EQ(NamesYear(c.name, year), year == c.year) << year;
        EXPECT_EQ(IsMonthLogName(c.name), c.month);
    }
    // The reader looks at the whole path, folders included.
    EXPECT_TRUE(HasReportLogName("/vorlix_report/x.log/data.txt"));
    EXPECT_TRUE(NamesYear("/vorlix_report2020/vorlix_report2023.log", 2020));
    EXPECT_TRUE(NamesYear("/vorlix_report2020/vorlix_report2023.log", 2023));
}

TEST_F(ReportLogListTest, ListsMatchingFilesOnlyAndSortsThem) {
    TempDir dir;
    for (const char* name : {"vorlix_report2024.log", "vorlix_report2023.log",
                             "VORLIX_REPORT2022.LOG", "vorlix_report2024b.log", "vorlix_report.log",
                             "other2024.log", "vorlix_report2024.txt"}) {
        test::WriteFile(dir / name, "x");
    }
    // Only regular files and links to them are listed: no folder, FIFO, device or dangling link.
    ::mkdir((dir / "vorlix_report2021.log").c_str(), 0755);
    ::mkfifo((dir / "vorlix_report2020.log").c_str(), 0644);
    ::symlink("/dev/zero", (dir / "vorlix_report2019.log").c_str());
    ::symlink("vorlix_report2021.log", (dir / "vorlix_report2018.log").c_str());
    ::symlink("gone", (dir / "vorlix_report2017.log").c_str());
    ::symlink("vorlix_report2023.log", (dir / "vorlix_report2016.log").c_str());
    const std::vector<std::string> expected{"vorlix_report.log", "vorlix_report2016.log",
                                            "vorlix_report2023.log", "vorlix_report2024.log",
                                            "vorlix_report2024b.log"};
    // The folder as given, through a link, and relative to the current directory, which the
    // listing never changes: the same paths each time, in the folder's own name.
    ::symlink(dir.path().c_str(), (dir / "link").c_str());
    ::mkdir((dir / "sub").c_str(), 0755);
    ASSERT_EQ(::chdir((dir / "sub").c_str()), 0);
    for (const std::string& folder :
         {dir.path() + "/", dir / "link/", std::string("../"), std::string("../sub/../")}) {
        std::vector<std::string> logs = ListReportLogs(folder);
        SortReportLogs(logs);
        EXPECT_EQ(Names(logs, dir.path()), expected) << folder;
        EXPECT_EQ(CurrentDirectory(), dir / "sub") << folder;
    }
}

TEST_F(ReportLogListTest, MissingOrEmptyDirectoryGivesNoLogs) {
    TempDir dir;
    test::WriteFile(dir / "vorlix_report2024.log", "x");
    EXPECT_TRUE(ListReportLogs(dir / "gone/").empty());
    EXPECT_TRUE(ListReportLogs(dir / "vorlix_report2024.log/").empty());  // a file
    EXPECT_TRUE(ListReportLogs("").empty());
}

// The side menu holds 32,000 logs; a run over the whole folder asks for every one.
TEST_F(ReportLogListTest, TheSideMenuStopsAt32000LogsAndAWholeFolderListHasNoLimit) {
    TempDir dir;
    for (int i = 0; i < 32005; ++i)
        test::WriteFile(dir / ("vorlix_report" + std::to_string(i) + ".log"), "");
    EXPECT_EQ(ListReportLogs(dir.path() + "/").size(), kMaxReportLogs);
    EXPECT_EQ(ListReportLogs(dir.path() + "/", kNoLogLimit).size(), 32005u);
}

// The window's first start opens on the recorder's latest month: names of another form, such
// as a folder or a FIFO named like a log, never count, even where they sort later.
TEST_F(ReportLogListTest, TheNewestLogIsTheLatestMonthOfThoseNamedAsTheRecorderNamesThem) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::string newest;
    };
    const Case cases[] = {
        {"months across years",
         {"vorlix_report202512.log", "vorlix_report202601.log", "vorlix_report202411.log"},
         "vorlix_report202601.log"},
        {"later-sorting names of another form",
         {"vorlix_report202601.log", "vorlix_report2026x1.log", "vorlix_report2026011.log",
          "vorlix_report202602.log.txt", "vorlix_report202603.LOG", "vorlix_report2027.log"},
         "vorlix_report202601.log"},
        {"none of the form", {"vorlix_report2024.log", "notes.log"}, ""},
        {"no logs", {}, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (const std::string& name : c.files) test::WriteFile(dir / name, "x");
        ::mkdir((dir / "vorlix_report209912.log").c_str(), 0755);
        ::mkfifo((dir / "vorlix_report209911.log").c_str(), 0644);
        EXPECT_EQ(NewestReportLog(dir.path()), c.newest.empty() ? "" : dir / c.newest) << c.what;
    }
    EXPECT_EQ(NewestReportLog(""), "");
    EXPECT_EQ(NewestReportLog("/nonexistent/zintor"), "");
}

TEST(SideMenuDirectory, IsTheLastLogsFolderOrTheProgramsOwn) {
    EXPECT_EQ(SideMenuDirectory("", "/opt/zintor/zintor"), "/opt/zintor/");
    EXPECT_EQ(SideMenuDirectory("/home/u/logs/vorlix_report2024.log", "/opt/zintor/zintor"),
              "/home/u/logs/");
    EXPECT_EQ(SideMenuDirectory("vorlix_report2024.log", "/opt/zintor/zintor"),
              "");  // bare name: no folder
}

TEST(GroupReportLogsByYear, GroupsByTheCaseSensitiveYearKeyInTheWholePath) {
    struct Case {
        std::vector<std::string> logs;
        std::vector<YearGroup> expected;
    };
    auto eq = [](const std::vector<YearGroup>& a, const std::vector<YearGroup>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i].year != b[i].year || a[i].files != b[i].files) return false;
        }
        return true;
    };
    const Case cases[] = {
        {{"/l/vorlix_report2023.log", "/l/vorlix_report2024.log"}, {{2023, {0}}, {2024, {1}}}},
        {{"/l/vorlix_report2024.log", "/l/vorlix_report2024_b.log"}, {{2024, {0, 1}}}},
        // Outside 1990 to 2089, without a year, or in other letter case: listed, never shown.
        {{"/l/vorlix_report1989.log", "/l/vorlix_report2090.log", "/l/vorlix_report.log",
          "/l/VORLIX_REPORT2024.LOG"},
         {}},
        {{"/l/vorlix_report1990.log", "/l/vorlix_report2089.log"}, {{1990, {0}}, {2089, {1}}}},
        // A folder named with a year's key puts every log under that year.
        {{"/vorlix_report2020/vorlix_report2023.log", "/vorlix_report2020/vorlix_report2024.log"},
         {{2020, {0, 1}}, {2023, {0}}, {2024, {1}}}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(eq(GroupReportLogsByYear(c.logs), c.expected))
            << (c.logs.empty() ? "" : c.logs[0]);
    }
}

// A name's bytes need not be UTF-8: what is valid stays, every other byte shows as U+FFFD.
TEST(ReadableName, KeepsValidUtf8AndMarksEveryOtherByte) {
    struct Case {
        const char* bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"vorlix_report2024.log", "vorlix_report2024.log"},
        {"vorlix_report2024\xE3\x83\xAD.log", "vorlix_report2024\xE3\x83\xAD.log"},  // a katakana
        {"vorlix_report2024\xFF\xFE.log", "vorlix_report2024\uFFFD\uFFFD.log"},
        {"a\xE3\x83.log", "a\uFFFD\uFFFD.log"},  // a cut-off sequence, byte by byte
        {"\xC0\xAF\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong, surrogate
        {"\xF4\x8F\xBF\xBF\xF4\x90\x80\x80",
         "\xF4\x8F\xBF\xBF\uFFFD\uFFFD\uFFFD\uFFFD"},                    // U+10FFFF, beyond
        {"vorlix_report\x93\xFA.log", "vorlix_report\uFFFD\uFFFD.log"},  // code page 932
    };
    for (const Case& c : cases) EXPECT_EQ(ReadableUtf8(c.bytes), c.shown) << c.bytes;
}

}  // namespace
}  // namespace zintor
