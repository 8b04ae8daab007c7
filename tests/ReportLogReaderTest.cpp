// Reading report-log files: the name test, comments, the row limit, unreadable files.
#include "logs/ReportLogReader.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

// 1 when the file was read, 0 when not.
int Read(const std::string& path, LogTable& table, TextEncoding e = TextEncoding::Latin1) {
    return ReadReportLogFile(path, e, table) ? 0 : 1;
}

TEST(ReportLogReader, NameTestLooksAtTheWholePathAndLetterCase) {
    TempDir dir;
    ::mkdir((dir / "vorlix_report.log").c_str(), 0755);
    test::WriteFile(dir / "vorlix_report.log/data.txt", "20240101,000000,1,2\n");
    test::WriteFile(dir / "VORLIX_REPORT2024.LOG", "20240101,000000,1,2\n");
    test::WriteFile(dir / "report2024.log", "20240101,000000,1,2\n");

    LogTable table;
    EXPECT_EQ(Read(dir / "vorlix_report.log/data.txt", table), 1);
    EXPECT_EQ(table.RowCount(), 1);
    // A failed name test leaves the table as it was.
    EXPECT_EQ(ReadReportLogFile(dir / "VORLIX_REPORT2024.LOG", TextEncoding::Latin1, table).what,
              Failure::kNotAReportLog);
    EXPECT_EQ(Read(dir / "report2024.log", table), 0);
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_TRUE(HasReportLogName("/x/vorlix_report2024.log"));
    EXPECT_TRUE(HasReportLogName("/x/vorlix_report2024.log.bak"));
    EXPECT_FALSE(HasReportLogName("/x/vorlix_report2024.LOG"));
}

TEST(ReportLogReader, MissingOrUnopenableFilesGiveZeroAndAnEmptyTable) {
    TempDir dir;
    test::WriteFile(dir / "vorlix_report1.log", "20240101,000000,1,2\n");
    ::mkdir((dir / "vorlix_report2.log").c_str(), 0755);
    LogTable table;
    ASSERT_EQ(Read(dir / "vorlix_report1.log", table), 1);
    EXPECT_EQ(ReadReportLogFile(dir / "vorlix_report9.log", TextEncoding::Latin1, table),
              (Failure{Failure::kRead, dir / "vorlix_report9.log", ENOENT}));
    EXPECT_EQ(table.RowCount(), 0);
    ASSERT_EQ(Read(dir / "vorlix_report1.log", table), 1);
    EXPECT_EQ(Read(dir / "vorlix_report2.log", table), 0);  // a folder
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(ReportLogReader, KeepsDataLinesOnly) {
    struct Case {
        const char* name;
        std::string bytes;
        int rows;
    };
    const Case cases[] = {
        {"empty file", "", 0},
        {"comments only", "# monitor\n; x\n! y\n\n\t1,2\n", 0},
        {"one row without final line feed", "20240101,000000,1,2", 1},
        {"a header line is a data row", "date,time,sent,recv\r\n20240101,000000,1,2\r\n", 2},
        {"blank-led line is data", " 20240101,000000,1,2\n", 1},
        {"NUL-led line is a comment", std::string("\0x\n1,2\n", 7), 1},
        {"0x1A ends the log",
         "1,2\n3,4\n\x1A"
         "5,6\n",
         2},
        {"binary garbage", std::string("\xff\xfe\x00\x01\x02\n\x80\x81,\x82\n", 12), 2},
    };
    for (const auto& c : cases) {
        TempDir dir;
        test::WriteFile(dir / "vorlix_report2024.log", c.bytes);
        LogTable table;
        EXPECT_EQ(Read(dir / "vorlix_report2024.log", table), 1) << c.name;
        EXPECT_EQ(table.RowCount(), c.rows) << c.name;
    }
}

TEST(ReportLogReader, StopsAt65535RowsAndStillSucceeds) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 65537; ++i) bytes += std::to_string(i) + ",x\n";
    test::WriteFile(dir / "vorlix_report2024.log", bytes);
    LogTable table;
    EXPECT_EQ(Read(dir / "vorlix_report2024.log", table), 1);
    ASSERT_EQ(table.RowCount(), 65535);
    EXPECT_EQ(table.Field(65534, 0), u"65534");
    EXPECT_EQ(table.Field(65535, 0), u"");

    // Exactly 65,535 data lines, with comments between them, are all kept.
    bytes = "# head\n";
    for (int i = 0; i < 65535; ++i) bytes += std::to_string(i) + ",x\n;c\n";
    test::WriteFile(dir / "vorlix_report2024.log", bytes);
    EXPECT_EQ(Read(dir / "vorlix_report2024.log", table), 1);
    EXPECT_EQ(table.RowCount(), 65535);
    EXPECT_EQ(table.Field(65534, 0), u"65534");
}

TEST(ReportLogReader, ReadsEachLogAfreshAndLongLinesWhole) {
    TempDir dir;
    std::string longField(5000, '7');
    test::WriteFile(dir / "vorlix_report1.log", "1,2\n3,4\n5,6\n");
    test::WriteFile(dir / "vorlix_report2.log", longField + ",x\n");
    LogTable table;
    ASSERT_EQ(Read(dir / "vorlix_report1.log", table), 1);
    ASSERT_EQ(Read(dir / "vorlix_report2.log", table), 1);
    ASSERT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.Field(0, 0).size(), 5000u);
    EXPECT_EQ(table.Field(0, 1), u"x");
}

TEST(ReportLogReader, OnlyTheCrJustBeforeALineFeedIsDropped) {
    for (bool japanese : {false, true}) {
        TempDir dir;
        // The second line holds a character beyond ASCII, so a Japanese read decodes it.
        test::WriteFile(dir / "vorlix_report2024.log", "a,x\r\r\n\x93\xFA,y\r\r\nb,\"q\"\r\n");
        LogTable table;
        ASSERT_EQ(Read(dir / "vorlix_report2024.log", table,
                       japanese ? TextEncoding::Cp932 : TextEncoding::Latin1),
                  1);
        ASSERT_EQ(table.RowCount(), 3);
        EXPECT_EQ(table.Field(0, 1), u"x\r");
        EXPECT_EQ(table.Field(1, 1), u"y\r");
        EXPECT_EQ(table.Field(2, 1), u"q");
        EXPECT_EQ(table.FieldCount(2), 2);
    }
}

TEST(ReportLogReader, TheEndOfTextByteCountsWhereverItLies) {
    TempDir dir;
    std::string rows;
    for (int i = 0; i < 10000; ++i)
        rows += "20240301,120000,1,2\n";  // 200 KB: past the look-ahead window
    struct Case {
        std::string bytes;
        int rows;
        std::u16string lastField;
    };
    const Case cases[] = {
        {rows + "1,2\x1A"
                "3,4\n",
         10001, u""},  // the line ends at 0x1A without a line feed: "2" is lost ...
        {rows + "1,2,\x1A\n", 10001, u"2"},  // ... unless a comma ended it
        {rows + "\x1A" + rows, 10000, u"120000"},
        {"\x1A" + rows, 0, u""},
    };
    for (const auto& c : cases) {
        test::WriteFile(dir / "vorlix_report2024.log", c.bytes);
        LogTable table;
        ASSERT_EQ(Read(dir / "vorlix_report2024.log", table), 1);
        EXPECT_EQ(table.RowCount(), c.rows);
        EXPECT_EQ(table.Field(c.rows - 1, 1), c.lastField);
    }
}

TEST(ReportLogReader, DecodesJapaneseLogsWithoutSplittingOnBadBytes) {
    TempDir dir;
    test::WriteFile(dir / "vorlix_report2024.log", "\x93\xFA,\x81\x20x,\x85,4\r\n");
    LogTable table;
    ASSERT_EQ(Read(dir / "vorlix_report2024.log", table, TextEncoding::Cp932), 1);
    ASSERT_EQ(table.RowCount(), 1);
    ASSERT_EQ(table.FieldCount(0), 4);
    EXPECT_EQ(table.Field(0, 0), u"日");
    EXPECT_EQ(table.Field(0, 1), u"\uFFFD x");
    EXPECT_EQ(table.Field(0, 2),
              u"\uFFFD");  // 0x85 0x2C is no pair: the comma still ends the field
    EXPECT_EQ(table.Field(0, 3), u"4");
}

}  // namespace
}  // namespace zintor
