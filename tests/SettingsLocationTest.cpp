// Where the settings file goes: beside the program when the user may write there, else in the
// user's configuration folder.
#include "app/SettingsLocation.h"
#include "platform/UserFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

TEST(SettingsLocation, BesideTheProgramWhenItsFolderIsWritable) {
    TempDir dir;
    EXPECT_EQ(SettingsFileLocation(dir / "zintor.ini"), dir / "zintor.ini");
    test::WriteFile(dir / "zintor.ini", "[Settings]\n");
    EXPECT_EQ(SettingsFileLocation(dir / "zintor.ini"), dir / "zintor.ini");
}

// As any user, root included (who then acts as nobody).
TEST(SettingsLocation, TheUsersConfigurationFolderWhenTheProgramsIsNot) {
    TempDir program, config;
    ::chmod(program.path().c_str(), 0555);
    ::chmod(config.path().c_str(), 0777);
    test::WriteFile(program / "written.ini", "");
    ::chmod((program / "written.ini").c_str(), 0666);
    {
        test::UnprivilegedUser user;
        {
            test::ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
            EXPECT_EQ(SettingsFileLocation(program / "other.ini"), config / "zintor/other.ini");
            EXPECT_TRUE(test::Exists(config / "zintor"));
            // A settings file the user may write goes there too: its folder must let it be
            // replaced.
            EXPECT_EQ(SettingsFileLocation(program / "written.ini"), config / "zintor/written.ini");
        }
        {
            test::ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
            test::ScopedEnv home("HOME", config.path().c_str());
            EXPECT_EQ(SettingsFileLocation(program / "zintor.ini"),
                      config / ".config/zintor/zintor.ini");
        }
        {
            test::ScopedEnv xdg("XDG_CONFIG_HOME", "relative/not/used");
            test::ScopedEnv home("HOME", nullptr);
            EXPECT_EQ(SettingsFileLocation(program / "zintor.ini"), program / "zintor.ini");
        }
    }
    ::chmod(program.path().c_str(), 0755);
}

// The recorder writes into the data folder and the window looks there on a first start, by
// one rule; a base directory variable counts only when it is absolute.
TEST(UserFolders, FollowTheBaseDirectoryVariablesElseHome) {
    struct Case {
        const char *xdg, *home, *data, *cache;
    };
    const Case cases[] = {
        {"/x", "/home/u", "/x/zintor", "/x/zintor"},
        {nullptr, "/home/u", "/home/u/.local/share/zintor", "/home/u/.cache/zintor"},
        {"", "/home/u", "/home/u/.local/share/zintor", "/home/u/.cache/zintor"},
        {"relative", "/home/u", "/home/u/.local/share/zintor", "/home/u/.cache/zintor"},
        {nullptr, "relative", "", ""},
        {nullptr, nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        EXPECT_EQ(UserDataFolder(c.xdg, c.home), c.data);
        EXPECT_EQ(UserCacheFolder(c.xdg, c.home), c.cache);
    }
}

}  // namespace
}  // namespace zintor
