// Whole report pages: which section is written when, with which slot values, in which bytes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include <vector>

#include "html/UiLanguage.h"
#include "report/ReportGenerator.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

const char* const kSectionNames[] = {"html_header", "body_header", "body_main1", "body_main2",
                                     "body_main3",  "body_main4",  "body_main5", "body_main6",
                                     "body_main7",  "body_main8",  "body_main9", "body_footer",
                                     "html_footer"};

// A template whose every section is one line: the section's name, then all 27 placeholders,
// so that a page shows which section was written when and which slots it received.
std::string ProbeTemplate() {
    const char* const placeholders =
        "|$TITLE$|$BODYTITLE$|$NAMETAG$|$HREFTAG$|$DATE$|$TIME$|$SEND$|$RECV$|$SEND_KB$|$RECV_KB$|$"
        "SEND_MB$|"
        "$RECV_MB$|$SEND_GB$|$RECV_GB$|$SEND_PER$|$RECV_PER$|$SEND_H$|$RECV_H$|$CAP_TIME$|$SEND_"
        "SPD$|$RECV_SPD$|"
        "$SEND_SPD_MB$|$RECV_SPD_MB$|$SEND_SPD_KBPS$|$RECV_SPD_KBPS$|$SEND_SPD_MBPS$|$RECV_SPD_"
        "MBPS$|";
    std::string text = "; probe template\n";
    for (const char* name : kSectionNames)
        text +=
            std::string("; ") + name + "_start\n" + name + placeholders + "\n; " + name + "_end\n";
    return text;
}

// One program folder with its template, and a log beside it.
struct PageRun {
    TempDir dir;
    bool japanese;
    std::unique_ptr<test::ScopedLanguage> language;
    std::unique_ptr<ReportGenerator> generator;

    explicit PageRun(bool ja = false, const std::string& templateBytes = ProbeTemplate())
        : japanese(ja) {
        language = std::make_unique<test::ScopedLanguage>(ja);
        if (!templateBytes.empty())
            test::WriteFile(dir / (ja ? "zintor.htm.txt" : "zintor.htm_en.txt"), templateBytes);
        generator = std::make_unique<ReportGenerator>(dir / "zintor", ja ? kJapanese : kEnglish);
    }
    std::string LogPath() const { return dir / "vorlix_report2024.log"; }
    std::string PagePath() const { return dir / "vorlix_report2024.html"; }

    // Writes the log, reads it and writes the page; true when the page was written.
    bool Generate(const std::string& logBytes) {
        test::WriteFile(LogPath(), logBytes);
        return !generator->ReadReportLog(LogPath()) && !generator->GenerateReport(PagePath());
    }
    std::string Page() const { return test::ReadFile(PagePath()); }
};

std::vector<std::string> Lines(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(page.substr(start, end - start));
    EXPECT_EQ(start, page.size()) << "every line ends in CR LF";
    return lines;
}

std::vector<std::string> SectionSequence(const std::string& page) {
    std::vector<std::string> names;
    for (const std::string& line : Lines(page)) names.push_back(line.substr(0, line.find('|')));
    return names;
}

// The 27 slot values a probe line shows.
std::vector<std::string> Slots(const std::string& line) {
    std::vector<std::string> values;
    std::size_t start = line.find('|') + 1;
    for (std::size_t end; (end = line.find('|', start)) != std::string::npos; start = end + 1)
        values.push_back(line.substr(start, end - start));
    return values;
}

// A log with rows every 30 seconds from 08:00 to 08:10 on each listed day of April 2024.
std::string LogOfDays(std::initializer_list<int> days, int year = 2024, int month = 4) {
    std::string log;
    char line[64];
    for (int day : days)
        for (int s = 0; s <= 600; s += 30) {
            std::snprintf(line, sizeof line, "%04d%02d%02d,08%02d%02d,1000,3000\r\n", year, month,
                          day, s / 60, s % 60);
            log += line;
        }
    return log;
}

TEST(ReportPage, SectionsFollowThePageFrameFor30DaysWithTraffic) {
    PageRun run;
    std::initializer_list<int> allDays = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                          11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                          21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
    ASSERT_TRUE(run.Generate(LogOfDays(allDays)));
    std::vector<std::string> expected = {"html_header"};
    auto table = [&](int rows, const char* rowSection, int totals) {
        expected.push_back("body_header");
        expected.insert(expected.end(), static_cast<std::size_t>(rows), rowSection);
        expected.insert(expected.end(), static_cast<std::size_t>(totals), "body_main3");
        expected.insert(expected.end(), {"body_main4", "body_main5", "body_footer"});
    };
    table(30, "body_main1", 2);
    table(7, "body_main2", 1);
    table(24, "body_main2", 1);
    for (int day = 1; day <= 30; ++day) table(24, "body_main2", 1);
    expected.push_back("html_footer");
    EXPECT_EQ(SectionSequence(run.Page()), expected);
}

TEST(ReportPage, EachSectionReceivesOnlyItsOwnSlots) {
    PageRun run;
    ASSERT_TRUE(run.Generate(LogOfDays({3})));
    std::vector<std::string> lines = Lines(run.Page());
    // Which of the 27 slots may be non-empty in each kind of section.
    struct Expect {
        const char* section;
        std::string filled;  // one character per slot: '1' filled, '.' empty
    };
    const Expect expects[] = {
        {"html_header", "1.........................."},
        {"body_header", ".11........................"},
        {"body_main1", "..1.1.111111111111........."},
        {"body_main2", ".....1111111111111........."},
        {"body_main3", "....1.11111111..11........."},
        {"body_main4", "..................1........"},
        {"body_main5", "...................11111111"},
    };
    for (const auto& e : expects) {
        for (const std::string& line : lines) {
            if (line.substr(0, line.find('|')) != e.section) continue;
            std::vector<std::string> values = Slots(line);
            ASSERT_EQ(values.size(), 27u);
            for (std::size_t k = 0; k < 27; ++k)
                EXPECT_EQ(!values[k].empty(), e.filled[k] == '1')
                    << e.section << " slot " << k << ": " << line;
        }
    }
    // Footers are written unchanged: their placeholders stay.
    EXPECT_NE(lines.back().find("|$TITLE$|$BODYTITLE$|"), std::string::npos);
}

TEST(ReportPage, EnglishValuesOfADayAndItsClosingRows) {
    PageRun run;
    ASSERT_TRUE(run.Generate("20240305,103000,1000,2000\n20240305,103100,1048576,5000\n"));
    std::vector<std::string> lines = Lines(run.Page());
    auto line = [&](std::size_t i) { return lines.at(i); };
    const std::string daySizes =
        "   1025.0 KB|      6.8 KB|   1025.0 KB|      6.8 KB|      1.0 MB|      0.0 MB|"
        "     0.00 GB|     0.00 GB|";
    EXPECT_EQ(line(0), "html_header|Traffic Report - Mar.2024|" + std::string(26, '|'));
    EXPECT_EQ(line(1), "body_header||Daily Reports Mar.2024|2024-03-day|" + std::string(24, '|'));
    EXPECT_EQ(
        line(2),
        "body_main1|||2024-03-01||01. (Fri)||      0.0 KB|      0.0 KB|      0.0 KB|      0.0 KB|"
        "      0.0 MB|      0.0 MB|     0.00 GB|     0.00 GB|0.0%|0.0%|0|0|" +
            std::string(9, '|'));
    EXPECT_EQ(line(6), "body_main1|||2024-03-05||05. (Tue)||" + daySizes + "100.0%|100.0%|1|0|" +
                           std::string(9, '|'));
    EXPECT_EQ(
        line(32),
        "body_main1|||2024-03-31||31. (Sun)||      0.0 KB|      0.0 KB|      0.0 KB|      0.0 KB|"
        "      0.0 MB|      0.0 MB|     0.00 GB|     0.00 GB|0.0%|0.0%|0|0|" +
            std::string(9, '|'));
    EXPECT_EQ(line(33),
              "body_main3|||||Total Mar.2024||" + daySizes + "||1|0|" + std::string(9, '|'));
    EXPECT_EQ(line(34),
              "body_main3|||||Average daily||     33.1 KB|      0.2 KB|     33.1 KB|      0.2 KB|"
              "      0.0 MB|      0.0 MB|     0.00 GB|     0.00 GB|||0|0|" +
                  std::string(9, '|'));
    EXPECT_EQ(line(35), "body_main4|" + std::string(18, '|') + "01m 00s |" + std::string(8, '|'));
    EXPECT_EQ(line(36),
              "body_main5|" + std::string(19, '|') +
                  "    17.08 KB/s|     0.11 KB/s|    0.017 MB/s|    0.000 MB/s|   136.66 Kbps|"
                  "     0.91 Kbps|    0.133 Mbps|    0.001 Mbps|");
    EXPECT_EQ(line(37).substr(0, 12), "body_footer|");
    EXPECT_EQ(line(38),
              "body_header||Weekly Reports Mar.2024|2024-03-week|" + std::string(24, '|'));
    EXPECT_EQ(line(39).substr(0, 19), "body_main2||||||Sun");
    EXPECT_EQ(line(41),
              "body_main2||||||Tue|" + daySizes + "100.0%|100.0%|1|0|" + std::string(9, '|'));
    EXPECT_EQ(line(50),
              "body_header||Hourly Reports Mar.2024|2024-03-time|" + std::string(24, '|'));
    EXPECT_EQ(line(61), "body_main2||||||10:00 - 10:59|" + daySizes + "100.0%|100.0%|1|0|" +
                            std::string(9, '|'));
    EXPECT_EQ(line(79), "body_header||Reports 05.Mar|2024-03-05|" + std::string(24, '|'));
    EXPECT_EQ(line(104),
              "body_main3|||||Total 05.Mar||" + daySizes + "||1|0|" + std::string(9, '|'));
    EXPECT_EQ(line(105), line(35));  // the day's capture time is the month's here
    EXPECT_EQ(lines.size(), 109u);
    EXPECT_EQ(lines.back().substr(0, 12), "html_footer|");
}

TEST(ReportPage, JapanesePageIsCodePage932WithJapaneseLabels) {
    PageRun run(true);
    ASSERT_TRUE(run.Generate(LogOfDays({5}, 2024, 3)));
    std::vector<std::string> lines = Lines(run.Page());
    auto has = [&](std::size_t i, const std::string& utf8) {
        EXPECT_NE(lines.at(i).find(test::Cp932(utf8)), std::string::npos) << i << ": " << utf8;
    };
    has(0, "|Traffic Report - 2024年03月|");
    has(1, "|2024年03月の日別送受信量|2024-03-day|");
    has(6, "|2024-03-05||03月05日 (火)|");
    has(33, "|2024年03月 合計|");
    has(34, "|1日あたりの平均|");
    has(35, "|10分00秒|");
    has(38, "|2024年03月の曜日別送受信量|2024-03-week|");
    has(39, "|日曜日|");
    has(45, "|土曜日|");
    has(50, "|2024年03月の時間別送受信量|2024-03-time|");
    has(51, "|00:00～00:59|");
    has(74, "|23:00～23:59|");
    has(79, "|03月05日の送受信量|2024-03-05|");
    has(104, "|03月05日 合計|");
}

TEST(ReportPage, DayTablesOnlyForDaysWithTrafficInAscendingOrder) {
    PageRun run;
    // Traffic on the 15th, then the 1st; a day whose only traffic is one received byte.
    ASSERT_TRUE(run.Generate(LogOfDays({15, 1}) + "20240420,120000,0,1\n20240420,120030,0,0\n"));
    std::vector<std::string> headers;
    for (const std::string& line : Lines(run.Page()))
        if (line.rfind("body_header|", 0) == 0) headers.push_back(Slots(line)[2]);
    EXPECT_EQ(headers, (std::vector<std::string>{"2024-04-day", "2024-04-week", "2024-04-time",
                                                 "2024-04-01", "2024-04-15", "2024-04-20"}));
}

TEST(ReportPage, DaysBeyondTheMonthCountInTotalsButGetNoRow) {
    PageRun run;
    // February 2023 has 28 days; rows of the 30th come from another month in the same log.
    ASSERT_TRUE(run.Generate(
        "20230130,100000,5000000,0\n20230228,100000,1000,0\n20230228,100030,1000,0\n"));
    std::vector<std::string> lines = Lines(run.Page());
    int dayRows = 0;
    for (const std::string& line : lines) dayRows += line.rfind("body_main1|", 0) == 0;
    EXPECT_EQ(dayRows, 28);
    const std::string& total = lines.at(30);
    ASSERT_EQ(total.substr(0, 11), "body_main3|");
    EXPECT_EQ(Slots(total)[4], "Total Feb.2023");
    EXPECT_EQ(Slots(total)[6], "      4.8 MB");  // 5002000 bytes
    EXPECT_EQ(Slots(lines.at(29))[14], "0.0%");  // the 28th holds 2000 of 5002000 bytes
    bool day30Table = false;
    for (const std::string& line : lines)
        day30Table |= line.find("|Reports 30.Feb|2023-02-30|") != std::string::npos;
    EXPECT_TRUE(day30Table);
}

TEST(ReportPage, AverageRowDividesTheMonthByItsDays) {
    PageRun run;
    std::string log;
    for (int day = 1; day <= 30; ++day)
        log += "202404" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               ",120000,100000000,0\n";
    ASSERT_TRUE(run.Generate(log));
    std::vector<std::string> lines = Lines(run.Page());
    std::vector<std::string> average = Slots(lines.at(33));
    EXPECT_EQ(average[4], "Average daily");
    EXPECT_EQ(average[6], "     95.4 MB");      // 3,000,000,000 / 30 bytes
    EXPECT_EQ(average[16], "95");               // 2861 whole megabytes / 30, scale 1
    EXPECT_EQ(Slots(lines.at(32))[16], "200");  // the total row's bar is capped
}

TEST(ReportPage, BarsUseTheirTablesOwnScale) {
    PageRun run;
    const std::int64_t MB = 1024 * 1024;
    std::string log = "20240402,100000," + std::to_string(300 * MB) + ",0\n" + "20240403,100000," +
                      std::to_string(100 * MB) + ",0\n" + "20240403,110000," +
                      std::to_string(1000 * MB) + "," + std::to_string(1000 * MB) + "\n";
    ASSERT_TRUE(run.Generate(log));
    std::vector<std::string> lines = Lines(run.Page());
    // Daily table: largest day 1100 MB -> scale 8.
    EXPECT_EQ(Slots(lines.at(3))[16], "37");   // 300 / 8
    EXPECT_EQ(Slots(lines.at(4))[16], "137");  // 1100 / 8
    EXPECT_EQ(Slots(lines.at(4))[17], "125");  // 1000 / 8
    // Day 3's own table: busiest hour 1000 MB -> scale 8.
    std::size_t day3 = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("|2024-04-03|") != std::string::npos &&
            lines[i].rfind("body_header", 0) == 0)
            day3 = i;
    ASSERT_NE(day3, 0u);
    EXPECT_EQ(Slots(lines.at(day3 + 11))[16], "12");   // 10:00, 100 MB / 8
    EXPECT_EQ(Slots(lines.at(day3 + 12))[16], "125");  // 11:00, 1000 MB / 8
}

TEST(ReportPage, NoPageFromTooFewOrUnusableRows) {
    struct Case {
        const char* name;
        std::string log;
        int why;
    };
    const Case cases[] = {
        {"empty log", "", Failure::kTooFewRows},
        {"comments only", "# nothing\n;\n", Failure::kTooFewRows},
        {"one row", "20240401,000000,1,1\n", Failure::kTooFewRows},
        {"no usable row", "date,time,sent,recv\n20241301,000000,1,1\n-1,0,0,0\n",
         Failure::kNoUsableRow},
    };
    for (const auto& c : cases) {
        PageRun run;
        test::WriteFile(run.PagePath(), "older page");
        test::WriteFile(run.LogPath(), c.log);
        ASSERT_EQ(run.generator->ReadReportLog(run.LogPath()), test::kNoFailure) << c.name;
        EXPECT_EQ(run.generator->GenerateReport(run.PagePath()),
                  (Failure{Failure::kNoPage, run.PagePath(), c.why}))
            << c.name;
        EXPECT_EQ(run.Page(), "older page") << c.name;
        EXPECT_EQ(test::CountEntries(run.dir.path()), 3) << c.name;  // template, log, page
    }
}

TEST(ReportPage, OneUsableRowAmongOthersMakesAPage) {
    PageRun run;
    ASSERT_TRUE(run.Generate("date,time,sent,recv\n20240401,080000,5,6\n"));
    EXPECT_EQ(Slots(Lines(run.Page()).at(0))[0], "Traffic Report - Apr.2024");
}

TEST(ReportPage, MissingTemplateWritesNothing) {
    PageRun run(false, "");
    EXPECT_EQ(run.generator->LoadTemplate().what, Failure::kTemplateMissing);
    test::WriteFile(run.LogPath(), LogOfDays({1}));
    ASSERT_EQ(run.generator->ReadReportLog(run.LogPath()), test::kNoFailure);
    EXPECT_EQ(run.generator->GenerateReport(run.PagePath()).what, Failure::kTemplateMissing);
    EXPECT_FALSE(test::Exists(run.PagePath()));
}

TEST(ReportPage, ATemplateThatCannotBeReadLeavesTheOlderPage) {
    PageRun run;
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    const std::string older = run.Page();
    const std::string templatePath = run.dir / "zintor.htm_en.txt";
    struct Case {
        const char* what;
        bool (*make)(const std::string& path);
    };
    const Case cases[] = {
        {"a folder in the template's place",
         [](const std::string& path) {
             return ::unlink(path.c_str()) == 0 && ::mkdir(path.c_str(), 0755) == 0;
         }},
        {"a template without read permission",
         [](const std::string& path) {
             test::WriteFile(path, ProbeTemplate());
             return ::geteuid() != 0 && ::chmod(path.c_str(), 0) == 0;  // root reads it anyway
         }},
        // Never waited on, never read: no hang, no memory filled.
        {"a FIFO without a writer in the template's place",
         [](const std::string& path) {
             return (::unlink(path.c_str()), ::mkfifo(path.c_str(), 0644) == 0);
         }},
        {"a link to /dev/zero in the template's place",
         [](const std::string& path) {
             return (::unlink(path.c_str()), ::symlink("/dev/zero", path.c_str()) == 0);
         }},
    };
    for (const Case& c : cases) {
        if (!c.make(templatePath)) continue;
        Failure failure = run.generator->GenerateReport(run.PagePath());
        EXPECT_EQ(failure.what, Failure::kReadTemplate) << c.what;  // it is there: no "not found"
        EXPECT_EQ(failure.path, templatePath) << c.what;
        EXPECT_EQ(run.Page(), older) << c.what;
        EXPECT_EQ(test::CountEntries(run.dir.path()), 3) << c.what;  // no temporary file left
        ::rmdir(templatePath.c_str());
        ::unlink(templatePath.c_str());
    }
}

// The page beside a log in one call: the template is loaded once, first, yet the failures
// come in the order the command-line run says them: a missing template before anything of
// the log, the log before an unreadable template, then the rows and the page.
TEST(ReportPage, ThePageBesideALogSaysTheFirstFailureInItsOrder) {
    enum Template { kGood, kMissing, kFolder };
    struct Case {
        const char* name;
        Template templ;
        const char* log;  // nullptr: no log
        Failure::What what;
        bool logPathNamed;  // the failure names the log, else the template or the page
    };
    const std::string good = LogOfDays({1, 2});
    const Case cases[] = {
        {"missing template, missing log", kMissing, nullptr, Failure::kTemplateMissing, false},
        {"missing template, good log", kMissing, good.c_str(), Failure::kTemplateMissing, false},
        {"unreadable template, missing log", kFolder, nullptr, Failure::kRead, true},
        {"unreadable template, good log", kFolder, good.c_str(), Failure::kReadTemplate, false},
        {"unreadable template, one row", kFolder, "20240401,0,1,1\n", Failure::kReadTemplate,
         false},
        {"good template, missing log", kGood, nullptr, Failure::kRead, true},
        {"good template, one row", kGood, "20240401,0,1,1\n", Failure::kNoPage, false},
        {"good template, good log", kGood, good.c_str(), Failure::kNone, false},
    };
    for (const Case& c : cases) {
        PageRun run(false, c.templ == kGood ? ProbeTemplate() : "");
        const std::string templatePath = run.dir / "zintor.htm_en.txt";
        if (c.templ == kFolder) ::mkdir(templatePath.c_str(), 0755);
        if (c.log) test::WriteFile(run.LogPath(), c.log);
        if (c.log) test::WriteFile(run.PagePath(), "older page");
        Failure failure = run.generator->WriteLogPage(run.LogPath());
        EXPECT_EQ(failure.what, c.what) << c.name;
        const std::string named = c.logPathNamed               ? run.LogPath()
                                  : c.what == Failure::kNoPage ? run.PagePath()
                                  : c.what == Failure::kNone   ? std::string()
                                                               : templatePath;
        EXPECT_EQ(failure.path, named) << c.name;
        if (c.log) {
            EXPECT_EQ(run.Page() == "older page", c.what != Failure::kNone) << c.name;
            EXPECT_EQ(test::CountEntries(run.dir.path()), c.templ == kMissing ? 2 : 3) << c.name;
        } else {
            EXPECT_FALSE(test::Exists(run.PagePath())) << c.name;
        }
    }
}

// The figures alone need no template; a log that gives no page gives no figures either. The
// per-interval figures are fed from the same read: the highest one-interval rate is there.
TEST(ReportPage, FiguresAloneNeedNoTemplate) {
    struct Case {
        const char* name;
        std::string log;
        Failure::What what;
        std::int64_t monthSend;
        std::uint64_t peakSentPerSecond;
    };
    const Case cases[] = {
        {"two rows", "20240401,000000,10,1\n20240401,000040,20,2\n", Failure::kNone, 30, 0},
        {"one row", "20240401,000000,10,1\n", Failure::kNoFigures, 0, 0},
        {"no usable row", "20241301,000000,1,1\n-1,0,0,0\n", Failure::kNoFigures, 0, 0},
    };
    for (const Case& c : cases) {
        PageRun run(false, "");
        test::WriteFile(run.LogPath(), c.log);
        Failure failure = run.generator->ReadFigures(run.LogPath());
        EXPECT_EQ(failure.what, c.what) << c.name;
        if (failure) {
            EXPECT_EQ(failure.path, run.LogPath()) << c.name;
        } else {
            EXPECT_EQ(run.generator->figures().monthSend, c.monthSend) << c.name;
            EXPECT_EQ(run.generator->Glance().interval.peakSent.rate.FlooredPerSecond(),
                      c.peakSentPerSecond)
                << c.name;
        }
        EXPECT_EQ(test::CountEntries(run.dir.path()), 1) << c.name;  // the log alone
    }
}

TEST(ReportPage, ReplacesAnOlderPageWholly) {
    PageRun run;
    test::WriteFile(run.PagePath(), std::string(1 << 20, 'x'));
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    EXPECT_EQ(run.Page().find('x'), std::string::npos);
    EXPECT_EQ(test::CountEntries(run.dir.path()), 3);  // no temporary file left
}

TEST(ReportPage, AFailedWriteLeavesTheOlderPageAndNoTemporaryFile) {
    PageRun run;
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    std::string older = run.Page();
    // The page path is a folder: nothing can be written there.
    std::string folderPage = run.dir / "vorlix_report2025.html";
    ::mkdir(folderPage.c_str(), 0755);
    EXPECT_EQ(run.generator->GenerateReport(folderPage),
              (Failure{Failure::kWrite, folderPage, EISDIR}));
    // The page's folder does not exist.
    EXPECT_EQ(run.generator->GenerateReport(run.dir / "missing/vorlix_report2024.html").error,
              ENOENT);
    EXPECT_EQ(run.Page(), older);
    EXPECT_EQ(test::CountEntries(run.dir.path()), 4);  // template, log, page, folder
}

TEST(ReportPage, NeverWritesOverItsOwnLog) {
    PageRun run;
    const std::string log = LogOfDays({1});
    for (const char* name : {"vorlix_report.log.html", "vorlix_report.log/data.html"}) {
        std::string path = run.dir / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test::WriteFile(path, log);
        ASSERT_EQ(run.generator->ReadReportLog(path), test::kNoFailure) << name;
        ASSERT_EQ(ReportGenerator::PagePathOf(path), path);
        EXPECT_EQ(run.generator->GenerateReport(path),
                  (Failure{Failure::kNoPage, path, Failure::kPageIsTheLog}));
        EXPECT_EQ(test::ReadFile(path), log) << name;
    }
    // Nor through another name of the same file.
    ::link((run.dir / "vorlix_report.log.html").c_str(), (run.dir / "linked.html").c_str());
    ASSERT_EQ(run.generator->ReadReportLog(run.dir / "vorlix_report.log.html"), test::kNoFailure);
    EXPECT_EQ(run.generator->GenerateReport(run.dir / "linked.html").error, Failure::kPageIsTheLog);
    EXPECT_EQ(test::ReadFile(run.dir / "linked.html"), log);
}

TEST(ReportPage, TemplateIsReloadedForEveryRun) {
    PageRun run(false, ";html_header_start\nfirst\n");
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    EXPECT_EQ(run.Page(), "first\r\n");
    test::WriteFile(run.dir / "zintor.htm_en.txt", ";html_footer_start\nsecond $TITLE$\n");
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    EXPECT_EQ(run.Page(), "second $TITLE$\r\n");
}

TEST(ReportPage, EnglishTemplateBytesReachThePageUnchanged) {
    std::string bytes;
    for (int b = 0x20; b < 256; ++b) bytes += static_cast<char>(b);
    PageRun run(false, ";html_header_start\n" + bytes + "\n");
    ASSERT_TRUE(run.Generate(LogOfDays({1})));
    EXPECT_EQ(run.Page(), bytes + "\r\n");
}

}  // namespace
}  // namespace zintor
