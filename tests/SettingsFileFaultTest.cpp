// Writing the settings file when the file system fails, as the window does when it closes:
// IsTopMost, IsSideMenu, IsZoomed, then Position. Whatever fails, the earlier settings file
// stays byte for byte as it was and still reads, and no temporary file is left beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/WindowPlacement.h"
#include "platform/SettingsFile.h"
#include "tests/FaultyFileOps.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::FaultPlan;
using test::ScopedFaults;
using test::TempDir;
using test::UnprivilegedUser;

constexpr const char* kOlderSettings =
    "; kept by hand\r\n[Settings]\r\nLogFile=/home/u/logs/vorlix_report2024.log\r\nIsTopMost=0\r\n"
    "Position=0:1:-1:-1:-1:-1:120:80:1020:700\r\n";

// The writes of a closing window; true when all of them succeeded.
bool SaveAsTheWindowCloses(const SettingsFile& settings) {
    WindowPlacement placement = PlacementAtClose(10, 20, 800, 600, false, false);
    bool ok = settings.WriteInt(kSettingsSection, "IsTopMost", 1);
    ok = settings.WriteInt(kSettingsSection, "IsSideMenu", 1) && ok;
    ok = settings.WriteInt(kSettingsSection, "IsZoomed", 0) && ok;
    return WriteWindowPlacement(settings, placement, "Position") && ok;
}

TEST(SettingsFileFaults, EveryFailureLeavesTheOlderFileAndNoTemporaryFile) {
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
        {"folder refuses new files", plan([](FaultPlan& p) { p.openError = EACCES; }),
         "Permission denied"},
        {"read-only file system", plan([](FaultPlan& p) { p.openError = EROFS; }),
         "Read-only file system"},
        {"disk full, no file can be made", plan([](FaultPlan& p) { p.openError = ENOSPC; }),
         "No space left"},
        {"every temporary name taken", plan([](FaultPlan& p) { p.openEexistTimes = 100000; }),
         "File exists"},
        {"disk full at the first byte", plan([](FaultPlan& p) { p.writeFailsAfter = 0; }),
         "No space left"},
        {"disk full part-way", plan([](FaultPlan& p) { p.writeFailsAfter = 40; }), "No space left"},
        {"input/output error part-way", plan([](FaultPlan& p) {
             p.writeFailsAfter = 40;
             p.writeError = EIO;
         }),
         "Input/output error"},
        {"the disk takes no more bytes (write returns 0)", plan([](FaultPlan& p) {
             p.writeFailsAfter = 10;
             p.writeReturnsZero = true;
         }),
         "No space left"},
        {"flushing to the disk fails", plan([](FaultPlan& p) { p.fsyncError = EIO; }),
         "Input/output error"},
        {"close reports a delayed write error", plan([](FaultPlan& p) { p.closeError = EIO; }),
         "Input/output error"},
        {"rename refused", plan([](FaultPlan& p) { p.renameError = EACCES; }), "Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "zintor.ini";
        test::WriteFile(path, kOlderSettings);
        SettingsFile settings(path);
        {
            ScopedFaults faults(c.plan);
            EXPECT_FALSE(SaveAsTheWindowCloses(settings));
            EXPECT_GT(faults.plan().faultsTriggered, 0) << "the fault was never reached";
        }
        EXPECT_NE(settings.ErrorText().find(path), std::string::npos) << settings.ErrorText();
        EXPECT_NE(settings.ErrorText().find(c.reason), std::string::npos) << settings.ErrorText();
        EXPECT_EQ(settings.ErrorText().find('\n'), std::string::npos);
        EXPECT_EQ(test::ReadFile(path), kOlderSettings);
        EXPECT_EQ(settings.ReadInt(kSettingsSection, "IsTopMost", 1), 0);
        EXPECT_EQ(test::CountEntries(dir.path()), 1) << "no temporary file left";
        // Once the fault is gone, the same writes go through.
        EXPECT_TRUE(SaveAsTheWindowCloses(settings)) << settings.ErrorText();
        EXPECT_EQ(settings.ReadString(kSettingsSection, "LogFile", ""),
                  "/home/u/logs/vorlix_report2024.log");
        EXPECT_EQ(settings.ReadString(kSettingsSection, "Position", ""),
                  "0:1:-1:-1:-1:-1:10:20:810:620");
    }
}

TEST(SettingsFileFaults, ShortOrInterruptedWritesStillWriteTheWholeFile) {
    struct Case {
        const char* name;
        std::size_t shortWrite;
        bool interrupt;
        int namesTaken;
    };
    const Case cases[] = {
        {"one byte a write", 1, false, 0},
        {"every other write interrupted", 0, true, 0},
        {"the first temporary names taken", 0, false, 3},
    };
    std::string expected;
    {
        TempDir dir;
        test::WriteFile(dir / "zintor.ini", kOlderSettings);
        ASSERT_TRUE(SaveAsTheWindowCloses(SettingsFile(dir / "zintor.ini")));
        expected = test::ReadFile(dir / "zintor.ini");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        test::WriteFile(dir / "zintor.ini", kOlderSettings);
        FaultPlan plan;
        plan.shortWrite = c.shortWrite;
        plan.interruptEveryOther = c.interrupt;
        plan.openEexistTimes = c.namesTaken;
        ScopedFaults faults(plan);
        SettingsFile settings(dir / "zintor.ini");
        EXPECT_TRUE(SaveAsTheWindowCloses(settings)) << settings.ErrorText();
        EXPECT_GT(faults.plan().faultsTriggered, 0);
        EXPECT_EQ(test::ReadFile(dir / "zintor.ini"), expected);
        EXPECT_EQ(test::CountEntries(dir.path()), 1);
    }
}

TEST(SettingsFileFaults, AReadOnlyFolderOrAFolderInTheFilesPlace) {
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    test::WriteFile(path, kOlderSettings);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    bool saved;
    std::string error;
    {
        UnprivilegedUser user;
        SettingsFile settings(path);
        saved = SaveAsTheWindowCloses(settings);
        error = settings.ErrorText();
        EXPECT_EQ(settings.ReadInt(kSettingsSection, "IsTopMost", 1), 0) << "still readable";
    }
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(path), kOlderSettings);
    EXPECT_EQ(test::CountEntries(dir.path()), 1);

    const std::string folder = dir / "folder.ini";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    test::WriteFile(folder + "/inside", "kept");
    SettingsFile occupied(folder);
    EXPECT_FALSE(SaveAsTheWindowCloses(occupied));
    EXPECT_NE(occupied.ErrorText().find("Is a directory"), std::string::npos)
        << occupied.ErrorText();
    EXPECT_EQ(test::ReadFile(folder + "/inside"), "kept");
    EXPECT_EQ(occupied.ReadInt(kSettingsSection, "IsTopMost", 7), 7);
    EXPECT_EQ(test::CountEntries(dir.path()), 2);
}

TEST(SettingsFileFaults, AFileThatCannotBeReadIsNotRewrittenFromNothing) {
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    test::WriteFile(path, kOlderSettings);
    // The folder lets anyone replace the file, but the file cannot be read (as nobody).
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    bool saved;
    std::string error;
    {
        UnprivilegedUser user;
        SettingsFile settings(path);
        saved = SaveAsTheWindowCloses(settings);
        error = settings.ErrorText();
        EXPECT_EQ(settings.ReadInt(kSettingsSection, "IsTopMost", 7), 7) << "reads as the default";
    }
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("cannot read " + path + ": Permission denied"), std::string::npos) << error;
    EXPECT_EQ(test::ReadFile(path), kOlderSettings);
    EXPECT_EQ(test::CountEntries(dir.path()), 1);
}

}  // namespace
}  // namespace zintor
