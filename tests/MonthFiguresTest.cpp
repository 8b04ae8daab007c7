// Decoding log rows and adding them up into the month's figures: per day, hour, weekday and
// day-and-hour, capture time, rows, the month, and the rows handed on to per-interval figures.
#include "report/MonthFigures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "logs/ReportLogReader.h"
#include "report/LogRow.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

std::unique_ptr<LogTable> TableOf(std::initializer_list<std::u16string_view> lines) {
    auto table = std::make_unique<LogTable>();
    for (auto line : lines) {
        bool lineFeed = !line.empty() && line.back() == u'\n';
        table->AddWideRow(lineFeed ? line.substr(0, line.size() - 1) : line, lineFeed);
    }
    return table;
}

std::unique_ptr<MonthFigures> Aggregate(std::initializer_list<std::u16string_view> lines,
                                        IntervalConsumer* intervals = nullptr) {
    auto table = TableOf(lines);
    auto figures = std::make_unique<MonthFigures>();
    AddUpLogTable(*table, *figures, intervals);
    return figures;
}

TEST(LogRow, FieldsReadAsWrappingDecimalNumbers) {
    struct Case {
        std::u16string text;
        std::int32_t value;
    };
    const Case cases[] = {
        {u"123", 123},
        {u"  \t42", 42},
        {u"+7", 7},
        {u"-7", -7},
        {u"12abc", 12},
        {u"abc", 0},
        {u"", 0},
        {u"--1", 0},
        {u"+-1", 0},
        {u"- 1", 0},
        {u"4294967295", -1},
        {u"4294967296", 0},
        {u"4294967297", 1},
        {u"2147483648", INT32_MIN},
        {u"１２", 0},
        {u"\"12\"", 0},
        {u"00000000000000000009", 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLogInteger(std::u16string_view(c.text)), c.value)
            << std::string(c.text.begin(), c.text.end());
}

// Byte counts up to 48 bits are read exactly (a row of a fast link holds more than 4 GiB);
// beyond, and negative ones, as any other field: modulo 2^32, so logs whose counts are below
// 2^32 read as they always did.
TEST(LogRow, ByteCountsUpTo48BitsReadExactly) {
    struct Case {
        std::u16string text;
        std::uint64_t value;
    } cases[] = {
        {u"5000000000", 5000000000u},
        {u"4294967296", 4294967296u},
        {u" +4294967295x", 4294967295u},
        {u"281474976710655", 281474976710655u},  // 2^48 - 1
        {u"281474976710656", 0},                 // 2^48: modulo 2^32
        {u"281474976710657", 1},
        {u"99999999999999999999", 1661992959},  // modulo 2^32
        {u"00000000000000000000000000005000000000", 5000000000u},
        {u"-1", 4294967295u},
        {u"-5000000000", 3589934592u},
        {u"-0", 0},
        {u"abc", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLogCountField(std::u16string_view(c.text)), c.value)
            << std::string(c.text.begin(), c.text.end());
    // Through the reader into the totals, on the plain road and the general one (quoted).
    auto t = Aggregate({u"20261201,000000,5000000000,281474976710655\n",
                        u"\"20261201\",000100,\"5000000000\",281474976710656\n"});
    EXPECT_EQ(t->monthSend, 10000000000);
    EXPECT_EQ(t->monthRecv, 281474976710655);
}

TEST(LogRow, DateAndTimeSplitFromTheirZeroPaddedDigits) {
    struct Case {
        std::u16string line;
        bool usable;
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    };
    const Case cases[] = {
        {u"20240105,103000,1,2\n", true, 2024, 1, 5, 10, 30, 0},
        {u"20240105,93015,1,2\n", true, 2024, 1, 5, 9, 30, 15},
        {u"1010105,5,1,2\n", true, 101, 1, 5, 0, 0, 5},  // written as 01010105
        {u"202401051,1234567,1,2\n", true, 2024, 1, 5, 12, 34,
         56},  // longer texts use their first digits
        {u"20241299,995959,1,2\n", true, 2024, 12, 99, 99, 59, 59},  // day and hour are not checked
        {u"00000105,0,1,2\n", true, 0, 1, 5, 0, 0, 0},
        {u"20241305,0,1,2\n", false},       // month 13
        {u"20240005,0,1,2\n", false},       // month 0
        {u"-20240105,0,1,2\n", false},      // negative date
        {u"20240105,-1,1,2\n", false},      // negative time
        {u"date,time,sent,recv\n", false},  // a header line reads as date 0
        {u"00000100,0,1,2\n", false},       // January of year 0, day 0: the weekday sum is negative
        {u"00000132,0,1,2\n", false},       // ... and day 32, which is 0 mod 32
        {u"00000101,0,1,2\n", true, 0, 1, 1, 0, 0, 0},
        {u"00000200,0,1,2\n", true, 0, 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        auto table = TableOf({c.line});
        LogRow r = DecodeLogRow(*table, 0);
        std::string name(c.line.begin(), c.line.end() - 1);
        EXPECT_EQ(r.usable, c.usable) << name;
        if (!c.usable) continue;
        EXPECT_EQ(r.year, c.year) << name;
        EXPECT_EQ(r.month, c.month) << name;
        EXPECT_EQ(r.day, c.day) << name;
        EXPECT_EQ(r.hour, c.hour) << name;
        EXPECT_EQ(r.minute, c.minute) << name;
        EXPECT_EQ(r.second, c.second) << name;
    }
}

TEST(MonthFigures, ARowAddsToItsDayHourWeekdayAndTotals) {
    auto a = Aggregate({u"20240105,103000,1000,2000\n", u"20240105,103000,0,0\n"});
    const MonthFigures& t = *a;
    EXPECT_EQ(t.daySend[5], 1000);
    EXPECT_EQ(t.monthSend, 1000);
    EXPECT_EQ(t.hourSend[10], 1000);
    EXPECT_EQ(t.dayHourSend[5][10], 1000);
    EXPECT_EQ(t.weekdaySend[5], 1000);  // 5 January 2024 was a Friday
    EXPECT_EQ(t.dayRecv[5], 2000);
    EXPECT_EQ(t.hourRecv[10], 2000);
    EXPECT_EQ(t.dayHourRecv[5][10], 2000);
    EXPECT_EQ(t.weekdayRecv[5], 2000);
    EXPECT_EQ(t.monthRecv, 2000);
    EXPECT_TRUE(t.DayHasTraffic(5));
    EXPECT_FALSE(t.DayHasTraffic(6));
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.rowsRead, 2);
    EXPECT_EQ(t.RowsSkipped(), 0);
}

TEST(MonthFigures, ByteCountsAreExactOrUnsigned32BitValues) {
    auto a = Aggregate({u"20240105,0,4294967295,1\n", u"20240105,0,4294967296\n",
                        u"20240105,0,-1,-2\n", u"20240105,0,5\n"});
    EXPECT_EQ(a->monthSend, 4294967295LL + 4294967296LL + 4294967295LL + 5);
    EXPECT_EQ(a->monthRecv, 1 + 0 + 4294967294LL + 0);  // a missing field reads 0
}

TEST(MonthFigures, OddDaysAndHoursWrapIntoTheirArrays) {
    auto a = Aggregate({u"20240100,250000,7,0\n", u"20240140,0,11,0\n"});
    const MonthFigures& t = *a;
    EXPECT_EQ(t.hourSend[1], 7);  // hour 25
    EXPECT_EQ(t.daySend[0], 7);   // day 0
    EXPECT_EQ(t.daySend[8], 11);  // day 40 is 8 mod 32
    EXPECT_EQ(t.dayHourSend[8][0], 11);
    EXPECT_EQ(t.weekdaySend[1], 11);  // 8 January 2024, a Monday
    EXPECT_EQ(t.monthSend, 18);
}

// A step counts for the day, the weekday and the hour of its later row, and for the month.
TEST(MonthFigures, CaptureTimeCountsStepsOfOneTo61Seconds) {
    struct Case {
        const char* name;
        std::initializer_list<std::u16string_view> lines;
        int day, weekday, hour;  // of the later row
        std::int64_t seconds;
    };
    const Case cases[] = {
        {"60 s", {u"20240105,100000,1,1\n", u"20240105,100100,1,1\n"}, 5, 5, 10, 60},
        {"61 s", {u"20240105,100000,1,1\n", u"20240105,100101,1,1\n"}, 5, 5, 10, 61},
        {"62 s", {u"20240105,100000,1,1\n", u"20240105,100102,1,1\n"}, 5, 5, 10, 0},
        {"same stamp", {u"20240105,100000,1,1\n", u"20240105,100000,1,1\n"}, 5, 5, 10, 0},
        {"backwards", {u"20240105,100100,1,1\n", u"20240105,100000,1,1\n"}, 5, 5, 10, 0},
        {"over midnight to the later day",
         {u"20240105,235930,1,1\n", u"20240106,000020,1,1\n"},
         6,
         6,
         0,
         50},
        {"over the hour to the later hour",
         {u"20240105,105950,1,1\n", u"20240105,110005,1,1\n"},
         5,
         5,
         11,
         15},
        {"first row never counts", {u"20240105,000001,1,1\n"}, 5, 5, 0, 0},
        {"month and year take no part",
         {u"20240105,100000,1,1\n", u"20230605,100030,1,1\n"},
         5,
         1,
         10,
         30},
        {"an unusable row keeps the previous stamp",
         {u"20240105,100000,1,1\n", u"20241305,100020,1,1\n", u"20240105,100040,1,1\n"},
         5,
         5,
         10,
         40},
        {"a header line between rows is skipped",
         {u"20240105,100000,1,1\n", u"date,time\n", u"20240105,100010,1,1\n"},
         5,
         5,
         10,
         10},
        {"a stamp of 0 does not start counting",
         {u"20240100,000000,1,1\n", u"20240100,000030,1,1\n"},
         0,
         0,
         0,
         0},
    };
    for (const auto& c : cases) {
        auto a = Aggregate(c.lines);
        EXPECT_EQ(a->dayCapture[c.day], c.seconds) << c.name;
        EXPECT_EQ(a->weekdayCapture[c.weekday], c.seconds) << c.name;
        EXPECT_EQ(a->hourCapture[c.hour], c.seconds) << c.name;
        EXPECT_EQ(a->monthCapture, c.seconds) << c.name;
    }
}

TEST(MonthFigures, ReportMonthComesFromTheLastUsableRow) {
    auto a =
        Aggregate({u"20240305,0,1,1\n", u"20240405,0,2,2\n", u"20241305,0,4,4\n", u"garbage\n"});
    EXPECT_EQ(a->usableRows, 2);
    EXPECT_EQ(a->rowsRead, 4);
    EXPECT_EQ(a->RowsSkipped(), 2);
    EXPECT_EQ(a->month, 4);
    EXPECT_EQ(a->daySend[5], 3);  // both months add into day 5
    EXPECT_EQ(a->monthSend, 3);

    auto none = Aggregate({u"date,time,sent,recv\n", u"# not a comment here\n"});
    EXPECT_EQ(none->usableRows, 0);
    EXPECT_EQ(none->monthSend, 0);
}

// Every way of adding up gives the same month: the days, the hours and the weekdays each add
// up to the month's totals, and each day's hours to the day.
TEST(MonthFigures, TheTablesOfTheMonthAddUpToItsTotals) {
    std::vector<std::u16string> lines;
    std::mt19937 random(7);
    int second = 0;
    for (int i = 0; i < 3000; ++i) {
        // Rows 40 or 50 seconds apart, with a gap now and then, over several days.
        second += random() % 11 == 0 ? 3600 : 40 + static_cast<int>(random() % 2) * 10;
        char line[64];
        std::snprintf(line, sizeof line, "202403%02d,%02d%02d%02d,%u,%u\n", 10 + second / 86400,
                      second / 3600 % 24, second / 60 % 60, second % 60,
                      static_cast<unsigned>(random() % 100000),
                      static_cast<unsigned>(random() % 100000));
        if (i % 97 == 0) std::memcpy(line, "202413", 6);  // unusable
        lines.emplace_back(line, line + std::strlen(line));
    }
    auto table = std::make_unique<LogTable>();
    for (const auto& line : lines)
        table->AddWideRow(std::u16string_view(line).substr(0, line.size() - 1), true);
    auto f = std::make_unique<MonthFigures>();
    AddUpLogTable(*table, *f);
    auto sum = [](const auto& values) {
        return std::accumulate(std::begin(values), std::end(values), std::int64_t{0});
    };
    const std::int64_t month[3] = {f->monthSend, f->monthRecv, f->monthCapture};
    const std::int64_t byDay[3] = {sum(f->daySend), sum(f->dayRecv), sum(f->dayCapture)};
    const std::int64_t byHour[3] = {sum(f->hourSend), sum(f->hourRecv), sum(f->hourCapture)};
    const std::int64_t byWeekday[3] = {sum(f->weekdaySend), sum(f->weekdayRecv),
                                       sum(f->weekdayCapture)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(byDay[i], month[i]) << i;
        EXPECT_EQ(byHour[i], month[i]) << i;
        EXPECT_EQ(byWeekday[i], month[i]) << i;
    }
    EXPECT_GT(f->monthCapture, 0);
    for (int day = 0; day < 32; ++day) {
        EXPECT_EQ(sum(f->dayHourSend[day]), f->daySend[day]) << day;
        EXPECT_EQ(sum(f->dayHourRecv[day]), f->dayRecv[day]) << day;
    }
    EXPECT_EQ(f->rowsRead, 3000);
    EXPECT_EQ(f->RowsSkipped(), 31);
}

// What a per-interval figure is told: every usable row in the order of the log, its stamp,
// its step from the previous usable row and the capture time that step counts; a new month
// starts it again.
TEST(MonthFigures, PerIntervalFiguresSeeEveryUsableRowInTurn) {
    struct Seen {
        std::int64_t stamp, step, captured;
        std::uint64_t sent, received;
        bool operator==(const Seen&) const = default;
    };
    struct Recorder final : IntervalConsumer {
        int starts = 0;
        std::vector<Seen> rows;
        void StartMonth() override {
            ++starts;
            rows.clear();
        }
        void AddRow(const UsableRow& r) override {
            rows.push_back({r.stamp, r.step, r.captured, r.row.sent, r.row.received});
        }
    };
    const std::int64_t day2 = 2 * 86400;
    const struct {
        const char* name;
        std::initializer_list<std::u16string_view> lines;
        std::vector<Seen> seen;
    } cases[] = {
        {"steps, a gap and a step back",
         {u"20240102,000010,1,2\n", u"20240102,000050,3,4\n", u"20240102,000300,5,6\n",
          u"20240102,000200,7,8\n"},
         {{day2 + 10, 0, 0, 1, 2},
          {day2 + 50, 40, 40, 3, 4},
          {day2 + 180, 130, 0, 5, 6},
          {day2 + 120, -60, 0, 7, 8}}},
        {"unusable rows are not seen",
         {u"date,time\n", u"20240102,000010,1,2\n", u"20241302,000020,9,9\n",
          u"20240102,000030,3,4\n"},
         {{day2 + 10, 0, 0, 1, 2}, {day2 + 30, 20, 20, 3, 4}}},
        {"no usable row", {u"garbage\n", u"20240002,0,1,1\n"}, {}},
    };
    Recorder recorder;
    for (const auto& c : cases) {
        Aggregate(c.lines, &recorder);
        EXPECT_EQ(recorder.rows, c.seen) << c.name;
    }
    EXPECT_EQ(recorder.starts, 3);
}

}  // namespace
}  // namespace zintor

namespace zintor {
namespace {

// Added up as the reader finds the rows (plain ones straight from their bytes), a log gives
// the figures that adding up its table gives, however it is read.
TEST(MonthFigures, AddingUpWhileReadingAgreesWithTheTable) {
    const std::string rows = "20261201,000000,100,200\n20261201,000040,7,9\r\n";
    const struct {
        const char* name;
        std::string log;
    } cases[] = {
        {"plain rows", rows + "20261202,235959,1,2,extra\n"},
        {"a header, a quoted row, a NUL", "date,time\n" + rows + "\"20261203\",0,5,5\n" +
                                              std::string("20261203,000100,3\0,4\n", 21) + rows},
        {"end of text inside a row", rows + "20261204,000000,8,8\x1A,9\n20261205,0,1,1\n"},
        {"end of text at a line's start", rows + "\x1A" + rows},
        {"last line without a line feed", rows + "20261206,000000,5,6"},
        {"text beyond ASCII", rows + "20261207,000000,5,6," + test::Cp932("日本") + "\n" + rows},
        {"odd dates and times", "20261399,0,1,1\n-1,0,1,1\n20261201,-5,1,1\n" + rows},
    };
    test::TempDir dir;
    const std::string path = dir / "vorlix_report202612.log";
    for (const auto& c : cases) {
        test::WriteFile(path, c.log);
        for (TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Cp932})
            for (std::size_t mapAtMost : {kMappedLogAtMost, std::size_t{0}}) {
                LogTable table;
                auto added = std::make_unique<MonthFigures>();
                MonthAdder adder(*added);
                ASSERT_EQ(ReadReportLogFile(path, encoding, table, mapAtMost, &adder),
                          test::kNoFailure);
                auto whole = std::make_unique<MonthFigures>();
                AddUpLogTable(table, *whole);
                EXPECT_EQ(added->rowsRead, table.RowCount()) << c.name;
                EXPECT_EQ(added->usableRows, whole->usableRows) << c.name;
                EXPECT_EQ(added->month, whole->month) << c.name;
                EXPECT_EQ(std::memcmp(added.get(), whole.get(), sizeof *whole), 0)
                    << c.name << (mapAtMost ? ", mapped" : ", in steps");
            }
    }
}

// The one-pass scan of a row's numbers must agree with splitting the row into fields and
// reading each, whatever the row holds, wherever it gives an answer at all: the usual row
// shape read eight bytes at a time and each way it can just miss that shape, then random rows.
TEST(LogRow, OnePassScanAgreesWithTheFieldSplit) {
    int scanned = 0;
    int usualRows = 0;
    auto check = [&](const std::string& text) {
        SCOPED_TRACE(::testing::PrintToString(text));
        std::int64_t fast[4] = {0, 0, 0, 0};
        std::int64_t plain[4];
        // A plain row is one that the field split reads the same; it ends at its line feed.
        bool usual;
        std::size_t plainSize = ScanPlainRow(text, plain, usual);
        if (plainSize > 0) {
            ASSERT_TRUE(text[plainSize - 1] == '\n' && text.find('\n') == plainSize - 1 &&
                        text.find('\0') >= plainSize && text.find('\x1A') >= plainSize);
        }
        // The usual shape is ASCII throughout: the reader skips the test of such rows.
        usualRows += usual;
        ASSERT_TRUE(!usual || (plainSize > 0 && IsAsciiText(text.substr(0, plainSize))));
        if (!ScanRowNumbers(text, fast)) {
            ASSERT_EQ(plainSize, 0u);
            return;
        }
        ++scanned;
        if (plainSize > 0) {
            ASSERT_TRUE(std::equal(fast, fast + 4, plain));
        }
        std::int64_t split[4] = {0, 0, 0, 0};
        std::string scratch;
        SplitLogLine(
            std::string_view(text), true, scratch, [&](int column, std::string_view field) {
                if (column >= 4) return false;
                split[column] = column < 2 ? ParseLogInteger(field)
                                           : static_cast<std::int64_t>(ParseLogCountField(field));
                return column < 3;
            });
        ASSERT_TRUE(std::equal(fast, fast + 4, split));
    };
    const char* const shapes[] = {
        "20261231,235959,12345678,87654321\r\n",                // the usual row, eight digits each
        "20261231,235959,0,9\n",                                // LF without CR
        "20261231,235959,123456789,1\r\n",                      // nine digits
        "20261231,235959,1,4294967297\r\n",                     // ten digits, exact
        "20261231,235959,281474976710655,281474976710656\r\n",  // 2^48 - 1 exact; 2^48 wraps
        "20261231,235959,-5000000000,0281474976710655\r\n",
        "20261231,235959,1,99999999999999999999\r\n",
        "2026123,5,1,2\r\n",        // short fields
        "2026a231,235959,1,2\r\n",  // a letter inside the date
        "20261231,23:59:59,1,2\r\n",
        "20261231,235959,-1,+2\r\n",  // signs
        "20261231, 235959,1,2 \r\n",  // blanks
        "20261231,,1,2\r\n",          // an empty field
        "20261231,235959,1,2\r\r\n",
        "20261231,235959,1,2\r",  // no line feed
        "20261231,235959,1,12345678\r",
        "20261231,235959,1,2,3\r\n",  // a fifth field
        "20261231,235959,1\r\n",      // a third field last
        "20261231,235959,1,\"2\"\r\n",
        "20261231,235959,1,2\x1A\r\n",
        "20261231,235959,1,2\r\n20261231,0,1,1\n",  // the row ends at its own line feed
        "20261231,235959,1,\xB2\r\n",               // a byte above 0x7F
        "20261231,235959,1,2/\r\n",                 // just below and above the digits
        "20261231,235959,1,2:\r\n",
    };
    // Each shape alone, and with a row after it: eight bytes past each field are read at once.
    for (std::string shape : shapes)
        for (const char* after : {"", "20261231,0,1,1\n"}) check(shape + after);
    check(std::string("20261231,235959,1,\0\r\n", 22));
    EXPECT_EQ(scanned, 44);
    EXPECT_EQ(usualRows, 6);

    std::mt19937 random(2024);
    const char pieces[] = {'0', '1', '9', '5', ',',  ',',  ',', ' ', '\t',  '\r',
                           '+', '-', 'a', '"', '\0', '\n', '7', '2', '\x1A'};
    for (int round = 0; round < 200000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += pieces[random() % sizeof pieces];
        check(text);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(scanned, 50000);
}

}  // namespace
}  // namespace zintor
