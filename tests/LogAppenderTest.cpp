// The recorder's files: rows appended to the log of their month, a torn last line cut back,
// rows kept through a failing disk and written in order after, and one recorder per folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "TestSupport.h"
#include "record/LogAppender.h"
#include "record/RecorderLock.h"

namespace zintor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr RowLabel kDec31{2026, 12, 31, 23, 59, 0};
constexpr RowLabel kJan1{2027, 1, 1, 0, 0, 0};

mode_t ModeOf(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(LogAppender, RowsGoToTheLogOfTheirMonthInAFolderMadeForThem) {
    TempDir dir;
    std::string folder = dir / "a/b";
    std::ostringstream errors;
    mode_t old = umask(077);
    {
        LogAppender logs(folder, 10, errors);
        logs.Put(kDec31, {1, 2});
        logs.Put(kJan1, {5000000000, 0});
    }
    umask(old);
    EXPECT_EQ(ReadFile(folder + "/vorlix_report202612.log"), "20261231,235900,1,2\r\n");
    EXPECT_EQ(ReadFile(folder + "/vorlix_report202701.log"), "20270101,000000,5000000000,0\r\n");
    EXPECT_EQ(ModeOf(folder), 0755u);
    EXPECT_EQ(ModeOf(folder + "/vorlix_report202701.log"), 0644u);
    EXPECT_EQ(errors.str(), "");
}

TEST(LogAppender, ATornLastLineIsCutBackBeforeTheNextRow) {
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"20261231,235800,1,1\r\n20261231,2358", "20261231,235800,1,1\r\n"},
        {"20261231,235800,1,1\r\n20261231,235900,7,7\r", "20261231,235800,1,1\r\n"},
        {"202612", ""},
        {"20261231,235800,1,1\r\n", "20261231,235800,1,1\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFile(dir / "vorlix_report202612.log", c.before);
        std::ostringstream errors;
        LogAppender logs(dir.path(), 10, errors);
        logs.Put(kDec31, {1, 2});
        EXPECT_EQ(ReadFile(dir / "vorlix_report202612.log"),
                  std::string(c.after) + "20261231,235900,1,2\r\n")
            << c.before;
    }
    // A torn line longer than one read of the search.
    TempDir dir;
    WriteFile(dir / "vorlix_report202612.log", "1,1\n" + std::string(10000, '9'));
    std::ostringstream errors;
    LogAppender(dir.path(), 10, errors).Put(kDec31, {0, 0});
    EXPECT_EQ(ReadFile(dir / "vorlix_report202612.log"), "1,1\n20261231,235900,0,0\r\n");
}

TEST(LogAppender, AFullDiskKeepsRowsUntilWritingWorksAgain) {
    TempDir dir;
    std::string log = dir / "vorlix_report202612.log";
    WriteFile(log, "20261231,235500,1,1\r\n");
    std::ostringstream errors;
    LogAppender logs(dir.path(), 3, errors);
    // The log's name leads to a device that is always full.
    ASSERT_EQ(rename(log.c_str(), (dir / "kept").c_str()), 0);
    ASSERT_EQ(symlink("/dev/full", log.c_str()), 0);
    for (int minute = 0; minute < 4; ++minute) logs.Put({2026, 12, 31, 23, 56 + minute, 0}, {1, 1});
    std::string told = errors.str();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;  // one line, not four
    EXPECT_NE(told.find("No space left on device"), std::string::npos) << told;
    EXPECT_EQ(logs.Flush(), 3u);  // a day's worth at most: here three
    // Room again: the waiting rows first, in order, each on its own line.
    ASSERT_EQ(unlink(log.c_str()), 0);
    ASSERT_EQ(rename((dir / "kept").c_str(), log.c_str()), 0);
    logs.Put(kJan1, {2, 2});
    EXPECT_EQ(ReadFile(log),
              "20261231,235500,1,1\r\n20261231,235700,1,1\r\n20261231,235800,1,1\r\n"
              "20261231,235900,1,1\r\n");
    EXPECT_EQ(ReadFile(dir / "vorlix_report202701.log"), "20270101,000000,2,2\r\n");
    EXPECT_NE(errors.str().find("1 rows older than a day were lost"), std::string::npos);
    EXPECT_EQ(logs.Flush(), 0u);
}

TEST(LogAppender, AFolderRemovedIsMadeAgainAndAReopenFollowsARotatedLog) {
    TempDir dir;
    std::string folder = dir / "logs";
    std::ostringstream errors;
    LogAppender logs(folder, 10, errors);
    logs.Put(kDec31, {1, 1});
    ASSERT_EQ(system(("rm -rf " + folder).c_str()), 0);
    logs.Put(kDec31, {2, 2});  // the open log was in the removed folder
    logs.Reopen();
    logs.Put(kDec31, {3, 3});
    EXPECT_EQ(ReadFile(folder + "/vorlix_report202612.log"), "20261231,235900,3,3\r\n");
    // A rotation tool moves the log away and signals: the next row starts a new file.
    ASSERT_EQ(rename((folder + "/vorlix_report202612.log").c_str(), (folder + "/old").c_str()), 0);
    logs.Reopen();
    logs.Put(kDec31, {4, 4});
    EXPECT_EQ(ReadFile(folder + "/vorlix_report202612.log"), "20261231,235900,4,4\r\n");
}

TEST(RecorderLock, ASecondRecorderOfTheFolderLearnsTheHoldersId) {
    TempDir dir;
    LockResult first = LockFolder(dir.path());
    ASSERT_GE(first.fd, 0) << first.why;
    EXPECT_EQ(ReadFile(dir / ".zintor-record.lock"), std::to_string(getpid()) + "\n");
    pid_t child = fork();
    if (child == 0) {
        LockResult second = LockFolder(dir.path());
        _exit(second.fd >= 0 ? 3 : !second.held ? 4 : second.holder != getppid() ? 5 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    close(first.fd);
    LockResult again = LockFolder(dir.path());  // free once the holder let go
    EXPECT_GE(again.fd, 0);
    close(again.fd);
    EXPECT_FALSE(LockFolder(dir / "missing").why.empty());
}

}  // namespace
}  // namespace zintor
