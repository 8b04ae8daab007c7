// The program run from the command line, as a user runs it: a copy of the program with its
// templates in a fresh folder, no display, one log.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "tests/TestSupport.h"

extern char** environ;

namespace zintor {
namespace {

using test::TempDir;

struct Result {
    int status = -1;
    std::string out, err;
};

// Runs a program with the given arguments and environment, collecting its output.
Result RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    TempDir capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, (capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv, envp;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    Result result;
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = test::ReadFile(capture / "out");
    result.err = test::ReadFile(capture / "err");
    return result;
}

// A folder holding a copy of the program and its templates, as an installation would.
struct Installation {
    TempDir dir;
    Installation() {
        for (const char* name : {"zintor", "zintor.htm.txt", "zintor.htm_en.txt"})
            std::filesystem::copy_file(std::string(ZINTOR_BUILD_DIR) + "/" + name, dir / name);
    }
    std::string Program() const { return dir / "zintor"; }
    Result Zintor(const std::vector<std::string>& args, const char* lang = "C") const {
        std::vector<std::string> argv = {Program()};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, {std::string("LANG=") + lang, "PATH=/usr/bin:/bin"});  // no DISPLAY
    }
};

std::string SampleLog() {
    std::string log;
    for (int minute = 0; minute < 30; ++minute)
        log += "202411" + std::string("05,10") + (minute < 10 ? "0" : "") + std::to_string(minute) + "00,1000,2000\r\n";
    return log;
}

TEST(CommandLine, WritesThePageBesideTheLogAndExitsZero) {
    Installation app;
    TempDir logs;
    for (const char* lang : {"C", "ja_JP.UTF-8"}) {
        test::WriteFile(logs / "vorlix_report202411.log", SampleLog());
        Result r = app.Zintor({logs / "vorlix_report202411.log"}, lang);
        EXPECT_EQ(r.status, 0) << lang << ": " << r.err;
        EXPECT_EQ(r.err, "");
        std::string page = test::ReadFile(logs / "vorlix_report202411.html");
        EXPECT_NE(page.find(lang[0] == 'C' ? std::string("Traffic Report - Nov.2024") : test::Cp932("Traffic Report - 2024年11月")),
                  std::string::npos)
            << lang;
        EXPECT_EQ(page.find('\n'), page.find("\r\n") + 1) << "lines end in CR LF";
    }
}

TEST(CommandLine, ArgumentsAreJoinedIntoOnePath) {
    Installation app;
    TempDir logs;
    std::filesystem::create_directory(logs / "my logs");
    test::WriteFile(logs / "my logs/vorlix_report 2024.log", SampleLog());
    Result r = app.Zintor({logs / "my", "logs/vorlix_report", "2024.log"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(test::Exists(logs / "my logs/vorlix_report 2024.html"));
}

TEST(CommandLine, FailuresSayWhatWentWrongOnOneLineAndExitOne) {
    struct Case {
        const char* name;
        std::string log;        // empty: no file
        const char* logName;
        std::string expectInError;
    };
    const Case cases[] = {
        {"missing log", "", "vorlix_report2024.log", "vorlix_report2024.log"},
        {"not a report log name", SampleLog(), "traffic.log", "vorlix_report"},
        {"one row", "20241105,100000,1,2\n", "vorlix_report2024.log", "fewer than 2"},
        {"binary garbage", std::string("\x00\xff\xfe\x01\n\x02\x03", 7), "vorlix_report2024.log", "no page"},
        {"comments only", "# a\n; b\n", "vorlix_report2024.log", "fewer than 2"},
    };
    for (const auto& c : cases) {
        Installation app;
        TempDir logs;
        if (!c.log.empty()) test::WriteFile(logs / c.logName, c.log);
        Result r = app.Zintor({logs / c.logName});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.err.find(c.expectInError), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.name << ": " << r.err;
        EXPECT_EQ(test::CountEntries(logs.path()), c.log.empty() ? 0 : 1) << c.name << ": nothing written";
    }
}

TEST(CommandLine, MissingTemplateIsReportedAndNothingIsWritten) {
    Installation app;
    std::filesystem::remove(app.dir / "zintor.htm_en.txt");
    TempDir logs;
    test::WriteFile(logs / "vorlix_report2024.log", SampleLog());
    Result r = app.Zintor({logs / "vorlix_report2024.log"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Template File is Not Found.\n");
    EXPECT_FALSE(test::Exists(logs / "vorlix_report2024.html"));
    // The Japanese template is still there for a Japanese run.
    EXPECT_EQ(app.Zintor({logs / "vorlix_report2024.log"}, "ja_JP.UTF-8").status, 0);
}

TEST(CommandLine, APageThatCannotBeWrittenIsReported) {
    Installation app;
    TempDir logs;
    test::WriteFile(logs / "vorlix_report2024.log", SampleLog());
    std::filesystem::create_directory(logs / "vorlix_report2024.html");  // the page's place is taken
    Result r = app.Zintor({logs / "vorlix_report2024.log"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("vorlix_report2024.html"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(test::CountEntries(logs.path()), 2);  // no temporary file left behind
}

TEST(CommandLine, RenamedProgramUsesTemplatesOfItsOwnName) {
    Installation app;
    std::filesystem::rename(app.dir / "zintor", app.dir / "other");
    std::filesystem::rename(app.dir / "zintor.htm_en.txt", app.dir / "other.htm_en.txt");
    TempDir logs;
    test::WriteFile(logs / "vorlix_report2024.log", SampleLog());
    Result r = RunProgram({app.dir / "other", logs / "vorlix_report2024.log"}, {"LANG=C"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(CommandLine, HelpVersionAndTheWindowWithoutADisplay) {
    Installation app;
    Result help = app.Zintor({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: zintor"), std::string::npos);
    Result version = app.Zintor({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zintor 0.70\n");
    for (std::vector<std::string> args : {std::vector<std::string>{}, std::vector<std::string>{app.dir.path()}}) {
        Result window = app.Zintor(args);
        EXPECT_EQ(window.status, 1);
        EXPECT_NE(window.err.find("display"), std::string::npos) << window.err;
        EXPECT_EQ(std::count(window.err.begin(), window.err.end(), '\n'), 1) << window.err;
    }
}

TEST(CommandLine, LoadsNoToolkitLibrary) {
    Result ldd = RunProgram({"/usr/bin/ldd", std::string(ZINTOR_BUILD_DIR) + "/zintor"}, {"PATH=/usr/bin:/bin"});
    ASSERT_EQ(ldd.status, 0) << ldd.err;
    for (const char* toolkit : {"wx_", "gtk", "gdk", "webkit", "glib"})
        EXPECT_EQ(ldd.out.find(toolkit), std::string::npos) << toolkit << " in\n" << ldd.out;
}

}  // namespace
}  // namespace zintor
