// The allowance as the settings file holds it, read by runs that write nothing.
#include "app/AllowanceSettings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/SettingsLocation.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

TEST(AllowanceSettings, ReadFromTheSettingsSection) {
    struct Case {
        const char* file;
        std::uint64_t bytes;
        AllowanceCounts counts;
    };
    constexpr std::uint64_t G = 1024ull * 1024 * 1024;
    const Case cases[] = {
        {"[Settings]\nMonthlyAllowance=500G\n", 500 * G, AllowanceCounts::kBoth},
        {"[Settings]\nMonthlyAllowance=\"1.5 T\"\nAllowanceCounts=received\n", 1536 * G,
         AllowanceCounts::kReceived},
        {"[settings]\nmonthlyallowance=2G\nallowancecounts=SENT\n", 2 * G, AllowanceCounts::kSent},
        {"[Settings]\nMonthlyAllowance=2G\nAllowanceCounts=sideways\n", 2 * G,
         AllowanceCounts::kBoth},
        {"[Settings]\nMonthlyAllowance=0\nAllowanceCounts=sent\n", 0, AllowanceCounts::kBoth},
        {"[Settings]\nMonthlyAllowance=\n", 0, AllowanceCounts::kBoth},
        {"[Settings]\nMonthlyAllowance=lots\n", 0, AllowanceCounts::kBoth},
        {"[Other]\nMonthlyAllowance=2G\n", 0, AllowanceCounts::kBoth},
        {"", 0, AllowanceCounts::kBoth},
    };
    TempDir dir;
    for (const Case& c : cases) {
        test::WriteFile(dir / "zintor.ini", c.file);
        AllowancePlan plan = ReadAllowancePlan(SettingsFile(dir / "zintor.ini").Read());
        EXPECT_EQ(plan.bytes, c.bytes) << c.file;
        EXPECT_EQ(plan.counts, c.counts) << c.file;
    }
}

// The program's own settings: beside it when it may keep them there, read without making
// the user's configuration folder or the file.
TEST(AllowanceSettings, TheProgramsFileIsReadAndNothingIsMade) {
    TempDir program, config;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", (config / "cfg").c_str());
    EXPECT_EQ(ReadProgramAllowance(program / "zintor").bytes, 0u);
    EXPECT_FALSE(test::Exists(program / "zintor.ini"));
    test::WriteFile(program / "zintor.ini", "[Settings]\nMonthlyAllowance=3K\n");
    EXPECT_EQ(ReadProgramAllowance(program / "zintor").bytes, 3072u);

    ::chmod(program.path().c_str(), 0555);
    ::chmod(config.path().c_str(), 0777);  // a folder the window's run would make
    {
        test::UnprivilegedUser user;
        EXPECT_EQ(SettingsFileToRead(program / "zintor.ini"), program / "zintor.ini");
        EXPECT_FALSE(test::Exists(config / "cfg"));
    }
    ::chmod(program.path().c_str(), 0755);
}

}  // namespace
}  // namespace zintor
