// Following the folder: which changes give a new page or a new side menu, bursts of them, and
// the side menu's edits for the logs the folder holds now.
#include "app/window/LiveFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

namespace zintor {
namespace {

TEST(EffectOfChange, OnlyTheShownLogGivesAPageAndOnlyLogsOfTheMenusFolderChangeTheMenu) {
    const std::string log = "/l/vorlix_report202611.log";
    using enum FolderChange;
    struct Case {
        FolderChange change;
        std::string path, newPath;
        bool regenerate, relist, rewatch;
    };
    const Case cases[] = {
        {Modified, log, log, true, false, false},                            // rows appended
        {Modified, "/l/vorlix_report202611.html", "", false, false, false},  // the window's page
        {Renamed, "/l/.zintor-a1b2c3", "/l/vorlix_report202611.html", false, false,
         false},                                       // ... put in place
        {Renamed, "/l/.new", log, true, true, false},  // the log replaced
        {Removed, log, "", true, true, false},
        {Created, "/l/vorlix_report202612.log", "", false, true, false},   // next month's log
        {Created, "/l/VORLIX_REPORT202612.LOG", "", false, false, false},  // the reader's no log
        {Created, "/l/vorlix_report202612.log.tmp", "", false, false, false},
        {Modified, "/l/vorlix_report202612.log", "", false, false, false},  // not the shown log
        {Created, "/l/notes.txt", "", false, false, false},
        {Created, "/m/vorlix_report202612.log", "", false, false, false},  // another folder
        {Removed, "/l/", "", true, true, true},    // the folder went, and its watch with it
        {Removed, "/m/", "", false, false, true},  // another watched folder went
        {Overflowed, "", "", true, true, false},
    };
    for (const Case& c : cases) {
        ChangeEffect effect =
            EffectOfChange(c.change, c.path, c.newPath.empty() ? c.path : c.newPath, log, "/l/");
        EXPECT_EQ(effect.regenerate, c.regenerate) << c.path;
        EXPECT_EQ(effect.relist, c.relist) << c.path;
        EXPECT_EQ(effect.rewatch, c.rewatch) << c.path;
    }
    EXPECT_FALSE(EffectOfChange(Overflowed, "", "", "", "/l/").regenerate);  // no log shown
}

TEST(MakesAwaitedFolder, TheFolderOrOneOnTheWayToItMadeOrRenamedIntoPlace) {
    const std::vector<std::string> awaited{"/p/logs/2026/"};
    using enum FolderChange;
    struct Case {
        FolderChange change;
        std::string path, newPath;
        bool makes;
    };
    const Case cases[] = {
        {Created, "/p/logs/2026", "", true},
        {Created, "/p/logs", "", true},  // on the way: watched from there next
        {Renamed, "/p/.tmp", "/p/logs", true},
        {Renamed, "/p/logs", "/p/old", false},  // renamed away
        {Created, "/p/logs2", "", false},       // a name that only begins the same
        {Created, "/p/logs/2027", "", false},
        {Modified, "/p/logs", "", false},
        {Removed, "/p/logs", "", false},
        {Created, "", "", false},
        {Overflowed, "", "", true},  // anything may have been made
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            MakesAwaitedFolder(c.change, c.path, c.newPath.empty() ? c.path : c.newPath, awaited),
            c.makes)
            << c.path << " -> " << c.newPath;
    }
    EXPECT_FALSE(MakesAwaitedFolder(Overflowed, "", "", {}));  // nothing awaited
}

TEST(WatchPlaceOf, WatchesAFolderThatExistsAndAwaitsOneThatDoesNotFromAbove) {
    test::TempDir dir;
    ASSERT_EQ(::mkdir((dir / "logs").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(dir.path().c_str(), (dir / "link").c_str()), 0);
    test::WriteFile(dir / "file", "");
    const std::string top = dir.path() + "/";
    struct Case {
        std::string folder, watch, awaited;
    };
    const Case cases[] = {
        {dir / "logs/", top + "logs/", ""},
        {dir / "link/logs/", top + "logs/", ""},  // as the watcher names it
        {dir / "gone/", top, top + "gone/"},      // watched from above until made
        {dir / "gone/deeper/", top, top + "gone/deeper/"},
        {dir / "link/gone/", top, top + "gone/"},
        {dir / "file/", top, top + "file/"},  // a file where the folder was
        {dir / "logs/../gone/", top, top + "gone/"},
    };
    for (const Case& c : cases) {
        WatchPlace place = WatchPlaceOf(c.folder);
        EXPECT_EQ(place.watch, c.watch) << c.folder;
        EXPECT_EQ(place.awaited, c.awaited) << c.folder;
    }
}

TEST(LinkTargetOf, ResolvesALinkedLogAndNothingElse) {
    test::TempDir dir;
    ASSERT_EQ(::mkdir((dir / "a").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((dir / "b").c_str(), 0755), 0);
    test::WriteFile(dir / "b/vorlix_report202611.log", "");
    ASSERT_EQ(
        ::symlink("../b/vorlix_report202611.log", (dir / "a/vorlix_report202611.log").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "b/vorlix_report202612.log").c_str(),
                        (dir / "a/vorlix_report202612.log").c_str()),
              0);  // the target not made yet
    EXPECT_EQ(LinkTargetOf(dir / "a/vorlix_report202611.log"), dir / "b/vorlix_report202611.log");
    EXPECT_EQ(LinkTargetOf(dir / "a/vorlix_report202612.log"), dir / "b/vorlix_report202612.log");
    EXPECT_EQ(LinkTargetOf(dir / "b/vorlix_report202611.log"), "");  // no link
    EXPECT_EQ(LinkTargetOf(dir / "a/missing.log"), "");
    EXPECT_EQ(LinkTargetOf(""), "");
}

// A name that is no UTF-8 reaches the window as its folder alone: rows appended to a shown log
// of such a name give a page, the window's own page of such a name put in place does not.
TEST(EffectOfChange, AChangeTheWatcherCannotNameIsTakenForTheLogWhoseNameIsNoText) {
    using enum FolderChange;
    struct Case {
        std::string log;
        FolderChange change;
        bool regenerate, relist;
    };
    const std::string odd = "/l/vorlix_report2023\xFF.log", text = "/l/vorlix_report2023.log";
    const Case cases[] = {
        {odd, Modified, true, false},  // rows appended to it
        {odd, Renamed, false, true},   // its page put in place, or a log of such a name came
        {odd, Created, false, true},
        {odd, Removed, true, true},
        {text, Modified, false, false},  // another file's rows
        {text, Renamed, false, true},
        {"/m/vorlix_report2023\xFF.log", Modified, false, false},  // shown from another folder
    };
    for (const Case& c : cases) {
        ChangeEffect effect = EffectOfChange(c.change, "/l/", "/l/", c.log, "/l/");
        EXPECT_EQ(effect.regenerate, c.regenerate) << c.log << " " << static_cast<int>(c.change);
        EXPECT_EQ(effect.relist, c.relist) << c.log << " " << static_cast<int>(c.change);
    }
}

TEST(WatchPathOf, ResolvesTheFolderAsTheWatcherReportsIt) {
    test::TempDir dir;
    ASSERT_EQ(::symlink(dir.path().c_str(), (dir / "link").c_str()), 0);
    EXPECT_EQ(WatchPathOf(dir / "link/vorlix_report202611.log"), dir / "vorlix_report202611.log");
    EXPECT_EQ(WatchPathOf(dir / "link/"), dir.path() + "/");
    EXPECT_EQ(WatchPathOf(dir / "gone/vorlix_report202611.log"), "");
}

TEST(ChangeBurst, IsDueAfterAQuietSpellOrAtTheLatestAfterTheLongestWait) {
    struct Case {
        std::vector<long long> changes;
        long long now, wait;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{1000}, 1000, 300},
        {{1000}, 1300, 0},
        {{1000, 1200}, 1300, 200},
        {{1000, 1400, 1800, 2200, 2400}, 2450, 50}};  // a steady stream: due at 2500
    for (const Case& c : cases) {
        ChangeBurst burst;
        for (long long at : c.changes) burst.Add(at);
        EXPECT_EQ(burst.WaitMs(c.now), c.wait) << c.now;
    }
    ChangeBurst burst;
    burst.Add(0);
    burst.Clear();
    burst.Add(5000);  // a new burst counts from its own first change
    EXPECT_EQ(burst.WaitMs(5000), ChangeBurst::kQuietMs);
}

TEST(PlanSideMenuEdits, TouchesOnlyTheLogsAndYearsThatCameOrWent) {
    auto L = [](const char* month) { return std::string("/l/vorlix_report") + month + ".log"; };
    struct Case {
        std::vector<std::string> shown, listed, edits;
    };
    const Case cases[] = {
        {{L("202610"), L("202611")}, {L("202610"), L("202611")}, {}},
        {{L("202610"), L("202611")}, {L("202610"), L("202611"), L("202612")}, {"+log 2026 #2 =2"}},
        {{L("202612")}, {L("202412"), L("202612")}, {"+year 2024 #0", "+log 2024 #0 =0"}},
        {{L("202601"), L("202602"), L("202603")}, {L("202602")}, {"-log 2026 #2", "-log 2026 #0"}},
        {{L("202512"), L("202601"), L("202603")},
         {L("202601"), L("202602"), L("202603"), L("202701")},
         {"-year 2025", "+year 2027 #1", "+log 2026 #1 =1", "+log 2027 #0 =3"}},
    };
    const char* kinds[] = {"-log", "-year", "+year", "+log"};
    for (const Case& c : cases) {
        std::vector<std::string> edits;
        for (const SideMenuEdit& e : PlanSideMenuEdits(c.shown, c.listed)) {
            edits.push_back(
                std::string(kinds[e.kind]) + " " + std::to_string(e.year) +
                (e.kind == SideMenuEdit::RemoveYear ? "" : " #" + std::to_string(e.position)) +
                (e.kind == SideMenuEdit::AddLog ? " =" + std::to_string(e.index) : ""));
        }
        EXPECT_EQ(edits, c.edits);
    }
}

}  // namespace
}  // namespace zintor
