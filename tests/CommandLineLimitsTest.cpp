// The command-line run with unusual paths: 4,000 characters deep, longer than the system
// allows, and names with blanks, quotes and characters beyond ASCII, in both languages. The
// page's bytes never depend on where the log lies.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/ProgramRun.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

test::ProgramResult Zintor(const std::string& argument, bool japanese) {
    return test::RunProgram({test::BuiltProgram(), argument},
                            test::ProgramEnvironment(japanese ? "ja_JP.UTF-8" : "C"));
}

const std::string kLog = [] {
    std::string log;
    char line[64];
    for (int day = 1; day <= 3; ++day)
        for (int minute = 0; minute < 20; ++minute) {
            std::snprintf(line, sizeof line, "202411%02d,12%02d00,1000,2000\n", day, minute);
            log += line;
        }
    return log;
}();

// The page of kLog written from a plain folder.
std::string PlainPage(bool japanese) {
    TempDir dir;
    test::WriteFile(dir / "vorlix_report2024.log", kLog);
    EXPECT_EQ(Zintor(dir / "vorlix_report2024.log", japanese).status, 0);
    return test::ReadFile(dir / "vorlix_report2024.html");
}

TEST(CommandLineLimits, ALogPathOf4000Characters) {
    TempDir dir;
    std::string folder = dir.path();
    const std::string name = "/vorlix_report2024.log";
    for (int i = 0; folder.size() + name.size() < 4000; ++i) {
        std::size_t room = 4000 - name.size() - folder.size() - 1;
        folder += '/';
        folder.append(std::min<std::size_t>(room, 200), static_cast<char>('a' + i % 26));
    }
    std::filesystem::create_directories(folder);
    const std::string log = folder + name;
    ASSERT_EQ(log.size(), 4000u);
    test::WriteFile(log, kLog);
    for (bool japanese : {false, true}) {
        test::ProgramResult run = Zintor(log, japanese);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(test::ReadFile(folder + "/vorlix_report2024.html"), PlainPage(japanese));
    }
    EXPECT_EQ(test::CountEntries(folder), 2);
}

TEST(CommandLineLimits, APathLongerThanTheSystemAllowsIsReported) {
    std::string log = "/tmp";
    while (log.size() < 4100) log += "/" + std::string(200, 'd');
    log += "/vorlix_report2024.log";
    test::ProgramResult run = Zintor(log, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("File name too long"), std::string::npos)
        << run.err.substr(run.err.size() - 80);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
}

TEST(CommandLineLimits, FileNamesWithBlanksQuotesAndOtherCharacters) {
    const char* const names[] = {
        "my logs/vorlix_report 2024.log",
        "two  blanks/vorlix_report  2024 .log",
        "quotes \"a\" 'b'/vorlix_report\"2024\"'x'.log",
        "\xE3\x83\xAD\xE3\x82\xB0/vorlix_report2024 "
        "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF.log",  // UTF-8 Japanese
        "caf\xE9/vorlix_report\xE9\xFF.log",         // not UTF-8
        "$TITLE$ & <b>/vorlix_report$DATE$;,#.log",
        "-dash/vorlix_report.log.log",
    };
    for (bool japanese : {false, true}) {
        const std::string expected = PlainPage(japanese);
        for (const char* name : names) {
            SCOPED_TRACE(std::string(name) + (japanese ? " (Japanese)" : " (English)"));
            TempDir dir;
            const std::string log = dir / name;
            std::filesystem::create_directories(std::filesystem::path(log).parent_path());
            test::WriteFile(log, kLog);
            test::ProgramResult run = Zintor(log, japanese);
            EXPECT_EQ(run.status, 0) << run.err;
            std::string page = log.substr(0, log.rfind('.')) + ".html";
            EXPECT_EQ(test::ReadFile(page), expected);
        }
    }
}

}  // namespace
}  // namespace zintor
