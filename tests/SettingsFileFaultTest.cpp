// Writing the settings file when the file system fails, as the window does when it closes.
// The failures of the writer itself (a folder that refuses new files, a full disk, a failing
// close or rename) are the page's, tested there; here, what the settings file adds to them:
// the earlier file stays byte for byte as it was and still reads, no temporary file is left
// beside it, and the values written are kept in memory, with one notice of the first failure.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <vector>

#include "app/FailureText.h"
#include "app/WindowSettings.h"
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

// What a closing window writes.
Failure SaveAsTheWindowCloses(SettingsFile& settings) {
    return SaveWindowSettings(settings,
                              {.topMost = true,
                               .sideMenu = true,
                               .zoomed = false,
                               .placement = PlacementAtClose(10, 20, 800, 600, false, false)});
}

TEST(SettingsFileFaults, AFailedWriteLeavesTheOlderFileAndKeepsTheValuesInMemory) {
    struct Case {
        const char* name;
        FaultPlan plan;
        const char* reason;
    };
    FaultPlan flush, rename;
    flush.fsyncError = EIO;  // only the settings file is flushed to the disk before the rename
    rename.renameError = EACCES;
    const Case cases[] = {
        {"flushing to the disk fails", flush, "Input/output error"},
        {"rename refused", rename, "Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "zintor.ini";
        test::WriteFile(path, kOlderSettings);
        SettingsFile settings(path);
        std::vector<std::string> notices;
        settings.SetFirstFailureNotice(
            [&](const Failure& why) { notices.push_back(FailureText(why)); });
        std::string error;
        {
            ScopedFaults faults(c.plan);
            error = FailureText(SaveAsTheWindowCloses(settings));
            EXPECT_TRUE(settings.WriteString(kSettingsSection, kSideMenuKey, "0"))
                << "a second failure";
            EXPECT_EQ(faults.plan().faultsTriggered, 2);
        }
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(notices, std::vector<std::string>{error}) << "one notice for two failures";
        EXPECT_EQ(test::ReadFile(path), kOlderSettings);
        EXPECT_EQ(SettingsFile(path).ReadInt(kSettingsSection, kTopMostKey, 1), 0)
            << "the file still reads";
        EXPECT_EQ(settings.ReadInt(kSettingsSection, kTopMostKey, 0), 1) << "kept in memory";
        EXPECT_EQ(settings.ReadInt(kSettingsSection, kSideMenuKey, 1), 0) << "the later value kept";
        EXPECT_EQ(test::CountEntries(dir.path()), 1) << "no temporary file left";
        // Once the fault is gone, the same writes go through.
        EXPECT_EQ(SaveAsTheWindowCloses(settings), test::kNoFailure);
        EXPECT_EQ(settings.ReadString(kSettingsSection, kLogFileKey, ""),
                  "/home/u/logs/vorlix_report2024.log");
        EXPECT_EQ(settings.ReadString(kSettingsSection, kPositionKey, ""),
                  "0:1:-1:-1:-1:-1:10:20:810:620");
        EXPECT_EQ(SettingsFile(path).ReadInt(kSettingsSection, kSideMenuKey, 0), 1)
            << "written, no longer kept";
    }
}

// What the user made in the settings file's place, or around it, that may not be replaced:
// the write is refused, the file stays as it was, nothing is waited on or read without end,
// and the window's values live on in memory.
TEST(SettingsFileFaults, WhatCannotBeReplacedIsLeftAsItIs) {
    struct Case {
        const char* name;
        std::function<void(const TempDir&, const std::string&)> make;
        bool asNobody;
        const char* reason;
        int isTopMostRead;  // by a fresh reader: 0 from the older file, 7 the default
    };
    auto older = [](const TempDir&, const std::string& path) {
        test::WriteFile(path, kOlderSettings);
    };
    const Case cases[] = {
        {"a read-only folder (as nobody)",
         [&](const TempDir& dir, const std::string& path) {
             older(dir, path);
             ::chmod(dir.path().c_str(), 0555);
         },
         true, "Permission denied", 0},
        {"a read-only file",
         [&](const TempDir& dir, const std::string& path) {
             older(dir, path);
             ::chmod(path.c_str(), 0444);
         },
         false, "cannot replace", 0},
        {"a read-only file (as nobody, in a folder anyone may write to)",
         [&](const TempDir& dir, const std::string& path) {
             older(dir, path);
             ::chmod(path.c_str(), 0644);
             ::chmod(dir.path().c_str(), 0777);
         },
         true, "cannot replace", 0},
        {"a folder", [](const TempDir&, const std::string& path) { ::mkdir(path.c_str(), 0755); },
         false, "cannot read", 7},
        {"a FIFO without a writer",
         [](const TempDir&, const std::string& path) { ::mkfifo(path.c_str(), 0644); }, false,
         "not a regular file", 7},
        {"a link to /dev/zero",
         [](const TempDir&, const std::string& path) { ::symlink("/dev/zero", path.c_str()); },
         false, "not a regular file", 7},
        {"a sparse file of 10 GiB",
         [](const TempDir&, const std::string& path) {
             test::WriteFile(path, "[Settings]\nIsTopMost=0\n");
             ::truncate(path.c_str(), 10ll << 30);
         },
         false, "File too large", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "zintor.ini";
        c.make(dir, path);
        struct stat before;
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        const std::string content =
            S_ISREG(before.st_mode) && before.st_size < 4096 ? test::ReadFile(path) : "";
        std::string error;
        int notices = 0;
        {
            std::optional<UnprivilegedUser> user;
            if (c.asNobody) user.emplace();
            SettingsFile settings(path);
            settings.SetFirstFailureNotice([&](const Failure&) { ++notices; });
            error = FailureText(SaveAsTheWindowCloses(settings));
            EXPECT_EQ(SettingsFile(path).ReadInt(kSettingsSection, kTopMostKey, 7),
                      c.isTopMostRead);
            EXPECT_EQ(settings.ReadInt(kSettingsSection, kTopMostKey, 7), 1) << "kept in memory";
            EXPECT_EQ(settings.ReadString(kSettingsSection, kPositionKey, ""),
                      "0:1:-1:-1:-1:-1:10:20:810:620");
        }
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(notices, 1);
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        struct stat after;
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, before.st_size);
        if (!content.empty()) {
            EXPECT_EQ(test::ReadFile(path), content);
        }
        EXPECT_EQ(test::CountEntries(dir.path()), 1) << "no temporary file left";
    }
}

// A settings file kept elsewhere (with the user's other dotfiles) and linked in stays a link:
// the file it leads to is replaced, beside itself.
TEST(SettingsFileFaults, ALinkedFileStaysALinkAndItsTargetIsWritten) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>>
            links;         // link name in the program folder: target
        std::string file;  // the file written, in the dotfiles folder
        bool exists;
    };
    const Case cases[] = {
        {"a link to a file elsewhere", {{"zintor.ini", "DOTFILES/zintor.ini"}}, "zintor.ini", true},
        {"a relative link", {{"zintor.ini", "../dotfiles/zintor.ini"}}, "zintor.ini", true},
        {"a link to a link",
         {{"zintor.ini", "second.ini"}, {"second.ini", "DOTFILES/real.ini"}},
         "real.ini",
         true},
        {"a link to a file not made yet", {{"zintor.ini", "DOTFILES/new.ini"}}, "new.ini", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir root;
        const std::string program = root / "program", dotfiles = root / "dotfiles";
        ::mkdir(program.c_str(), 0755);
        ::mkdir(dotfiles.c_str(), 0755);
        if (c.exists) test::WriteFile(dotfiles + "/" + c.file, kOlderSettings);
        for (auto [name, target] : c.links) {
            if (target.starts_with("DOTFILES/")) target = dotfiles + target.substr(8);
            ASSERT_EQ(::symlink(target.c_str(), (program + "/" + name).c_str()), 0);
        }
        SettingsFile settings(program + "/zintor.ini");
        EXPECT_EQ(SaveAsTheWindowCloses(settings), test::kNoFailure);
        for (const auto& [name, target] : c.links) {
            struct stat st;
            EXPECT_EQ(::lstat((program + "/" + name).c_str(), &st), 0);
            EXPECT_TRUE(S_ISLNK(st.st_mode)) << name << " is still a link";
        }
        const std::string written = test::ReadFile(dotfiles + "/" + c.file);
        EXPECT_NE(written.find("Position=0:1:-1:-1:-1:-1:10:20:810:620"), std::string::npos)
            << written;
        EXPECT_EQ(written.find("LogFile=") != std::string::npos, c.exists) << written;
        EXPECT_EQ(SettingsFile(program + "/zintor.ini").ReadInt(kSettingsSection, kSideMenuKey, 0),
                  1);
        EXPECT_EQ(test::CountTemporaryFiles(program) + test::CountTemporaryFiles(dotfiles), 0);
        EXPECT_EQ(test::CountEntries(dotfiles), 1);
    }
}

// A link is followed only where the system would let the user follow it in a shared
// folder: the user's own link, or a link in a folder no one else can write to. Another
// user's link in /tmp or a group's folder is left alone: the file it leads to (root's own,
// mode 0600) keeps its bytes, the settings are kept in memory and the write says why.
TEST(SettingsFileFaults, AnotherUsersLinkIsFollowedOnlyInAFolderNoOneElseCanWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
    const uid_t other = 65534;
    struct Case {
        const char* name;
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool followed;
    };
    const Case cases[] = {
        {"another user's link in a sticky folder anyone may write", 01777, 0, other, false},
        {"another user's link in that user's folder", 0755, other, other, false},
        {"another user's link in a group's folder of ours", 0775, 0, other, false},
        {"our own link in a sticky folder anyone may write", 01777, 0, 0, true},
        {"another user's link in a folder only we may write", 0755, 0, other, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir root;
        const std::string shared = root / "shared", target = root / "target.ini";
        const std::string link = shared + "/zintor.ini";
        test::WriteFile(target, kOlderSettings);
        ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
        ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
        SettingsFile settings(link);
        Failure failure = SaveAsTheWindowCloses(settings);
        struct stat st;
        ASSERT_EQ(::lstat(link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << "still a link";
        const std::string written = test::ReadFile(target);
        EXPECT_EQ(written.find("Position=0:1:-1:-1:-1:-1:10:20:810:620") != std::string::npos,
                  c.followed)
            << written;
        EXPECT_EQ(settings.ReadString(kSettingsSection, kPositionKey, ""),
                  "0:1:-1:-1:-1:-1:10:20:810:620")
            << "kept in memory either way";
        if (c.followed) {
            EXPECT_EQ(failure, test::kNoFailure);
        } else {
            EXPECT_EQ(written, kOlderSettings);
            EXPECT_EQ(FailureText(failure),
                      "cannot write " + link +
                          ": the link is in a folder others can write to and is not yours");
        }
        EXPECT_EQ(test::CountEntries(shared), 1) << "no temporary file left";
    }
}

TEST(SettingsFileFaults, AFileThatCannotBeReadIsNotRewrittenFromNothing) {
    TempDir dir;
    const std::string path = dir / "zintor.ini";
    test::WriteFile(path, kOlderSettings);
    // The folder lets anyone replace the file, but the file cannot be read (as nobody).
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    std::string error;
    {
        UnprivilegedUser user;
        SettingsFile settings(path);
        error = FailureText(SaveAsTheWindowCloses(settings));
        EXPECT_EQ(SettingsFile(path).ReadInt(kSettingsSection, kTopMostKey, 7), 7)
            << "reads as the default";
    }
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(error, "cannot read " + path + ": Permission denied");
    EXPECT_EQ(test::ReadFile(path), kOlderSettings);
    EXPECT_EQ(test::CountEntries(dir.path()), 1);
}

}  // namespace
}  // namespace zintor
