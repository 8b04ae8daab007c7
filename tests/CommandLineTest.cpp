// The program run from the command line, as a user runs it: a copy of the program with its
// templates in a fresh folder, no display, one log.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "resources/Version.h"
#include "tests/FaultyFileOps.h"
#include "tests/ProgramRun.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using Result = test::ProgramResult;
using test::RunProgram;
using test::TempDir;

// A folder holding a copy of the program and its templates, as an installation would.
struct Installation {
    TempDir dir;
    Installation() {
        for (const char* name : {"zintor", "zintor.htm.txt", "zintor.htm_en.txt"})
            std::filesystem::copy_file(std::string(ZINTOR_BUILD_DIR) + "/" + name, dir / name);
    }
    std::string Program() const { return dir / "zintor"; }
    Result Zintor(const std::vector<std::string>& args, const char* lang = "C",
                  const test::Limits& limits = {}) const {
        std::vector<std::string> argv = {Program()};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, test::ProgramEnvironment(lang), limits);
    }
};

std::string SampleLog() {
    std::string log;
    for (int minute = 0; minute < 30; ++minute)
        log += "202411" + std::string("05,10") + (minute < 10 ? "0" : "") + std::to_string(minute) +
               "00,1000,2000\r\n";
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
        EXPECT_NE(page.find(lang[0] == 'C' ? std::string("Traffic Report - Nov.2024")
                                           : test::Cp932("Traffic Report - 2024年11月")),
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
        std::string log;  // empty: no file, or what make puts there
        const char* logName;
        std::string expectInError;
        std::function<void(const std::string&)> make = nullptr;
    };
    const Case cases[] = {
        {"missing log", "", "vorlix_report2024.log", "vorlix_report2024.log"},
        {"not a report log name", SampleLog(), "traffic.log", "vorlix_report"},
        {"one row", "20241105,100000,1,2\n", "vorlix_report2024.log", "fewer than 2"},
        {"binary garbage", std::string("\x00\xff\xfe\x01\n\x02\x03", 7), "vorlix_report2024.log",
         "no page"},
        {"comments only", "# a\n; b\n", "vorlix_report2024.log", "fewer than 2"},
        // Nothing that is not a regular file is waited on or read: no hang, no memory filled.
        {"a FIFO without a writer", "", "vorlix_report2024.log",
         "vorlix_report2024.log: not a regular file",
         [](const std::string& path) { ::mkfifo(path.c_str(), 0644); }},
        {"a link to /dev/zero", "", "vorlix_report2024.log",
         "vorlix_report2024.log: not a regular file",
         [](const std::string& path) { ::symlink("/dev/zero", path.c_str()); }},
        {"a link to /dev/urandom", "", "vorlix_report2024.log", "not a regular file",
         [](const std::string& path) { ::symlink("/dev/urandom", path.c_str()); }},
        {"a link to a FIFO", "", "vorlix_report2024.log", "not a regular file",
         [](const std::string& path) {
             ::mkfifo((path + ".fifo").c_str(), 0644);
             ::symlink((path + ".fifo").c_str(), path.c_str());
         }},
    };
    for (const auto& c : cases) {
        Installation app;
        TempDir logs;
        if (!c.log.empty()) test::WriteFile(logs / c.logName, c.log);
        if (c.make) c.make(logs / c.logName);
        const int entries = test::CountEntries(logs.path());
        Result r = app.Zintor({logs / c.logName});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.err.find(c.expectInError), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.name << ": " << r.err;
        EXPECT_EQ(test::CountEntries(logs.path()), entries) << c.name << ": nothing written";
    }
}

// The run is interrupted (Ctrl+C, SIGTERM, SIGHUP) while it writes a page of 40 MB: the
// temporary file goes, the older page stays, and the run ends as the signal ends programs.
// The same for a page that the file-size limit (ulimit -f) cuts short, which fails as a write.
// The English template with 40 MB more in its header: a page that takes a while to write.
void EnlargeTemplate(const Installation& app) {
    std::string header;
    for (int i = 0; i < 400000; ++i) header += "<p>$TITLE$ " + std::string(80, '.') + "</p>\n";
    std::string tpl = test::ReadFile(app.dir / "zintor.htm_en.txt");
    tpl.insert(tpl.find('\n', tpl.find("html_header_start")) + 1, header);
    test::WriteFile(app.dir / "zintor.htm_en.txt", tpl);
}

TEST(CommandLine, AnInterruptedRunLeavesTheOlderPageAndNoTemporaryFile) {
    Installation app;
    EnlargeTemplate(app);
    TempDir logs;
    const std::string log = logs / "vorlix_report2024.log", page = logs / "vorlix_report2024.html";
    test::WriteFile(log, SampleLog());
    const std::string older = "<html>the page of an earlier run</html>\r\n";
    auto temporaryFiles = [&] { return test::CountTemporaryFiles(logs.path()); };
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        test::WriteFile(page, older);
        Result r;
        // Stopped while its temporary file is there (a run that got to its end first is tried
        // again), then signalled.
        for (int attempt = 0; attempt < 5 && r.status < 0; ++attempt) {
            test::StartedProgram program({app.Program(), log}, test::ProgramEnvironment("C"));
            const pid_t pid = program.Pid();
            while (temporaryFiles() == 0 && ::waitpid(pid, nullptr, WNOHANG) == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            ::kill(pid, SIGSTOP);
            bool writing = temporaryFiles() == 1;
            ::kill(pid, writing ? signal : SIGKILL);
            ::kill(pid, SIGCONT);
            Result run = program.Finish();
            if (writing) r = run;
            test::WriteFile(page, older);
        }
        EXPECT_EQ(r.status, 128 + signal) << r.err;
        EXPECT_EQ(test::ReadFile(page), older);
        EXPECT_EQ(temporaryFiles(), 0);
    }
    Result limited = app.Zintor({log}, "C", {{RLIMIT_FSIZE, 1 << 20}});
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(limited.err, "zintor: cannot write " + page + ": File too large\n");
    EXPECT_EQ(test::ReadFile(page), older);
    EXPECT_EQ(temporaryFiles(), 0);
}

// The signal reaches --all alone, not its workers (kill, not Ctrl+C at a terminal): the
// workers are stopped, their temporary files go, and --all ends as the signal ends programs.
TEST(CommandLine, AnInterruptedAllLeavesNoTemporaryFile) {
    Installation app;
    EnlargeTemplate(app);
    TempDir logs;
    for (int month = 1; month <= 6; ++month)
        test::WriteFile(logs / ("vorlix_report2025" + std::to_string(month + 10) + ".log"),
                        SampleLog());
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        test::StartedProgram program({app.Program(), "--all", logs.path()},
                                     test::ProgramEnvironment("C"));
        while (test::CountTemporaryFiles(logs.path()) == 0 &&
               ::waitpid(program.Pid(), nullptr, WNOHANG) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ::kill(program.Pid(), signal);
        Result r = program.Finish();
        EXPECT_EQ(r.status, 128 + signal) << r.err;
        EXPECT_EQ(test::CountTemporaryFiles(logs.path()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(test::CountTemporaryFiles(logs.path()), 0) << "no worker went on writing";
    }
}

// A log of a terabyte (200,000 rows, then a hole) takes the run no more memory than its first
// 65,535 rows alone: the rest is neither read nor held.
TEST(CommandLine, AHugeLogTakesTheMemoryOfItsRowsOnly) {
    Installation app;
    TempDir logs;
    std::string rows;
    for (int i = 0; i < 200000; ++i) {
        char line[48];
        std::snprintf(line, sizeof line, "202411%02d,%02d%02d%02d,1000,2000\n", 1 + i / 7000,
                      i / 3600 % 24, i / 60 % 60, i % 60);
        rows += line;
    }
    const std::string small = logs / "vorlix_report202411.log",
                      huge = logs / "vorlix_report202412.log";
    test::WriteFile(small, rows.substr(0, rows.find('\n', 65535 * 27) + 1));
    test::WriteFile(huge, rows);
    ASSERT_EQ(::truncate(huge.c_str(), 1ll << 40), 0);
    Result first = app.Zintor({small}), second = app.Zintor({huge});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(test::ReadFile(logs / "vorlix_report202412.html"),
              test::ReadFile(logs / "vorlix_report202411.html"));
    EXPECT_LT(second.peakKilobytes, first.peakKilobytes + 4096) << first.peakKilobytes;
}

// Under a stack of 64 KiB (ulimit -s 64) the run still writes the page: large buffers live
// on the heap.
TEST(CommandLine, RunsOnASmallStack) {
    Installation app;
    TempDir logs;
    test::WriteFile(logs / "vorlix_report202411.log", SampleLog());
    for (const char* lang : {"C", "ja_JP.UTF-8"}) {
        Result r = app.Zintor({logs / "vorlix_report202411.log"}, lang, {{RLIMIT_STACK, 64 << 10}});
        EXPECT_EQ(r.status, 0) << lang << ": " << r.err;
        EXPECT_GT(test::ReadFile(logs / "vorlix_report202411.html").size(), 10000u) << lang;
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
    std::filesystem::create_directory(logs /
                                      "vorlix_report2024.html");  // the page's place is taken
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
    EXPECT_EQ(version.out, "zintor " ZINTOR_PROGRAM_VERSION "\n");
    for (std::vector<std::string> args :
         {std::vector<std::string>{}, std::vector<std::string>{app.dir.path()}}) {
        Result window = app.Zintor(args);
        EXPECT_EQ(window.status, 1);
        EXPECT_NE(window.err.find("display"), std::string::npos) << window.err;
        EXPECT_EQ(std::count(window.err.begin(), window.err.end(), '\n'), 1) << window.err;
    }
}

// Each expression evaluated by python3 over the JSON document d read from file, one ascii() a
// line: the output is parsed by a JSON reader of its own, strictly (UTF-8, no stray bytes).
std::vector<std::string> QueryJson(const std::string& file, const std::vector<std::string>& exprs) {
    std::vector<std::string> argv = {
        "/usr/bin/python3", "-c",
        "import json, sys\n"
        "d = json.loads(open(sys.argv[1], 'rb').read().decode('utf-8', 'strict'))\n"
        "for e in sys.argv[2:]: print(ascii(eval(e)))\n",
        file};
    argv.insert(argv.end(), exprs.begin(), exprs.end());
    Result r = RunProgram(argv, {"PATH=/usr/bin:/bin"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(r.out.substr(at, end - at));
    return lines;
}

// A month folded from two (October's rows add into November's days by day number), skipped
// rows, byte counts past 2^31, and capture steps of 1 and 61 seconds (62 and more count none),
// each step for the day, weekday and hour of its later row.
TEST(CommandLine, JsonGivesTheExactFiguresOfTheMonth) {
    Installation app;
    TempDir logs;
    // A name that JSON must escape: quote, backslash, a line feed and a byte that is no UTF-8.
    const std::string log = logs / "vorlix_report\"\\\n\xff\xc3\xa9.log";
    test::WriteFile(log,
                    "date,time,sent,received\n"    // skipped: no month
                    "20261305,100000,999,999\n"    // skipped: month 13
                    "20261005,120000,1000,2000\n"  // Mon 5 Oct, the first step counts none
                    "20261005,120001,1,2\r\n"      // 1 s
                    "20261105,120102,10,20\n"      // Thu 5 Nov, 61 s after the row before
                    "20261105,130204,100,200\n"    // an hour on
                    "20261105,130306,3000000000,4000000000\n"  // 62 s
                    "20261031,080000,7,7\n"                    // Sat 31 Oct: no day 31 in November
                    "# a comment\n"
                    "20261130,235959,5,6\n");  // Mon 30 Nov: the month reported
    struct Query {
        const char* expr;
        const char* value;
    };
    const Query queries[] = {
        {"d['format_version'], d['log'].rsplit('/', 1)[1], d['year'], d['month']",
         "(1, 'vorlix_report\"\\\\\\n\\ufffd\\xe9.log', 2026, 11)"},
        {"d['rows']", "{'read': 9, 'skipped': 2}"},
        {"d['totals']", "{'sent': 3000001123, 'received': 4000002235, 'capture_seconds': 62}"},
        {"len(d['days']), [x['day'] for x in d['days']] == list(range(1, 31))", "(30, True)"},
        {"d['days'][4]['date'], d['days'][4]['weekday'], d['days'][29]['weekday']",
         "('2026-11-05', 'Thu', 'Mon')"},
        {"[(x['sent'], x['received'], x['capture_seconds']) for x in d['days'] if x['sent']]",
         "[(3000001111, 4000002222, 62), (5, 6, 0)]"},
        {"[(h['hour'], h['sent'], h['received']) for h in d['days'][4]['hours'] if h['sent']]",
         "[(12, 1011, 2022), (13, 3000000100, 4000000200)]"},
        {"len(d['days'][0]['hours']), [h['hour'] for h in d['days'][0]['hours']][-1]", "(24, 23)"},
        {"[(w, x['sent'], x['received'], x['capture_seconds']) for w, x in "
         "enumerate(d['weekdays']) if x['sent']]",
         "[(1, 1006, 2008, 1), (4, 3000000110, 4000000220, 61), (6, 7, 7, 0)]"},
        {"[(h, x['sent'], x['received'], x['capture_seconds']) for h, x in "
         "enumerate(d['hours']) if x['sent']]",
         "[(8, 7, 7, 0), (12, 1011, 2022, 62), (13, 3000000100, 4000000200, 0), (23, 5, 6, 0)]"},
        {"sorted(d), sorted(d['days'][0]), sorted(d['weekdays'][0]), sorted(d['hours'][0])",
         "(['days', 'figures', 'format_version', 'hours', 'log', 'month', 'rows', 'totals', "
         "'weekdays', 'year'], ['capture_seconds', 'date', 'day', 'hours', 'received', 'sent', "
         "'weekday'], ['capture_seconds', 'received', 'sent'], ['capture_seconds', 'received', "
         "'sent'])"},
        // The highest rate is the 1 s step (a row of October counts for the 5th, as on the
        // page); the 62 s step gives none.
        {"[(x['bytes'], x['seconds'], x['bytes_per_second'], x['date'], x['time']) for x in "
         "(d['figures']['peak']['sent'], d['figures']['peak']['received'])]",
         "[(1, 1, 1, '2026-11-05', '12:00:01'), (2, 1, 2, '2026-11-05', '12:00:01')]"},
        // Four five-minute bins: index round(4 × 0.95) - 1 = 3, the largest.
        {"(p := d['figures']['percentile95'])['bins'], p['sent']['bytes'], "
         "p['sent']['bytes_per_second'], p['received']['bytes_per_second'], "
         "p['billed']['direction'], p['billed']['bytes_per_second']",
         "(4, 3000000100, 10000000, 13333334, 'received', 13333334)"},
        {"d['figures']['estimate'], d['figures']['allowance']", "(None, None)"},
    };
    std::string english;
    for (const char* lang : {"C", "ja_JP.UTF-8"}) {
        Result r = app.Zintor({"--json", log}, lang);
        ASSERT_EQ(r.status, 0) << lang << ": " << r.err;
        EXPECT_EQ(r.err, "");
        if (english.empty()) english = r.out;
        EXPECT_EQ(r.out, english) << "the same figures in every language";
    }
    EXPECT_EQ(test::CountEntries(logs.path()), 1) << "no page written";
    test::WriteFile(logs / "figures.json", english);
    std::vector<std::string> exprs;
    for (const Query& q : queries) exprs.push_back(q.expr);
    std::vector<std::string> values = QueryJson(logs / "figures.json", exprs);
    ASSERT_EQ(values.size(), std::size(queries));
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(values[i], queries[i].value) << queries[i].expr;
}

// The allowance beside the program counts for --json, the page and --all, which only read
// the settings file.
TEST(CommandLine, TheAllowanceOfTheSettingsFileIsReadNotWritten) {
    Installation app;
    TempDir logs;
    const std::string settings = "[Settings]\nMonthlyAllowance=40K\nAllowanceCounts=received\n";
    test::WriteFile(app.dir / "zintor.ini", settings);
    // Five days of hourly rows in November: over 600,000 bytes received, of 40,960.
    test::WriteFile(logs / "vorlix_report202611.log", test::LogRows(2026, 11, 5 * 24));
    Result json = app.Zintor({"--json", logs / "vorlix_report202611.log"});
    ASSERT_EQ(json.status, 0) << json.err;
    test::WriteFile(logs / "figures.json", json.out);
    std::vector<std::string> values =
        QueryJson(logs / "figures.json",
                  {"(a := d['figures']['allowance'])['bytes'], a['counts'], a['used'] == "
                   "d['totals']['received'], a['left'], a['level']"});
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0], "(40960, 'received', True, 0, 'over_100')");

    for (const char* lang : {"C", "ja_JP.UTF-8"}) {
        test::WriteFile(app.dir / "zintor.htm_en.txt",
                        "; html_header_start\n[$ALLOW$ $ALLOW_LEVEL$]\n");
        test::WriteFile(app.dir / "zintor.htm.txt",
                        "; html_header_start\n[$ALLOW$ $ALLOW_LEVEL$]\n");
        ASSERT_EQ(app.Zintor({logs / "vorlix_report202611.log"}, lang).status, 0);
        EXPECT_EQ(test::ReadFile(logs / "vorlix_report202611.html"), "[40.0 KB over]\r\n") << lang;
        std::filesystem::remove(logs / "vorlix_report202611.html");
        ASSERT_EQ(app.Zintor({"--all", logs.path()}, lang).status, 0);
        EXPECT_EQ(test::ReadFile(logs / "vorlix_report202611.html"), "[40.0 KB over]\r\n") << lang;
    }
    EXPECT_EQ(test::ReadFile(app.dir / "zintor.ini"), settings);
    EXPECT_EQ(test::CountEntries(app.dir.path()), 4) << "program, two templates, settings";
}

// A log that gives no page gives no JSON; a failed write to standard output is a failure;
// a folder that is not there is said so.
TEST(CommandLine, ScriptOptionFailuresWriteNothingToStandardOutput) {
    Installation app;
    TempDir logs;
    const std::string log = logs / "vorlix_report202611.log";
    const std::string json = "exec \"$0\" --json \"$1\"";
    struct Case {
        const char* name;
        std::string log;    // empty: no file
        std::string shell;  // run by /bin/sh with $0 the program, $1 the log, $2 its folder
        std::string err;
    };
    const Case cases[] = {
        {"missing log", "", json, "zintor: cannot read " + log + ": No such file or directory\n"},
        {"one row", "20261105,100000,1,2\n", json,
         "zintor: no figures from " + log + ": the log holds fewer than 2 data rows\n"},
        {"no usable row", "a\nb\n", json,
         "zintor: no figures from " + log + ": no row of the log holds a usable date and time\n"},
        {"no log named", "", "exec \"$0\" --json",
         "zintor: --json needs a report log (see zintor --help)\n"},
        {"a full disk", SampleLog(), json + " >/dev/full",
         "zintor: cannot write standard output: No space left on device\n"},
        {"--all, missing folder", "", "exec \"$0\" --all \"$2/none\"",
         "zintor: cannot read " + logs / "none" + ": No such file or directory\n"},
        {"--all, a log for a folder", SampleLog(), "exec \"$0\" --all \"$1\"",
         "zintor: cannot read " + log + ": Not a directory\n"},
        {"--all, no folder named", "", "exec \"$0\" --all",
         "zintor: --all needs a folder (see zintor --help)\n"},
        {"--all, a full disk", SampleLog(), "exec \"$0\" --all \"$2\" >/dev/full",
         "zintor: cannot write standard output: No space left on device\n"},
    };
    for (const Case& c : cases) {
        ::unlink(log.c_str());
        if (!c.log.empty()) test::WriteFile(log, c.log);
        Result r = RunProgram({"/bin/sh", "-c", c.shell, app.Program(), log, logs.path()},
                              test::ProgramEnvironment("C"));
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
    }
}

std::string PageOf(const std::string& logName) {
    return logName.substr(0, logName.rfind('.')) + ".html";
}

struct timespec ModifiedAt(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// --all writes the pages a folder's logs need, each as a single run writes it, and no other:
// a second run touches nothing, a changed log's page is written again. Files that are no
// report logs (by the side menu's rule, the reader's own) and logs in folders below are left
// alone.
TEST(CommandLine, AllWritesThePagesThatAreMissingOrOlderThanTheirLogs) {
    Installation app;
    TempDir logs, alone;
    std::vector<std::string> good;
    for (int month = 1; month <= 7; ++month) {
        char name[40];
        std::snprintf(name, sizeof name, "vorlix_report2025%02d.log", month);
        good.push_back(name);
        test::WriteFile(logs / name, test::LogRows(2025, month, 30 + month));
        test::WriteFile(alone / name, test::LogRows(2025, month, 30 + month));
    }
    good.push_back("vorlix_report_old.log");
    test::WriteFile(logs / good.back(), SampleLog());
    test::WriteFile(alone / good.back(), SampleLog());
    const std::string broken = logs / "vorlix_report202508.log";
    test::WriteFile(broken, "20250801,000000,1,2\n");
    // Refused by the reader, so never listed: no page, and no failure.
    const std::string upper = logs / "VORLIX_REPORT2025.LOG";
    test::WriteFile(upper, SampleLog());
    test::WriteFile(logs / "notes.txt", SampleLog());
    test::WriteFile(logs / "vorlix_report2025.txt", SampleLog());
    std::filesystem::create_directory(logs / "old");
    test::WriteFile(logs / "old/vorlix_report202401.log", SampleLog());
    std::filesystem::create_directory(logs / "vorlix_report_folder.log");
    for (const std::string& name : good) ASSERT_EQ(app.Zintor({alone / name}).status, 0);

    Result first = app.Zintor({"--all", logs.path()});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.out, "8 pages written, 0 up to date, 1 failed\n");
    EXPECT_EQ(first.err, "zintor: no page written to " + logs / "vorlix_report202508.html" +
                             ": the log holds fewer than 2 data rows\n");
    for (const std::string& name : good)
        EXPECT_EQ(test::ReadFile(logs / PageOf(name)), test::ReadFile(alone / PageOf(name)))
            << name;
    EXPECT_EQ(test::CountEntries(logs.path()), 8 + 8 + 2 + 4) << "no other file written";
    EXPECT_FALSE(test::Exists(logs / "old/vorlix_report202401.html"));

    std::vector<struct timespec> times;
    for (const std::string& name : good) times.push_back(ModifiedAt(logs / PageOf(name)));
    ::unlink(broken.c_str());
    ::unlink(upper.c_str());
    Result second = app.Zintor({"--all", logs.path()});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "0 pages written, 8 up to date, 0 failed\n");
    EXPECT_EQ(second.err, "");
    for (std::size_t i = 0; i < good.size(); ++i)
        EXPECT_TRUE(SameTime(ModifiedAt(logs / PageOf(good[i])), times[i])) << good[i];

    // A log written after its page (a second later, for file systems of coarse times).
    const std::string changed = logs / good[2];
    test::WriteFile(changed, test::LogRows(2025, 3, 200));
    struct timespec later[2] = {{0, UTIME_OMIT}, ModifiedAt(logs / PageOf(good[2]))};
    later[1].tv_sec += 1;
    ::utimensat(AT_FDCWD, changed.c_str(), later, 0);
    Result third = app.Zintor({"--all", logs.path()}, "ja_JP.UTF-8");
    EXPECT_EQ(third.status, 0) << third.err;
    EXPECT_EQ(third.out, "1 pages written, 7 up to date, 0 failed\n");
    test::WriteFile(alone / good[2], test::LogRows(2025, 3, 200));
    ASSERT_EQ(app.Zintor({alone / good[2]}, "ja_JP.UTF-8").status, 0);
    EXPECT_EQ(test::ReadFile(logs / PageOf(good[2])), test::ReadFile(alone / PageOf(good[2])));
    for (std::size_t i = 0; i < good.size(); ++i)
        if (i != 2) {
            EXPECT_TRUE(SameTime(ModifiedAt(logs / PageOf(good[i])), times[i])) << good[i];
        }
}

// A page is up to date only when it carries its log's time: one newer than its log (rows
// appended while it was written) or a log put back with an older time (cp -p, a restore)
// gets a new page. A folder of more logs than the side menu holds is gone through whole.
TEST(CommandLine, AllTakesAPageAsUpToDateOnlyAtItsLogsTime) {
    Installation app;
    TempDir logs;
    const int kLogs = 32100;
    const struct timespec stamp = {1700000000, 123456789};
    const struct timespec times[2] = {{0, UTIME_OMIT}, stamp};
    for (int i = 0; i < kLogs; ++i) {
        const std::string log = logs / ("vorlix_report_" + std::to_string(i) + ".log");
        test::WriteFile(log, "");
        test::WriteFile(PageOf(log), "page");
        ::utimensat(AT_FDCWD, log.c_str(), times, 0);
        ::utimensat(AT_FDCWD, PageOf(log).c_str(), times, 0);
    }
    struct Case {
        const char* name;
        long pageSeconds;  // the page's time against its log's
    };
    const Case cases[] = {{"a page newer than its log", 1}, {"a page older than its log", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string log = logs / "vorlix_report202501.log";
        test::WriteFile(log, test::LogRows(2025, 1, 40));
        ASSERT_EQ(app.Zintor({log}).status, 0);
        EXPECT_TRUE(SameTime(ModifiedAt(PageOf(log)), ModifiedAt(log))) << "stamped with the log's";
        const std::string page = test::ReadFile(PageOf(log));
        test::WriteFile(log, test::LogRows(2025, 1, 50));
        struct timespec moved[2] = {{0, UTIME_OMIT}, ModifiedAt(PageOf(log))};
        moved[1].tv_sec -= c.pageSeconds;
        ::utimensat(AT_FDCWD, log.c_str(), moved, 0);
        Result r = app.Zintor({"--all", logs.path()});
        EXPECT_EQ(r.status, 0) << r.err.substr(0, 500);
        EXPECT_EQ(r.out, "1 pages written, " + std::to_string(kLogs) + " up to date, 0 failed\n");
        EXPECT_TRUE(test::ReadFile(PageOf(log)) != page) << "the page of the changed log";
        EXPECT_TRUE(SameTime(ModifiedAt(PageOf(log)), moved[1]));
    }
}

// Started with standard output and error closed, --all counts its pages as with them open:
// the workers' report pipe does not take their numbers.
TEST(CommandLine, AllWithClosedStandardStreamsCountsRight) {
    Installation app;
    struct Case {
        const char* name;
        bool broken;
        int status;
    };
    const Case cases[] = {{"good logs", false, 0}, {"one log without a page", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir logs;
        for (int month = 1; month <= 3; ++month)
            test::WriteFile(logs / ("vorlix_report20250" + std::to_string(month) + ".log"),
                            test::LogRows(2025, month, 40));
        if (c.broken) test::WriteFile(logs / "vorlix_report202504.log", "20250401,000000,1,2\n");
        Result r = RunProgram(
            {"/bin/sh", "-c", "\"$0\" --all \"$1\" >&- 2>&-; echo $?", app.Program(), logs.path()},
            test::ProgramEnvironment("C"));
        EXPECT_EQ(r.out, std::to_string(c.status) + "\n");
        for (int month = 1; month <= 3; ++month)
            EXPECT_TRUE(
                test::Exists(logs / ("vorlix_report20250" + std::to_string(month) + ".html")));
    }
}

TEST(CommandLine, LoadsNoToolkitLibrary) {
    Result ldd = RunProgram({"/usr/bin/ldd", std::string(ZINTOR_BUILD_DIR) + "/zintor"},
                            {"PATH=/usr/bin:/bin"});
    ASSERT_EQ(ldd.status, 0) << ldd.err;
    for (const char* toolkit : {"wx_", "gtk", "gdk", "webkit", "glib"})
        EXPECT_EQ(ldd.out.find(toolkit), std::string::npos) << toolkit << " in\n" << ldd.out;
}

}  // namespace
}  // namespace zintor
