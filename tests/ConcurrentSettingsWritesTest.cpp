// Two windows closing at the same moment, as far as the settings file sees them: two
// processes each writing IsTopMost, IsSideMenu, IsZoomed and Position into one file at once.
// Each window's keys go in with one rewrite of the file, so the file always parses and holds
// the four keys of one window, the one that finished last, never a mix; the lines no window
// writes (a comment, LogFile) stay.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/WindowSettings.h"
#include "platform/SettingsFile.h"
#include "tests/FaultyFileOps.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

// Forks a process that waits for the start signal, writes as a closing window and ends.
pid_t StartWindowClosing(const std::string& path, const WindowState& closing, int startSignal) {
    pid_t pid = ::fork();
    if (pid != 0) return pid;
    char go;
    if (::read(startSignal, &go, 1) != 1) ::_exit(2);
    SettingsFile settings(path);
    ::_exit(SaveWindowSettings(settings, closing) ? 1 : 0);
}

TEST(ConcurrentSettingsWrites, TwoWindowsClosingAtOnceLeaveAFileThatParses) {
    const WindowState windows[2] = {{.topMost = true,
                                     .sideMenu = false,
                                     .zoomed = false,
                                     .placement = PlacementAtClose(10, 20, 800, 600, false, false)},
                                    {.topMost = false,
                                     .sideMenu = true,
                                     .zoomed = true,
                                     .placement = PlacementAtClose(0, 0, 1280, 800, true, false)}};
    const std::string older =
        "; my settings\n[Settings]\nLogFile=/home/u/logs/vorlix_report2024.log\n";
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    test::WriteFile(path, older);
    std::map<std::string, int> lastPosition;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t pids[2] = {StartWindowClosing(path, windows[0], start[0]),
                         StartWindowClosing(path, windows[1], start[0])};
        ASSERT_EQ(::write(start[1], "gg", 2), 2);  // both at once
        ::close(start[0]);
        ::close(start[1]);
        for (pid_t pid : pids) {
            int status = -1;
            ::waitpid(pid, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
        }

        const std::string text = test::ReadFile(path);
        ASSERT_EQ(text.rfind(older, 0), 0u) << "the lines no window writes are kept:\n" << text;
        std::istringstream lines(text.substr(older.size()));
        std::map<std::string, std::string> keys;
        for (std::string line; std::getline(lines, line);) {
            std::size_t eq = line.find('=');
            ASSERT_NE(eq, std::string::npos) << "a broken line: " << line;
            ASSERT_TRUE(keys.emplace(line.substr(0, eq), line.substr(eq + 1)).second)
                << "twice: " << line;
        }
        // The four keys of the window whose rewrite landed last.
        ASSERT_EQ(keys.count("Position"), 1u) << text;
        const int last = keys["Position"] == FormatWindowPlacement(windows[0].placement) ? 0 : 1;
        ASSERT_EQ(keys["Position"], FormatWindowPlacement(windows[last].placement)) << text;
        WindowSettings read = ReadWindowSettings(SettingsFile(path));
        EXPECT_TRUE(read.placed) << text;
        EXPECT_EQ(read.topMost, windows[last].topMost) << text;
        EXPECT_EQ(read.sideMenu, windows[last].sideMenu) << text;
        EXPECT_EQ(read.zoomed, windows[last].zoomed) << text;
        ++lastPosition[keys["Position"]];
        EXPECT_EQ(keys.size(), 4u) << text;
        EXPECT_EQ(keys.size() + 3,
                  static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
        ASSERT_EQ(test::CountTemporaryFiles(dir.path()), 0);
    }
    RecordProperty("position_of_first_window_last",
                   lastPosition[FormatWindowPlacement(windows[0].placement)]);
    RecordProperty("position_of_second_window_last",
                   lastPosition[FormatWindowPlacement(windows[1].placement)]);
}

// Four copies each writing keys of their own, as fast as they can: every key any of them
// wrote is in the file at the end. Without the copies taking turns, one rewriting from the
// file before another's change undoes that change.
TEST(ConcurrentSettingsWrites, ManyCopiesWritingAtOnceLoseNoKey) {
    constexpr int kCopies = 4;
    constexpr int kKeysEach = 60;
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    test::WriteFile(path, "[Settings]\nLogFile=/home/u/logs/vorlix_report2024.log\n");
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> pids;
    for (int copy = 0; copy < kCopies; ++copy) {
        pid_t pid = ::fork();
        if (pid == 0) {
            char go;
            if (::read(start[0], &go, 1) != 1) ::_exit(2);
            SettingsFile settings(path);
            bool ok = true;
            for (int k = 0; k < kKeysEach; ++k) {
                ok =
                    !settings.WriteString(kSettingsSection,
                                          "Copy" + std::to_string(copy) + "Key" + std::to_string(k),
                                          std::to_string(k)) &&
                    ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        pids.push_back(pid);
    }
    ASSERT_EQ(::write(start[1], std::string(kCopies, 'g').data(), kCopies), kCopies);
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : pids) {
        int status = -1;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    SettingsFile settings(path);
    int lost = 0;
    for (int copy = 0; copy < kCopies; ++copy) {
        for (int k = 0; k < kKeysEach; ++k) {
            if (settings.ReadInt(kSettingsSection,
                                 "Copy" + std::to_string(copy) + "Key" + std::to_string(k),
                                 -1) != k)
                ++lost;
        }
    }
    EXPECT_EQ(lost, 0) << test::ReadFile(path);
    EXPECT_EQ(settings.ReadString(kSettingsSection, kLogFileKey, ""),
              "/home/u/logs/vorlix_report2024.log");
    EXPECT_EQ(test::CountTemporaryFiles(dir.path()), 0);
}

// Another program that locks the folder and never lets go delays the write by a moment
// but neither stops it nor hangs the closing window.
TEST(ConcurrentSettingsWrites, AFolderLockNeverGivenBackDelaysTheWriteOnly) {
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    int held = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    SettingsFile settings(path);
    EXPECT_EQ(settings.WriteString(kSettingsSection, kTopMostKey, "0"), test::kNoFailure);
    EXPECT_EQ(settings.ReadInt(kSettingsSection, kTopMostKey, 1), 0);
    ::close(held);
}

}  // namespace
}  // namespace zintor
