// Writing the page when the file system fails: the folder refuses new files, the disk fills
// up part-way, a write comes back short or interrupted, the close or the rename fails, the
// page's place is taken by a folder. Whatever happens, an older page stays byte for byte as
// it was, no temporary file is left beside it, and the run says what failed on one line.
//
// The program's own templates lie beside this test program under its name, so that the
// command-line run works here exactly as it does in the installed program.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <sstream>

#include "app/FailureText.h"
#include "app/cli/CommandLine.h"
#include "report/ReportGenerator.h"
#include "tests/FaultyFileOps.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::FaultPlan;
using test::ScopedFaults;
using test::TempDir;
using test::UnprivilegedUser;

constexpr const char* kOlderPage = "<html>the page of an earlier run</html>\r\n";

// A month of 30 days with a few rows each: every table of the page is written, and the page
// is several times larger than the writer's 64 KiB buffer.
std::string MonthLog() {
    std::string log;
    char line[64];
    for (int day = 1; day <= 30; ++day)
        for (int s = 0; s <= 600; s += 30) {
            std::snprintf(line, sizeof line, "202404%02d,%02d%02d%02d,%d,%d\r\n", day, day % 24,
                          s / 60, s % 60, 1000 * day, 3000 + s);
            log += line;
        }
    return log;
}

struct LogFolder {
    TempDir dir;
    std::string log = dir / "vorlix_report202404.log";
    std::string page = dir / "vorlix_report202404.html";
    LogFolder() { test::WriteFile(log, MonthLog()); }
};

// The page a run without faults writes.
std::string CleanPage(bool japanese) {
    test::ScopedLanguage language(japanese);
    LogFolder folder;
    ReportGenerator generator;
    EXPECT_EQ(generator.ReadReportLog(folder.log), test::kNoFailure);
    EXPECT_EQ(generator.GenerateReport(folder.page), test::kNoFailure);
    return test::ReadFile(folder.page);
}

bool OneLine(const std::string& text) {
    return !text.empty() && text.find('\n') == std::string::npos;
}

// Runs the page writing and the command-line run under a fault that makes them fail, and
// checks what both leave behind.
void ExpectFailureKeepsOlderPage(const char* name, const FaultPlan& plan, const std::string& reason,
                                 bool japanese = false) {
    SCOPED_TRACE(name);
    test::ScopedLanguage language(japanese);
    LogFolder folder;
    test::WriteFile(folder.page, kOlderPage);
    ReportGenerator generator;
    ASSERT_EQ(generator.ReadReportLog(folder.log), test::kNoFailure);
    std::string error;
    {
        ScopedFaults faults(plan);
        error = FailureText(generator.GenerateReport(folder.page));
        EXPECT_GT(faults.plan().faultsTriggered, 0) << "the fault was never reached";
    }
    EXPECT_TRUE(OneLine(error)) << error;
    EXPECT_NE(error.find(folder.page), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(folder.page), kOlderPage);
    EXPECT_EQ(test::CountEntries(folder.dir.path()), 2) << "log and older page only";

    std::ostringstream err;
    {
        ScopedFaults faults(plan);
        EXPECT_EQ(RunCommandLine(folder.log, err), 1);
    }
    EXPECT_EQ(err.str().rfind("zintor: cannot ", 0), 0u) << err.str();
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line: " << err.str();
    EXPECT_NE(err.str().find(reason), std::string::npos) << err.str();
    EXPECT_EQ(test::ReadFile(folder.page), kOlderPage);
    EXPECT_EQ(test::CountEntries(folder.dir.path()), 2);

    // Nothing of the failure stays with the generator: the next run writes the page.
    EXPECT_EQ(generator.GenerateReport(folder.page), test::kNoFailure);
    EXPECT_EQ(test::ReadFile(folder.page), CleanPage(japanese));
    EXPECT_EQ(test::CountTemporaryFiles(folder.dir.path()), 0);
}

TEST(PageWriteFaults, EveryFailureLeavesTheOlderPageAndNoTemporaryFile) {
    const std::size_t pageSize = CleanPage(false).size();
    ASSERT_GT(pageSize, 3u * 65536) << "the page should take several writes";
    struct Case {
        const char* name;
        FaultPlan plan;
        const char* reason;
    };
    auto plan = [](auto change) {
        FaultPlan p;
        change(p);
        return p;
    };
    const Case cases[] = {
        {"folder refuses new files", plan([](FaultPlan& p) { p.createError = EACCES; }),
         "Permission denied"},
        {"read-only file system", plan([](FaultPlan& p) { p.createError = EROFS; }),
         "Read-only file system"},
        {"disk full, no file can be made", plan([](FaultPlan& p) { p.createError = ENOSPC; }),
         "No space left"},
        {"every temporary name taken", plan([](FaultPlan& p) { p.createError = EEXIST; }),
         "File exists"},
        {"disk full at the first byte", plan([](FaultPlan& p) { p.writeFailsAfter = 0; }),
         "No space left"},
        {"disk full part-way", plan([](FaultPlan& p) { p.writeFailsAfter = 100000; }),
         "No space left"},
        {"disk full one byte before the end",
         plan([&](FaultPlan& p) { p.writeFailsAfter = static_cast<long>(pageSize) - 1; }),
         "No space left"},
        {"quota used up on a buffer boundary", plan([](FaultPlan& p) {
             p.writeFailsAfter = 65536;
             p.writeError = EDQUOT;
         }),
         "quota"},
        {"input/output error part-way", plan([](FaultPlan& p) {
             p.writeFailsAfter = 70000;
             p.writeError = EIO;
         }),
         "Input/output error"},
        {"the disk takes no more bytes (write returns 0)", plan([](FaultPlan& p) {
             p.writeFailsAfter = 5000;
             p.writeReturnsZero = true;
         }),
         "No space left"},
        {"short writes, then the disk is full", plan([](FaultPlan& p) {
             p.shortWrite = 4096;
             p.writeFailsAfter = 150000;
         }),
         "No space left"},
        {"close reports a delayed write error", plan([](FaultPlan& p) { p.closeError = EIO; }),
         "Input/output error"},
        {"rename refused", plan([](FaultPlan& p) { p.renameError = EACCES; }), "Permission denied"},
        {"rename on a full disk", plan([](FaultPlan& p) { p.renameError = ENOSPC; }),
         "No space left"},
    };
    for (const Case& c : cases) ExpectFailureKeepsOlderPage(c.name, c.plan, c.reason);
    FaultPlan full;
    full.writeFailsAfter = 100000;
    ExpectFailureKeepsOlderPage("Japanese page, disk full part-way", full, "No space left", true);
}

// Writes that come back short or interrupted are not failures: the writer goes on until all
// bytes are down, and the page is the same as without them.
TEST(PageWriteFaults, ShortOrInterruptedWritesStillGiveTheWholePage) {
    struct Case {
        const char* name;
        std::size_t shortWrite;
        bool interrupt;
    };
    const Case cases[] = {
        {"at most 7 bytes a write", 7, false},
        {"at most 65,535 bytes a write", 65535, false},
        {"every other write interrupted", 0, true},
        {"short and interrupted", 1000, true},
    };
    for (bool japanese : {false, true}) {
        const std::string expected = CleanPage(japanese);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (japanese ? " (Japanese)" : ""));
            test::ScopedLanguage language(japanese);
            LogFolder folder;
            test::WriteFile(folder.page, kOlderPage);
            ReportGenerator generator;
            ASSERT_EQ(generator.ReadReportLog(folder.log), test::kNoFailure);
            FaultPlan plan;
            plan.shortWrite = c.shortWrite;
            plan.interruptEveryOther = c.interrupt;
            ScopedFaults faults(plan);
            EXPECT_EQ(generator.GenerateReport(folder.page), test::kNoFailure);
            EXPECT_GT(faults.plan().faultsTriggered, 0);
            EXPECT_EQ(test::ReadFile(folder.page), expected);
            EXPECT_EQ(test::CountEntries(folder.dir.path()), 2);
        }
    }
}

// Where the page should go there is a folder, or no folder at all.
TEST(PageWriteFaults, APagePathThatIsAFolderOrInAMissingFolderIsRefused) {
    test::ScopedLanguage language(false);
    LogFolder folder;
    ASSERT_EQ(::mkdir(folder.page.c_str(), 0755), 0);
    test::WriteFile(folder.page + "/inside.txt", "kept");
    ReportGenerator generator;
    ASSERT_EQ(generator.ReadReportLog(folder.log), test::kNoFailure);
    Failure failure = generator.GenerateReport(folder.page);
    EXPECT_EQ(FailureText(failure), "cannot write " + folder.page + ": Is a directory");
    EXPECT_EQ(test::ReadFile(folder.page + "/inside.txt"), "kept");
    EXPECT_EQ(test::CountEntries(folder.dir.path()), 2);

    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(folder.log, err), 1);
    EXPECT_EQ(err.str(), "zintor: " + FailureText(failure) + "\n");
    EXPECT_EQ(test::CountEntries(folder.dir.path()), 2);

    std::string missing = folder.dir / "gone/vorlix_report202404.html";
    failure = generator.GenerateReport(missing);
    EXPECT_EQ(failure.error, ENOENT) << FailureText(failure);
}

// A real folder without write permission, and pages the user may not write to: the page is
// left as it is: a read-only file is never replaced.
TEST(PageWriteFaults, AReadOnlyFolderOrPageKeepsTheOlderPage) {
    struct Case {
        const char* name;
        mode_t folderMode, pageMode;
        bool asNobody;
    };
    const Case cases[] = {
        {"a read-only folder (as nobody)", 0555, 0644, true},
        {"a read-only page", 0755, 0444, false},
        {"a page without any write permission, set-user-ID", 0755, 04555, false},
        {"a page of someone else's (as nobody, in a folder anyone may write to)", 0777, 0644, true},
    };
    for (const Case& c : cases) {
        for (bool japanese : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (japanese ? ", Japanese" : ", English"));
            test::ScopedLanguage language(japanese);
            LogFolder folder;
            test::WriteFile(folder.page, kOlderPage);
            ASSERT_EQ(::chmod(folder.page.c_str(), c.pageMode), 0);
            ASSERT_EQ(::chmod(folder.dir.path().c_str(), c.folderMode), 0);
            std::string error;
            std::ostringstream err;
            int status;
            {
                std::optional<UnprivilegedUser> user;
                if (c.asNobody) user.emplace();
                ReportGenerator generator;
                ASSERT_EQ(generator.ReadReportLog(folder.log), test::kNoFailure);
                error = FailureText(generator.GenerateReport(folder.page));
                status = RunCommandLine(folder.log, err);
            }
            ::chmod(folder.dir.path().c_str(), 0755);
            EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
            EXPECT_NE(error.find(folder.page), std::string::npos) << error;
            EXPECT_EQ(status, 1);
            EXPECT_EQ(err.str(), "zintor: " + error + "\n");
            EXPECT_EQ(test::ReadFile(folder.page), kOlderPage);
            struct stat st;
            EXPECT_EQ(::stat(folder.page.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, c.pageMode);
            EXPECT_EQ(test::CountEntries(folder.dir.path()), 2);
        }
    }
}

// The new page takes the older page's permission bits, never its set-user-ID, set-group-ID or
// sticky bits, and only from a page of the user's own; a first page, or one over another
// user's page, gets 0666 less the umask. A symbolic link at the page's path is
// replaced by the page, never written through: the file it led to stays as it was.
TEST(PageWriteFaults, ThePageTakesOnlyPermissionBitsAndReplacesALink) {
    const mode_t umask = ::umask(022);
    struct Case {
        const char* name;
        mode_t olderMode;  // 0: no older page
        bool link;
        mode_t expected;
        mode_t umask = 022;
        uid_t olderOwner = ::geteuid();
    };
    const Case cases[] = {
        {"a first page", 0, false, 0644},
        {"a first page with the umask 077", 0, false, 0600, 077},
        {"a first page with the umask 002", 0, false, 0664, 002},
        {"over a page of mode 0640", 0640, false, 0640},
        {"over a set-user-ID, set-group-ID page anyone may write and run", 06777, false, 0777},
        {"over a sticky page of mode 01644", 01644, false, 0644},
        {"over a link to another file", 0, true, 0644},
        {"over another user's page anyone may write", 0666, false, 0644, 022, 65534},
    };
    const std::string expected = CleanPage(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScopedLanguage language(false);
        LogFolder folder;
        const std::string other = folder.dir / "other.txt";
        if (c.olderMode != 0) {
            test::WriteFile(folder.page, kOlderPage);
            ASSERT_EQ(::chmod(folder.page.c_str(), c.olderMode), 0);
            if (c.olderOwner != ::geteuid() &&
                ::chown(folder.page.c_str(), c.olderOwner, c.olderOwner) != 0)
                continue;  // only root can give a page to another user
        }
        if (c.link) {
            test::WriteFile(other, "another file");
            ASSERT_EQ(::chmod(other.c_str(), 0600), 0);
            ASSERT_EQ(::symlink(other.c_str(), folder.page.c_str()), 0);
        }
        std::ostringstream err;
        ::umask(c.umask);
        EXPECT_EQ(RunCommandLine(folder.log, err), 0) << err.str();
        ::umask(022);
        struct stat st;
        ASSERT_EQ(::lstat(folder.page.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, c.expected);
        EXPECT_EQ(test::ReadFile(folder.page), expected);
        if (c.link) {
            EXPECT_EQ(test::ReadFile(other), "another file");
        }
        EXPECT_EQ(test::CountTemporaryFiles(folder.dir.path()), 0);
    }
    ::umask(umask);
}

}  // namespace
}  // namespace zintor
