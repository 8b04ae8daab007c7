// Following the folder: which changes give a new page or a new side menu, bursts of them, and
// the side menu's edits for the logs the folder holds now.
#include "app/LiveFolder.h"

#include <gtest/gtest.h>
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
        bool regenerate, relist;
    };
    const Case cases[] = {
        {Modified, log, log, true, false},                            // rows appended
        {Modified, "/l/vorlix_report202611.html", "", false, false},  // the window's page
        {Renamed, "/l/.zintor-a1b2c3", "/l/vorlix_report202611.html", false,
         false},                                // ... put in place
        {Renamed, "/l/.new", log, true, true},  // the log replaced
        {Removed, log, "", true, true},
        {Created, "/l/VORLIX_REPORT202612.LOG", "", false, true},    // next month's log
        {Modified, "/l/vorlix_report202612.log", "", false, false},  // not the shown log
        {Created, "/l/notes.txt", "", false, false},
        {Created, "/m/vorlix_report202612.log", "", false, false},  // another folder
        {Removed, "/l/", "", true, true},                           // the folder went
        {Overflowed, "", "", true, true},
    };
    for (const Case& c : cases) {
        ChangeEffect effect =
            EffectOfChange(c.change, c.path, c.newPath.empty() ? c.path : c.newPath, log, "/l/");
        EXPECT_EQ(effect.regenerate, c.regenerate) << c.path;
        EXPECT_EQ(effect.relist, c.relist) << c.path;
    }
    EXPECT_FALSE(EffectOfChange(Overflowed, "", "", "", "/l/").regenerate);  // no log shown
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
