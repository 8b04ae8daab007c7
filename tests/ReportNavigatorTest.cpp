// The roads from a chosen log to the pane, without a window: what each road shows, when
// LogFile is written, and the log followed while the monitor writes it.
#include "app/window/ReportNavigator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "app/WindowSettings.h"
#include "platform/DirectorySearch.h"
#include "platform/SettingsFile.h"
#include "report/ReportGenerator.h"

namespace zintor {
namespace {

using test::LogRows;
using test::TempDir;
using test::WriteFile;

// The window, as the navigator sees it: what it was asked to do, in order, each told by the
// file name it concerns ("page vorlix_report2024.html", "hint", "hint | why").
class FakeWindow : public NavigatorWindow {
  public:
    void ShowInPane(const std::string& url) override { asked.push_back(Told(url)); }
    void ShowAgainInPane(const std::string& url) override {
        asked.push_back("again " + Told(url).substr(5));
    }
    void FollowedLogChanged() override {}
    std::vector<std::string> asked;

  private:
    std::string Told(const std::string& url) const {
        if (url.starts_with("file://") || url.starts_with("zintor-file://"))
            return "page " + url.substr(url.rfind('/') + 1);
        std::size_t detail = url.find("<br><span style=\"color:#888888;\">");
        if (detail == std::string::npos) return "hint";
        std::string why = url.substr(detail + 33, url.find("</span>", detail + 33) - detail - 33);
        return "hint | " + why.substr(why.rfind('/') + 1);
    }
};

// A program with its template, and a folder of logs: two that give pages, one of a single
// row (read, but no page), a FIFO, a device and files that are no logs, and a folder named
// like one.
class ReportNavigatorTest : public ::testing::Test {
  protected:
    ReportNavigatorTest() {
        std::string text;
        for (const char* name :
             {"html_header", "body_header", "body_main1", "body_main2", "body_main3", "body_main4",
              "body_main5", "body_main6", "body_main7", "body_main8", "body_main9", "body_footer",
              "html_footer"}) {
            text += std::string("; ") + name + "_start\n" + name + "\n; " + name + "_end\n";
        }
        WriteFile(dir_ / "zintor.htm_en.txt", text);
        ::mkdir(logs_.c_str(), 0755);
        WriteFile(Log("2023"), LogRows(2023, 5, 60));
        WriteFile(Log("2024"), LogRows(2024, 2, 60));
        WriteFile(Log("2024x"), LogRows(2024, 3, 1));
        WriteFile(Log("2022") + ".txt", LogRows(2022, 1, 60));
        WriteFile(logs_ + "/vorlix_report2021.LOG",
                  LogRows(2021, 1, 60));  // the reader wants ".log"
        ::mkfifo(Log("2024y").c_str(), 0644);
        ::symlink("/dev/zero", Log("2024z").c_str());
        ::mkdir((logs_ + "/folder.log").c_str(), 0755);
        cwd_ = CurrentDirectory();
    }
    ~ReportNavigatorTest() override { (void)::chdir(cwd_.c_str()); }

    std::string Log(const std::string& month) const {
        return logs_ + "/vorlix_report" + month + ".log";
    }
    std::string LogFile() const { return settings_.ReadString(kSettingsSection, kLogFileKey, ""); }
    // LogFile in the settings file, read at the window's start.
    void Start(const std::string& logFile) {
        settings_.WriteString(kSettingsSection, kLogFileKey, logFile);
        navigator_.SetStartLog(ReadWindowSettings(settings_).logFile);
    }

    TempDir dir_;
    test::ScopedLanguage english_{false};
    std::string logs_ = dir_ / "logs";
    std::string cwd_;
    SettingsFile settings_{dir_ / "zintor.ini"};
    ReportGenerator report_{dir_ / "zintor", 1};
    FakeWindow window_;
    ReportNavigator navigator_{report_, settings_, dir_ / "zintor", 1, window_};
};

TEST_F(ReportNavigatorTest, EachRoadShowsThePageOrTheHintAndWritesLogFileOnlyWhenTheUserChoseALog) {
    struct Case {
        const char* what;
        std::string logFile;  // before
        std::function<void(ReportNavigator&)> road;
        std::vector<std::string> asked;
        std::string logFileAfter;
    };
    auto first = [](ReportNavigator& n) { n.ShowFirstReport(); };
    auto open = [](std::string path) {
        return [path](ReportNavigator& n) { n.OpenChosenLog(path); };
    };
    auto drop = [](std::vector<std::string> names) {
        return [names](ReportNavigator& n) { n.OpenDroppedFiles(names); };
    };
    const std::string log2023 = Log("2023"), log2024 = Log("2024"), oneRow = Log("2024x");
    WriteFile(Log("2023\xFF"), LogRows(2023, 3, 60));
    const Case cases[] = {
        {"first: no LogFile", "", first, {"hint"}, ""},
        {"first: the last log", log2024, first, {"page vorlix_report2024.html"}, log2024},
        {"first: one row gives no page, and says nothing", oneRow, first, {"hint"}, oneRow},
        {"first: missing", Log("1999"), first, {"hint"}, Log("1999")},
        {"first: a FIFO", Log("2024y"), first, {"hint"}, Log("2024y")},
        {"first: a device", Log("2024z"), first, {"hint"}, Log("2024z")},
        {"open: a log", log2024, open(log2023), {"page vorlix_report2023.html"}, log2023},
        {"open: no page, and why",
         log2024,
         open(oneRow),
         {"hint | vorlix_report2024x.html: the log holds fewer than 2 data rows"},
         oneRow},
        {"open: upper-case extension passes, the reader refuses, and says why",
         log2024,
         open(logs_ + "/vorlix_report2021.LOG"),
         {"hint | vorlix_report2021.LOG"},
         log2024},
        {"open: not a log", log2024, open(Log("2022") + ".txt"), {}, log2024},
        {"open: missing, and why",
         log2024,
         open(Log("1999")),
         {"hint | vorlix_report1999.log: No such file or directory"},
         log2024},
        {"open: a FIFO, and why",
         log2024,
         open(Log("2024y")),
         {"hint | vorlix_report2024y.log: not a regular file"},
         log2024},
        {"open: a name of bytes that are no text",
         log2024,
         open(Log("2023\xFF")),
         {"page vorlix_report2023%FF.html"},
         Log("2023\xFF")},
        {"drop: the first log that reads",
         log2024,
         drop({logs_ + "/folder.log", Log("2022") + ".txt", Log("1999"), Log("2024y"), log2023,
               log2024}),
         {"page vorlix_report2023.html"},
         log2024},
        {"drop: nothing that reads, the first says why",
         log2024,
         drop({logs_ + "/folder.log", Log("1999"), Log("2024y")}),
         {"hint | vorlix_report1999.log: No such file or directory"},
         log2024},
        {"drop: nothing that is a log", log2024, drop({Log("2022") + ".txt"}), {}, log2024},
    };
    for (const Case& c : cases) {
        Start(c.logFile);
        window_.asked.clear();
        c.road(navigator_);
        EXPECT_EQ(window_.asked, c.asked) << c.what;
        EXPECT_EQ(LogFile(), c.logFileAfter) << c.what;
    }
    EXPECT_EQ(CurrentDirectory(), cwd_);  // the folder test of a drop enters no folder
}

TEST_F(ReportNavigatorTest, StartOnMessagePageShowsTheHintWhateverLogFileHolds) {
    Start(Log("2024"));
    navigator_.StartOnMessagePage("/l/vorlix_report1999.log: gone");
    navigator_.ShowFirstReport();
    EXPECT_EQ(window_.asked, std::vector<std::string>{"hint | vorlix_report1999.log: gone"});
    EXPECT_FALSE(test::Exists(logs_ + "/vorlix_report2024.html"));
}

// The first report comes a moment after the start: a log chosen before it stays on screen.
TEST_F(ReportNavigatorTest, TheFirstReportNeverReplacesALogChosenBeforeIt) {
    Start(Log("2024"));
    navigator_.ListSideMenu();
    navigator_.ChooseSideMenuItem("2023", 0);  // a year item chooses nothing
    navigator_.ChooseSideMenuItem("vorlix_report2023.log", 0);
    navigator_.ShowFirstReport();
    EXPECT_EQ(window_.asked, std::vector<std::string>{"page vorlix_report2023.html"});
    EXPECT_FALSE(test::Exists(logs_ + "/vorlix_report2024.html"));
}

// "--show LOG": the log was asked for, so a first report that gives no page says why.
TEST_F(ReportNavigatorTest, AFirstReportAskedForSaysWhyItGaveNoPage) {
    struct Case {
        std::string log, asked;
    };
    const Case cases[] = {
        {Log("2024"), "page vorlix_report2024.html"},
        {Log("2024x"), "hint | vorlix_report2024x.html: the log holds fewer than 2 data rows"},
        {Log("2024y"), "hint | vorlix_report2024y.log: not a regular file"},
    };
    for (const Case& c : cases) {
        FakeWindow window;
        ReportNavigator navigator{report_, settings_, dir_ / "zintor", 1, window};
        settings_.WriteString(kSettingsSection, kLogFileKey, c.log);
        navigator.SetStartLog(c.log);
        navigator.StartLogAskedFor();
        navigator.ShowFirstReport();
        EXPECT_EQ(window.asked, std::vector<std::string>{c.asked}) << c.log;
    }
}

TEST_F(ReportNavigatorTest, TheSideMenuListsTheLastLogsFolderAndOnlyLogItemsOpen) {
    EXPECT_EQ(navigator_.OpenDialogFolder(), dir_.path() + "/");  // the program's, before any log
    Start(Log("2024"));
    EXPECT_EQ(navigator_.OpenDialogFolder(), logs_ + "/");
    const std::vector<std::string> listed = navigator_.ListSideMenu();
    // No FIFO, no folder, and no name the reader refuses (vorlix_report2021.LOG).
    EXPECT_EQ(listed, (std::vector<std::string>{Log("2023"), Log("2024"), Log("2024x")}));
    navigator_.ChooseSideMenuItem("2023", 0);  // a year item
    navigator_.ChooseSideMenuItem("vorlix_report2023.log", 99);
    EXPECT_TRUE(window_.asked.empty());
    navigator_.ChooseSideMenuItem("vorlix_report2023.log", 0);
    EXPECT_EQ(window_.asked, std::vector<std::string>{"page vorlix_report2023.html"});
    EXPECT_EQ(LogFile(), Log("2023"));
    // A listed log that went since: the hint says so, and LogFile stays.
    ::unlink(Log("2024").c_str());
    navigator_.ChooseSideMenuItem("vorlix_report2024.log", 1);
    EXPECT_EQ(window_.asked.back(), "hint | vorlix_report2024.log: No such file or directory");
    EXPECT_EQ(LogFile(), Log("2023"));
}

// A LogFile written by hand relative to the folder the window starts in: its page shows, its
// folder is listed, and listing it again (as the folder watch does) keeps it there.
TEST_F(ReportNavigatorTest, ARelativeLogFileShowsItsPageAndStaysInTheSideMenu) {
    struct Case {
        std::string startFolder, logFile;
    };
    const Case cases[] = {
        {dir_.path(), "logs/vorlix_report2024.log"},
        {dir_.path(), "./logs/../logs/vorlix_report2024.log"},
        {logs_, "vorlix_report2024.log"},
        {logs_ + "/folder.log", "../vorlix_report2024.log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logFile);
        ASSERT_EQ(::chdir(c.startFolder.c_str()), 0);
        window_.asked.clear();
        Start(c.logFile);
        const std::vector<std::string> expected{Log("2023"), Log("2024"), Log("2024x")};
        EXPECT_EQ(navigator_.ListSideMenu(), expected);
        navigator_.ShowFirstReport();
        EXPECT_EQ(window_.asked, std::vector<std::string>{"page vorlix_report2024.html"});
        EXPECT_TRUE(navigator_.RelistSideMenu().empty());
        EXPECT_EQ(navigator_.LogFiles(), expected);
        EXPECT_EQ(CurrentDirectory(), c.startFolder);
        EXPECT_EQ(LogFile(), c.logFile);  // as written: only a choice writes LogFile
    }
}

TEST_F(ReportNavigatorTest, TheFollowedLogIsWrittenAgainOnlyForChangesOfItsOwn) {
    Start(Log("2024"));
    navigator_.ListSideMenu();
    navigator_.ShowFirstReport();
    navigator_.FoldersToWatch();
    const std::string watched = WatchPathOf(Log("2024"));
    EXPECT_FALSE(
        navigator_.NoteFolderChange(FolderChange::Modified, WatchPathOf(Log("2023")), "", 0));
    EXPECT_TRUE(navigator_.NoteFolderChange(FolderChange::Modified, watched, watched, 1000));
    EXPECT_EQ(navigator_.BurstWaitMs(1000), ChangeBurst::kQuietMs);
    ChangeEffect effect = navigator_.SettleBurst();
    EXPECT_TRUE(effect.regenerate && !effect.relist);
    EXPECT_EQ(navigator_.BurstWaitMs(2000), 0);

    window_.asked.clear();
    navigator_.RegenerateFollowedLog();
    WriteFile(Log("2024"), LogRows(2024, 2, 1));  // cut back to one row
    navigator_.RegenerateFollowedLog();
    ::unlink(Log("2024").c_str());
    navigator_.RegenerateFollowedLog();
    EXPECT_EQ(window_.asked,
              (std::vector<std::string>{
                  "again vorlix_report2024.html",
                  "hint | vorlix_report2024.html: the log holds fewer than 2 data rows",
                  "hint | vorlix_report2024.log: No such file or directory"}));
    EXPECT_EQ(LogFile(), Log("2024"));

    // Another log shown: a burst of the one before no longer asks for a page.
    EXPECT_TRUE(navigator_.NoteFolderChange(FolderChange::Modified, watched, watched, 3000));
    navigator_.OpenChosenLog(Log("2023"));
    EXPECT_FALSE(navigator_.SettleBurst().regenerate);
}

// A log that is a symbolic link is followed in the folder of its target too; a followed folder
// that goes is watched from above until it is made again, then watched and read anew.
TEST_F(ReportNavigatorTest, FollowingReachesALinksTargetAndOutlivesItsFolder) {
    const std::string other = dir_ / "other", target = other + "/vorlix_report2025.log";
    ASSERT_EQ(::mkdir(other.c_str(), 0755), 0);
    WriteFile(target, LogRows(2025, 1, 60));
    ASSERT_EQ(::symlink(target.c_str(), Log("2025").c_str()), 0);
    Start(Log("2025"));
    navigator_.ListSideMenu();
    navigator_.ShowFirstReport();
    auto watched = [&] {
        std::vector<std::string> folders = navigator_.FoldersToWatch();
        std::sort(folders.begin(), folders.end());
        return folders;
    };
    EXPECT_EQ(watched(), (std::vector<std::string>{logs_ + "/", other + "/"}));
    EXPECT_TRUE(navigator_.NoteFolderChange(FolderChange::Modified, target, target, 0));
    EXPECT_TRUE(navigator_.SettleBurst().regenerate);

    ::unlink(target.c_str());
    ::rmdir(other.c_str());
    EXPECT_TRUE(navigator_.NoteFolderChange(FolderChange::Removed, other + "/", other + "/", 0));
    ChangeEffect gone = navigator_.SettleBurst();
    EXPECT_TRUE(gone.regenerate && gone.rewatch);
    EXPECT_EQ(watched(), (std::vector<std::string>{dir_.path() + "/", logs_ + "/"}));
    EXPECT_FALSE(
        navigator_.NoteFolderChange(FolderChange::Created, dir_ / "others", dir_ / "others", 0));
    ASSERT_EQ(::mkdir(other.c_str(), 0755), 0);
    EXPECT_TRUE(navigator_.NoteFolderChange(FolderChange::Created, other, other, 0));
    ChangeEffect back = navigator_.SettleBurst();
    EXPECT_TRUE(back.regenerate && back.relist && back.rewatch);
    EXPECT_EQ(watched(), (std::vector<std::string>{logs_ + "/", other + "/"}));
}

// A first start (no LogFile) opens on the recorder's newest log, without making it LogFile.
TEST_F(ReportNavigatorTest, AFirstStartOpensOnTheRecordersNewestLog) {
    WriteFile(Log("202512"), LogRows(2025, 12, 60));
    WriteFile(Log("202601"), LogRows(2026, 1, 60));
    struct Case {
        std::string logFile, recorderFolder, asked;
    };
    const Case cases[] = {
        {"", logs_, "page vorlix_report202601.html"},
        {"", dir_ / "none", "hint"},
        {Log("1999"), logs_, "hint"},  // LogFile keeps its place, even when it no longer reads
    };
    for (const Case& c : cases) {
        FakeWindow window;
        ReportNavigator navigator{report_, settings_, dir_ / "zintor", 1, window};
        settings_.WriteString(kSettingsSection, kLogFileKey, c.logFile);
        navigator.SetStartLog(c.logFile, c.recorderFolder);
        navigator.ShowFirstReport();
        EXPECT_EQ(window.asked, std::vector<std::string>{c.asked}) << c.recorderFolder;
        EXPECT_EQ(LogFile(), c.logFile);
    }
    navigator_.SetStartLog("", logs_);
    EXPECT_EQ(navigator_.ListSideMenu().back(), Log("202601"));  // the log's own folder
}

// A log whose folder the window cannot write: its page goes to the cache under a name of the
// log's whole path, on every road, and is written there again as the log grows.
TEST_F(ReportNavigatorTest, ThePageOfALogInAFolderThatCannotBeWrittenGoesToTheCache) {
    const std::string cache = dir_ / "cache/zintor";
    navigator_.SetPageLocation(
        PageLocation(cache, [](const std::string& folder) { return !folder.ends_with("logs/"); }));
    const std::string cached = CachedPageName(Log("2024")), relative = "logs/vorlix_report2024.log";
    Start(Log("2024"));
    navigator_.ListSideMenu();
    navigator_.ShowFirstReport();
    navigator_.ChooseSideMenuItem("vorlix_report2024.log", 1);
    ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
    navigator_.OpenDroppedFiles({relative});
    WriteFile(Log("2024"), LogRows(2024, 2, 90));
    navigator_.RegenerateFollowedLog();
    navigator_.OpenChosenLog(Log("2024x"));  // no page, wherever it would go
    EXPECT_EQ(
        window_.asked,
        (std::vector<std::string>{
            "page " + cached, "page " + cached, "page " + cached, "again " + cached,
            "hint | " + CachedPageName(Log("2024x")) + ": the log holds fewer than 2 data rows"}));
    EXPECT_FALSE(test::Exists(logs_ + "/vorlix_report2024.html"));
    EXPECT_NE(test::ReadFile(cache + "/" + cached).find("html_header"), std::string::npos);
    struct stat info;
    ASSERT_EQ(::stat(cache.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(test::CountEntries(cache), 1);  // no temporary file left behind

    // A cache that cannot be made: the hint says why, and nothing is written beside the log.
    WriteFile(dir_ / "file", "");
    navigator_.SetPageLocation(PageLocation(dir_ / "file/zintor", [](auto&) { return false; }));
    navigator_.OpenChosenLog(Log("2023"));
    EXPECT_EQ(window_.asked.back(), "hint | " + CachedPageName(Log("2023")) + ": Not a directory");
    navigator_.SetPageLocation(PageLocation("", [](auto&) { return false; }));
    navigator_.OpenChosenLog(Log("2023"));
    EXPECT_EQ(window_.asked.back(), "hint | vorlix_report2023.html: Permission denied");
    EXPECT_FALSE(test::Exists(logs_ + "/vorlix_report2023.html"));
}

TEST(CachedPageName, IsAFileNameOfItsOwnForEachWholePath) {
    const std::string paths[] = {
        "/var/lib/zintor/vorlix_report202601.log", "/media/u/disk/vorlix_report202601.log",
        "/var/lib/zintor/vorlix_report202602.log",
        "/l/vorlix_report" + std::string(200, 'x') + ".log"};  // a long name is cut
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        names.push_back(CachedPageName(path));
        EXPECT_LE(names.back().size(), 64u + 22u) << names.back();
    }
    EXPECT_EQ(names[0], "vorlix_report202601-c42d34e6278751ab.html");  // the same on every run
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
}

TEST(TakeLogToShow, TakesARegularReportLogAndSaysWhyOfAnyOther) {
    TempDir dir;
    SettingsFile settings(dir / "zintor.ini");
    WriteFile(dir / "vorlix_report2024.log", "");
    ::mkfifo((dir / "vorlix_report2025.log").c_str(), 0644);
    struct Case {
        std::string log, said, logFile;
    };
    const Case cases[] = {
        {dir / "notes.txt", "not a report log: " + dir / "notes.txt", ""},
        {dir / "vorlix_report1999.log",
         "cannot read " + dir / "vorlix_report1999.log" + ": No such file or directory", ""},
        {dir / "vorlix_report2025.log",
         "cannot read " + dir / "vorlix_report2025.log" + ": not a regular file", ""},
        {dir / "vorlix_report2024.log", "", dir / "vorlix_report2024.log"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TakeLogToShow(settings, c.log), c.said) << c.log;
        EXPECT_EQ(settings.ReadString(kSettingsSection, kLogFileKey, ""), c.logFile) << c.log;
    }
    EXPECT_EQ(TakeLogToShow(settings, dir / "notes.txt", kJapanese),
              "レポートログではありません: " + dir / "notes.txt");
    EXPECT_EQ(TakeLogToShow(settings, dir / "vorlix_report2025.log", kJapanese),
              dir / "vorlix_report2025.log" + " を読み込めません: 通常のファイルではありません");
}

}  // namespace
}  // namespace zintor
