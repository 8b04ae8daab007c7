// The engine at its limits: the row limit of 65,535 data lines, a log of 100 MB, sparse logs
// of a terabyte, lines of 1 MB in a log and in a template, a template of 50 MB. Big inputs are
// made in a temporary folder; where possible the page is compared with the page of a small
// input that must give the same result.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>

#include "html/UiLanguage.h"
#include "logs/ReportLogReader.h"
#include "report/ReportGenerator.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

// Every section on one line, with a few placeholders: enough to show that pages are equal.
std::string ProbeTemplate(const std::string& headerLines = "") {
    static const char* const kNames[] = {"html_header", "body_header", "body_main1",
                                         "body_main2",  "body_main3",  "body_main4",
                                         "body_main5",  "body_footer", "html_footer"};
    std::string text;
    for (const char* name : kNames) {
        text += std::string(";") + name + "_start\n";
        if (std::string(name) == "html_header") text += headerLines;
        text += std::string(name) +
                "|$TITLE$|$DATE$|$TIME$|$SEND$|$RECV_KB$|$SEND_PER$|$SEND_H$|$CAP_TIME$|" +
                "$SEND_SPD$\n;" + name + "_end\n";
    }
    return text;
}

// A program folder with its template; the page of a log written into it.
class Program {
  public:
    explicit Program(bool japanese, const std::string& templateText = ProbeTemplate())
        : language_(japanese), japanese_(japanese) {
        test::WriteFile(dir_ / (japanese ? "zintor.htm.txt" : "zintor.htm_en.txt"), templateText);
        generator_ =
            std::make_unique<ReportGenerator>(dir_ / "zintor", japanese ? kJapanese : kEnglish);
    }

    // The page of the log, or "" when none was written.
    std::string Page(const std::string& logBytes) {
        return PageOf([&](const std::string& log) { test::WriteFile(log, logBytes); });
    }
    // The page of the log that make writes at the path it is given.
    std::string PageOf(const std::function<void(const std::string&)>& make) {
        const std::string log = dir_ / "vorlix_report2024.log",
                          page = dir_ / "vorlix_report2024.html";
        make(log);
        ::unlink(page.c_str());
        EXPECT_EQ(generator_->ReadReportLog(log), test::kNoFailure);
        Failure failure = generator_->GenerateReport(page);
        EXPECT_EQ(failure, test::kNoFailure);
        bool written = !failure;
        ::unlink(log.c_str());
        return written ? test::ReadFile(page) : "";
    }
    const LogTable& Table() const { return generator_->logTable(); }
    std::string Title(const char* english, const char* japanese) const {
        return "html_header|Traffic Report - " +
               (japanese_ ? test::Cp932(japanese) : std::string(english)) + "|";
    }

  private:
    TempDir dir_;
    test::ScopedLanguage language_;
    bool japanese_;
    std::unique_ptr<ReportGenerator> generator_;
};

std::string Row(int year, int month, int day, int second, long sent, long received,
                const std::string& extra = "") {
    char line[96];
    std::snprintf(line, sizeof line, "%04d%02d%02d,%02d%02d%02d,%ld,%ld", year, month, day,
                  second / 3600 % 24, second / 60 % 60, second % 60, sent, received);
    return line + extra + "\n";
}

TEST(Limits, ExactlyTheFirst65535DataLinesAreRead) {
    for (bool japanese : {false, true}) {
        for (int lines : {65535, 65536}) {
            SCOPED_TRACE(std::to_string(lines) +
                         (japanese ? " lines, Japanese" : " lines, English"));
            // April up to the second-to-last row of the limit, May for the 65,535th, June for
            // the 65,536th; comment lines in between do not count.
            std::string log;
            for (int i = 0; i < lines; ++i) {
                if (i % 1000 == 0) log += "# comment\n";
                int month = i < 65534 ? 4 : i == 65534 ? 5 : 6;
                log += Row(2024, month, i / 2200 + 1, i % 2200 * 30, 1000, 2000);
            }
            Program program(japanese);
            std::string page = program.Page(log);
            EXPECT_EQ(program.Table().RowCount(), 65535);
            EXPECT_EQ(page.rfind(program.Title("May.2024", "2024年05月"), 0), 0u)
                << page.substr(0, 60);
        }
    }
}

TEST(Limits, ALogOf100MegabytesGivesThePageOfItsRows) {
    // 40,000 rows, each followed by a comment line of 2.7 KB; the last row lies at the end.
    std::string rows, big;
    const std::string comment = std::string("#").append(2700, 'c') + "\n";
    for (int i = 0; i < 40000; ++i) {
        std::string row = Row(2024, 4, i / 1440 + 1, i % 1440 * 60, 100000 + i, 7 * i);
        rows += row;
        big += row + comment;
    }
    ASSERT_GE(big.size(), 100u << 20);
    Program program(false);
    const std::string expected = program.Page(rows);
    EXPECT_EQ(program.Page(big), expected);
    EXPECT_EQ(program.Table().RowCount(), 40000);
}

// A sparse log: rows, a hole of zeros as long as asked, more rows after it. The hole is one
// line starting with a NUL (a comment line), or the rest of a data line cut by its NUL: no
// row needs its bytes, so it is stepped over rather than read (beyond 64 MiB, where the log is
// read in steps), and nothing is kept of it.
TEST(Limits, SparseLogsOfATerabyteAreReadToTheirRows) {
    std::string before, after;
    for (int i = 0; i < 100; ++i) before += Row(2024, 4, 1 + i / 24, i % 24 * 3600, 1000 + i, 2000);
    for (int i = 0; i < 100; ++i) after += Row(2024, 4, 10 + i / 24, i % 24 * 3600, 3000, 4000 + i);
    struct Case {
        const char* name;
        std::string head;      // the bytes before the hole
        long long hole;        // its length
        std::string tail;      // the bytes after it
        std::string sameRows;  // a small log that must give the same page
    };
    const std::string cut = "20240405,100000,7,";
    const Case cases[] = {
        {"rows, then a hole of a terabyte", before, 1ll << 40, "", before},
        {"rows on both sides of a hole of 32 MiB (a log that is mapped)", before, 32ll << 20,
         "\n" + after, before + after},
        {"rows past 2 GB", before, 3ll << 30, "\n" + after, before + after},
        {"rows past a terabyte", before, 1ll << 40, "\n" + after, before + after},
        {"a data line cut by the hole", before + cut, 1ll << 40, "8\n" + after,
         before + cut + std::string(1, '\0') + "8\n" + after},
    };
    for (bool japanese : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (japanese ? ", Japanese" : ", English"));
            Program program(japanese);
            std::string expected = program.Page(c.sameRows);
            int rows = program.Table().RowCount();
            std::string page = program.PageOf([&](const std::string& log) {
                test::WriteFile(log, c.head);
                ASSERT_EQ(::truncate(log.c_str(), static_cast<off_t>(c.head.size() + c.hole)), 0);
                std::ofstream(log, std::ios::binary | std::ios::app) << c.tail;
            });
            EXPECT_EQ(page, expected);
            EXPECT_EQ(program.Table().RowCount(), rows);
        }
    }
}

// Rows that would take more than 64 MB (here one line of 100 MB without a line break) are
// refused rather than held: the reader's memory stays bounded whatever the file holds.
TEST(Limits, RowsOfMoreThan64MegabytesAreRefused) {
    TempDir dir;
    const std::string log = dir / "vorlix_report2024.log";
    {
        std::ofstream out(log, std::ios::binary);
        out << Row(2024, 4, 1, 0, 1, 2) << "20240401,000100,";
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 100; ++i) out << block;
    }
    LogTable table;
    EXPECT_EQ(ReadReportLogFile(log, TextEncoding::Latin1, table),
              (Failure{Failure::kRead, log, Failure::kRowsTooLarge}));
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(Limits, LinesOf1MegabyteAreReadWhole) {
    const std::string mb(1 << 20, 'x');
    const std::string japaneseMb = test::Cp932(std::string((1 << 20) / 3, 'a') + "データ");
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const std::string& field = japanese ? japaneseMb : mb;
        std::string plain, longLines;
        for (int i = 0; i < 100; ++i) {
            std::string row = Row(2024, 4, 5, 36000 + i * 30, 5000, 6000);
            plain += row;
            // The same rows with a 1 MB fifth field, a 1 MB comment line between them.
            longLines += i % 2 ? row : row.substr(0, row.size() - 1) + "," + field + "\n";
            if (i == 50) longLines += "#" + field + "\n";
        }
        // A last line of 1 MB without a line break: a row without fields, which adds nothing.
        longLines += field;
        Program program(japanese);
        const std::string expected = program.Page(plain);
        EXPECT_EQ(program.Page(longLines), expected);
        EXPECT_EQ(program.Table().RowCount(), 101);
        EXPECT_EQ(program.Table().Field(0, 4).size(), japanese ? (1u << 20) / 3 + 3 : 1u << 20);

        // A template line of 1 MB reaches the page whole.
        Program longTemplate(japanese, ProbeTemplate(field + "\n"));
        EXPECT_EQ(longTemplate.Page(plain), field + "\r\n" + expected);
    }
}

TEST(Limits, ATemplateOf50Megabytes) {
    // 500,000 lines of 100 bytes in the page's first section, each with the title in it.
    const std::string line = "<p>$TITLE$ " + std::string(100 - 15, '.') + "</p>\n";
    std::string header;
    header.reserve(50u << 20);
    for (int i = 0; i < 500000; ++i) header += line;
    ASSERT_GE(header.size(), 50000000u);

    std::string log;
    for (int i = 0; i < 100; ++i) log += Row(2024, 4, 5, 36000 + i * 30, 5000, 6000);
    const std::string small = Program(false).Page(log);
    const std::string filledLine =
        "<p>Traffic Report - Apr.2024 " + std::string(100 - 15, '.') + "</p>\r\n";
    std::string expected;
    expected.reserve(500000 * filledLine.size() + small.size());
    for (int i = 0; i < 500000; ++i) expected += filledLine;
    expected += small;
    std::string page = Program(false, ProbeTemplate(header)).Page(log);
    ASSERT_EQ(page.size(), expected.size());
    EXPECT_TRUE(page == expected)
        << "first difference at byte "
        << std::mismatch(page.begin(), page.end(), expected.begin()).first - page.begin();
}

}  // namespace
}  // namespace zintor
