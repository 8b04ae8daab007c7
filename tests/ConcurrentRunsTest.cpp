// Two copies of the program writing the same page at the same moment: one in English, one in
// Japanese, so that the two pages differ in every line. Whichever finishes last, the page is
// always one whole page of the two, never a mix or a part, also while they are writing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/FaultyFileOps.h"
#include "tests/ProgramRun.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

// Pairs of runs; fewer with the sanitizers, where a run takes several times longer.
#ifdef __SANITIZE_ADDRESS__
constexpr int kRounds = 40;
#else
constexpr int kRounds = 200;
#endif

// A run of the program on log in a language.
test::StartedProgram Start(const std::string& log, const char* lang) {
    return test::StartedProgram({test::BuiltProgram(), log}, test::ProgramEnvironment(lang));
}

std::string MonthLog() {
    std::string log;
    char line[64];
    for (int day = 1; day <= 30; ++day)
        for (int s = 0; s <= 600; s += 30) {
            std::snprintf(line, sizeof line, "202404%02d,10%02d%02d,%d,%d\n", day, s / 60, s % 60,
                          4096 * day, 777 + s);
            log += line;
        }
    return log;
}

TEST(ConcurrentRuns, TwoRunsWritingOnePageAlwaysLeaveOneWholePage) {
    TempDir dir;
    const std::string log = dir / "vorlix_report202404.log";
    const std::string page = dir / "vorlix_report202404.html";
    test::WriteFile(log, MonthLog());

    // The two pages, each written alone.
    std::string pages[2];
    const char* langs[2] = {"C", "ja_JP.UTF-8"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Start(log, langs[i]).Finish().status, 0);
        pages[i] = test::ReadFile(page);
    }
    ASSERT_NE(pages[0], pages[1]);
    ASSERT_GT(pages[0].size(), 3u * 65536) << "the page should take several writes";

    int wins[2] = {0, 0};
    int observed = 0;
    for (int round = 0; round < kRounds; ++round) {
        test::StartedProgram first = Start(log, langs[round % 2]);
        test::StartedProgram second = Start(log, langs[1 - round % 2]);
        // Read the page while they write: it is one of the two whole pages at every moment.
        for (int look = 0; look < 3; ++look, ++observed) {
            std::string now = test::ReadFile(page);
            ASSERT_TRUE(now == pages[0] || now == pages[1])
                << "round " << round << ": a page of " << now.size() << " bytes";
        }
        ASSERT_EQ(first.Finish().status, 0) << "round " << round;
        ASSERT_EQ(second.Finish().status, 0) << "round " << round;
        std::string last = test::ReadFile(page);
        ASSERT_TRUE(last == pages[0] || last == pages[1]) << "round " << round;
        ++wins[last == pages[0] ? 0 : 1];
        ASSERT_EQ(test::CountTemporaryFiles(dir.path()), 0) << "round " << round;
    }
    EXPECT_EQ(test::CountEntries(dir.path()), 2);
    // Both orders of finishing happened (not required, but shows the runs did overlap).
    RecordProperty("english_last", wins[0]);
    RecordProperty("japanese_last", wins[1]);
}

// --all in English while single runs write the same pages in Japanese (as the window or
// another run would): every page is one whole page of the two, whichever wrote it last.
TEST(ConcurrentRuns, AllAndSingleRunsOnOneFolderLeaveWholePages) {
    TempDir dir;
    constexpr int kLogs = 6;
    std::vector<std::string> logs, pages[2];
    const char* langs[2] = {"C", "ja_JP.UTF-8"};
    for (int i = 0; i < kLogs; ++i) {
        logs.push_back(dir / ("vorlix_report2024" + std::to_string(10 + i) + ".log"));
        test::WriteFile(logs[i], MonthLog());
        for (int l = 0; l < 2; ++l) {
            ASSERT_EQ(Start(logs[i], langs[l]).Finish().status, 0);
            pages[l].push_back(
                test::ReadFile(dir / ("vorlix_report2024" + std::to_string(10 + i) + ".html")));
        }
    }
    for (int round = 0; round < kRounds / 20; ++round) {
        for (int i = 0; i < kLogs; ++i)
            ::unlink((dir / ("vorlix_report2024" + std::to_string(10 + i) + ".html")).c_str());
        test::StartedProgram all({test::BuiltProgram(), "--all", dir.path()},
                                 test::ProgramEnvironment("C"));
        for (int i = 0; i < kLogs; ++i)
            ASSERT_EQ(Start(logs[kLogs - 1 - i], langs[1]).Finish().status, 0) << "round " << round;
        test::ProgramResult r = all.Finish();
        ASSERT_EQ(r.status, 0) << "round " << round << ": " << r.err;
        // A page a single run wrote before --all looked is up to date; none failed.
        int written = -1, upToDate = -1, failed = -1;
        std::sscanf(r.out.c_str(), "%d pages written, %d up to date, %d failed", &written,
                    &upToDate, &failed);
        ASSERT_EQ(written + upToDate, kLogs) << r.out;
        ASSERT_EQ(failed, 0) << r.out;
        for (int i = 0; i < kLogs; ++i) {
            std::string page =
                test::ReadFile(dir / ("vorlix_report2024" + std::to_string(10 + i) + ".html"));
            ASSERT_TRUE(page == pages[0][i] || page == pages[1][i])
                << "round " << round << ", log " << i;
        }
        ASSERT_EQ(test::CountTemporaryFiles(dir.path()), 0) << "round " << round;
    }
}

}  // namespace
}  // namespace zintor
