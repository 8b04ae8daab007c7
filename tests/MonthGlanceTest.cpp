// The month at a glance on logs with known answers: peak one-interval rates, the 95th
// percentile of five-minute bins, the month-end estimate and the allowance.
#include "report/MonthGlance.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "report/Allowance.h"
#include "report/GlanceJson.h"
#include "report/GlanceSlots.h"
#include "report/IntervalFigures.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

// One row of a log: day of the month, seconds into the day, bytes sent and received.
struct Row {
    int day;
    int second;
    std::uint64_t sent, received;
};

// Rows every step seconds from day 1 00:00:00 for count rows, each with the same bytes.
std::vector<Row> Steady(int count, int step, std::uint64_t sent, std::uint64_t received,
                        int startDay = 1) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        std::int64_t at = static_cast<std::int64_t>(i) * step;
        rows.push_back({startDay + static_cast<int>(at / 86400), static_cast<int>(at % 86400), sent,
                        received});
    }
    return rows;
}

// The glance of rows of year/month read as a log is read, through the totals' adder.
MonthGlance GlanceOf(const std::vector<Row>& rows, int year = 2026, int month = 11,
                     AllowancePlan plan = {}) {
    LogTable table;
    for (const Row& r : rows) {
        char line[96];
        std::snprintf(line, sizeof line, "%04d%02d%02d,%02d%02d%02d,%llu,%llu", year, month, r.day,
                      r.second / 3600, r.second / 60 % 60, r.second % 60,
                      static_cast<unsigned long long>(r.sent),
                      static_cast<unsigned long long>(r.received));
        table.AddWideRow(test::U16(line), true);
    }
    auto figures = std::make_unique<MonthFigures>();
    auto intervals = std::make_unique<IntervalFigures>();
    AddUpLogTable(table, *figures, intervals.get());
    return GlanceAt(*intervals, *figures, plan);
}

std::vector<Row> operator+(std::vector<Row> a, const std::vector<Row>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(IntervalFigures, PeakAndPercentileOnKnownLogs) {
    struct Case {
        const char* name;
        std::vector<Row> rows;
        bool peak;                             // whether any row has a rate
        std::uint64_t peakSent, peakReceived;  // floored bytes per second
        std::int64_t peakReceivedStamp;
        int bins;
        std::uint64_t pctlSent, pctlReceived;  // floored bytes per second
    };
    std::vector<Row> burst = Steady(2880, 60, 600, 6000);
    burst[1000].received = 600000;  // one minute at 10,000 B/s: day 1, 16:40
    std::vector<Row> gaps;
    for (int k = 1; k <= 20; ++k)  // twenty bins an hour apart, bin k holding k × 300 bytes
        gaps.push_back({1 + k / 24, (k % 24) * 3600 + 60, 0, static_cast<std::uint64_t>(k) * 300});
    const Case cases[] = {
        {"a constant rate is its own peak and percentile", Steady(2880, 60, 600, 6000), true, 10,
         100, 86400 + 60, 576, 10, 100},
        {"a single burst shows in the peak, not in the percentile", burst, true, 10, 10000,
         86400 + 60000, 576, 10, 100},
        {"bins with gaps count only the bins with rows", gaps, false, 0, 0, 0, 20, 0, 19},
        {"steps of 62 seconds give no rate", Steady(100, 62, 620, 6200), false, 0, 0, 0, 21, 10,
         103},
        {"a step of 61 seconds still does", Steady(3, 61, 61, 610), true, 1, 10, 86400 + 61, 1, 0,
         6},
        {"a row on day 32 has no bin", Steady(2, 60, 300, 300, 32), true, 5, 5, 32 * 86400 + 60, 0,
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IntervalResult in = GlanceOf(c.rows).interval;
        EXPECT_EQ(in.peakSent.rate.Known(), c.peak);
        EXPECT_EQ(in.peakSent.rate.FlooredPerSecond(), c.peakSent);
        EXPECT_EQ(in.peakReceived.rate.FlooredPerSecond(), c.peakReceived);
        if (c.peak) {
            EXPECT_EQ(in.peakReceived.stamp, c.peakReceivedStamp);
        }
        EXPECT_EQ(in.percentile.bins, c.bins);
        EXPECT_EQ(in.percentile.sent.FlooredPerSecond(), c.pctlSent);
        EXPECT_EQ(in.percentile.received.FlooredPerSecond(), c.pctlReceived);
    }
}

TEST(IntervalFigures, PeakComparesRatesExactlyAndKeepsTheEarliest) {
    // 61 bytes over 61 s and 60 over 60 s are the same rate: the first row keeps the peak;
    // 121 over 61 s is above 119 over 60 s although both floor to 1 B/s.
    std::vector<Row> rows = {{1, 0, 0, 0}, {1, 61, 61, 119}, {1, 121, 60, 121}, {1, 182, 0, 0}};
    IntervalResult in = GlanceOf(rows).interval;
    EXPECT_EQ(in.peakSent.stamp, 86400 + 61);
    EXPECT_EQ(in.peakReceived.stamp, 86400 + 121);
    EXPECT_EQ(in.peakReceived.rate.bytes, 121u);
    EXPECT_EQ(in.peakReceived.rate.seconds, 60);
}

TEST(IntervalFigures, PercentileIndexRoundsHalfUp) {
    const int cases[][2] = {{1, 0},  {2, 1},   {9, 8},    {10, 9},
                            {11, 9}, {20, 18}, {100, 94}, {8928, 8481}};
    for (const auto& c : cases) EXPECT_EQ(PercentileIndex(c[0]), c[1]) << c[0];
}

TEST(MonthEstimate, GivenOnlyWhenItStandsOnEnough) {
    constexpr std::int64_t kDay = 86400;
    struct Case {
        const char* name;
        std::int64_t capture, lastStamp;
        int monthDays;
        EstimateBasis basis;
        std::uint64_t sent, received;  // of 1,000,000 and 2,000,000 bytes so far
    };
    const Case cases[] = {
        {"a month just begun", 80000, kDay + 86399, 30, EstimateBasis::kTooEarly, 0, 0},
        {"one day passed", 86400, 2 * kDay, 30, EstimateBasis::kGiven, 30000000, 60000000},
        {"ten days, half captured", 5 * kDay, 11 * kDay, 30, EstimateBasis::kGiven, 3000000,
         6000000},
        {"ten days, under half captured", 5 * kDay - 1, 11 * kDay, 30,
         EstimateBasis::kTooLittleCapture, 0, 0},
        {"rounded down", 7 * kDay, 8 * kDay, 31, EstimateBasis::kGiven, 4428571, 8857142},
        {"last row on the last day", 30 * kDay, 30 * kDay, 30, EstimateBasis::kMonthComplete, 0, 0},
        {"February of a leap year", 28 * kDay, 29 * kDay, 29, EstimateBasis::kMonthComplete, 0, 0},
        {"no row since day 1 began", 0, kDay, 31, EstimateBasis::kTooEarly, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonthEstimate e = EstimateMonth(1000000, 2000000, c.capture, c.lastStamp, c.monthDays);
        EXPECT_EQ(e.basis, c.basis);
        EXPECT_EQ(e.sent, c.sent);
        EXPECT_EQ(e.received, c.received);
    }
}

TEST(MonthEstimate, NoOverflowForLargeTotals) {
    std::uint64_t total = std::uint64_t{1} << 60;
    MonthEstimate e = EstimateMonth(total, 0, 15 * 86400, 16 * 86400, 30);
    EXPECT_EQ(e.sent, total * 2);
}

TEST(MonthEstimate, FromTheLogsRows) {
    // November, two days and a bit of steady traffic: an estimate; the same with rows on the
    // 30th: a complete month; a month of one day's rows: none.
    MonthGlance running = GlanceOf(Steady(3000, 60, 100, 1000));
    ASSERT_TRUE(running.interval.estimate.Given());
    EXPECT_EQ(running.interval.estimate.elapsedSeconds, 2999 * 60);
    EXPECT_EQ(running.interval.estimate.sent, 100ull * 3000 * 30 * 86400 / (2999 * 60));
    EXPECT_EQ(running.interval.RemainingDays(), 28);  // the 3rd to the 30th
    EXPECT_EQ(
        GlanceOf(Steady(3000, 60, 100, 1000) + Steady(2, 60, 1, 1, 30)).interval.estimate.basis,
        EstimateBasis::kMonthComplete);
    EXPECT_EQ(GlanceOf(Steady(1000, 60, 100, 1000)).interval.estimate.basis,
              EstimateBasis::kTooEarly);
}

TEST(Allowance, AmountsAsUsersWriteThem) {
    constexpr std::uint64_t K = 1024, M = K * K, G = M * K, T = G * K;
    struct Case {
        const char* text;
        bool ok;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {"500000000", true, 500000000},
        {"750K", true, 750 * K},
        {"750k", true, 750 * K},
        {"20M", true, 20 * M},
        {"20 MB", true, 20 * M},
        {"20GiB", true, 20 * G},
        {"500G", true, 500 * G},
        {" 1.5T ", true, 3 * T / 2},
        {"2t", true, 2 * T},
        {"0.5K", true, 512},
        {"1.", true, 1},
        {"10B", true, 10},
        {"0.1", false, 0},
        {"0", false, 0},
        {"", false, 0},
        {"G", false, 0},
        {"abc", false, 0},
        {"-5G", false, 0},
        {"1.2.3", false, 0},
        {"10X", false, 0},
        {"10 GBs", false, 0},
        {"1024T", true, 1024 * T},
        {"1048576T", true, std::uint64_t{1} << 60},
        {"1048577T", false, 0},
        {"99999999999999999999999999", false, 0},
        {"1.0000001K", true, 1024},
    };
    for (const Case& c : cases) {
        std::uint64_t bytes = 0;
        EXPECT_EQ(ParseAllowanceBytes(c.text, bytes), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(bytes, c.bytes) << c.text;
        }
    }
}

TEST(Allowance, DirectionsWords) {
    const std::pair<const char*, AllowanceCounts> cases[] = {
        {"received", AllowanceCounts::kReceived}, {" Sent ", AllowanceCounts::kSent},
        {"both", AllowanceCounts::kBoth},         {"", AllowanceCounts::kBoth},
        {"upload", AllowanceCounts::kBoth},
    };
    for (const auto& [text, counts] : cases) {
        EXPECT_EQ(ParseAllowanceCounts(text), counts) << text;
        EXPECT_EQ(ParseAllowanceCounts(AllowanceCountsWord(counts)), counts);
    }
}

TEST(Allowance, UseInEachDirectionAndLevel) {
    struct Case {
        AllowanceCounts counts;
        std::uint64_t allowance, sent, received;
        int days;
        std::uint64_t used, left, over, perDay, perMille;
        AllowanceLevel level;
    };
    const Case cases[] = {
        {AllowanceCounts::kBoth, 1000, 300, 400, 3, 700, 300, 0, 100, 700,
         AllowanceLevel::kBelow80},
        {AllowanceCounts::kReceived, 1000, 300, 799, 3, 799, 201, 0, 67, 799,
         AllowanceLevel::kBelow80},
        {AllowanceCounts::kReceived, 1000, 300, 800, 4, 800, 200, 0, 50, 800,
         AllowanceLevel::kFrom80},
        {AllowanceCounts::kSent, 1000, 1000, 5, 1, 1000, 0, 0, 0, 1000, AllowanceLevel::kFrom80},
        {AllowanceCounts::kSent, 1000, 1001, 5, 1, 1001, 0, 1, 0, 1001, AllowanceLevel::kOver100},
        {AllowanceCounts::kBoth, 1000, 900, 900, 0, 1800, 0, 800, 0, 1800,
         AllowanceLevel::kOver100},
    };
    for (const Case& c : cases) {
        AllowanceUse use = UseOfAllowance({c.allowance, c.counts}, c.sent, c.received, c.days);
        SCOPED_TRACE(c.used);
        EXPECT_EQ(use.used, c.used);
        EXPECT_EQ(use.left, c.left);
        EXPECT_EQ(use.over, c.over);
        EXPECT_EQ(use.perDay, c.perDay);
        EXPECT_EQ(use.PerMille(), c.perMille);
        EXPECT_EQ(use.level, c.level);
    }
}

// What the page and JSON say of one month: the estimate's basis in words and the allowance's
// slots only when one is set.
TEST(MonthGlance, PageWordsAndJson) {
    AllowancePlan plan{1024 * 1024, AllowanceCounts::kReceived};
    MonthGlance g = GlanceOf(Steady(3000, 60, 100, 1000), 2026, 11, plan);
    EXPECT_EQ(test::U8(StampLabel(g, 5 * 86400 + 14 * 3600 + 23 * 60, 1)), "05.Nov 14:23:00");
    EXPECT_EQ(test::U8(StampLabel(g, 5 * 86400 + 14 * 3600 + 23 * 60, 0)), "11月05日 14:23:00");
    EXPECT_EQ(test::U8(EstimateNote(g.interval.estimate, 1)),
              "from the first 2.1 of 30 days, capture time 100.0%");
    EXPECT_EQ(test::U8(EstimateNote(g.interval.estimate, 0)),
              "30日のうち最初の2.1日分から (記録時間 100.0%)");
    EXPECT_EQ(test::U8(AllowanceLevelClass(g)), "over");  // 3,000,000 of 1,048,576 bytes
    std::string json;
    AppendGlanceJson(json, g);
    EXPECT_NE(json.find("\"allowance\": {\"bytes\": 1048576, \"counts\": \"received\", "
                        "\"used\": 3000000, \"left\": 0, \"over\": 1951424"),
              std::string::npos)
        << json;
    EXPECT_NE(
        json.find("\"peak\": {\"sent\": {\"bytes\": 100, \"seconds\": 60, "
                  "\"bytes_per_second\": 1, \"date\": \"2026-11-01\", \"time\": \"00:01:00\"}"),
        std::string::npos)
        << json;

    MonthGlance none = GlanceOf(Steady(2, 300, 1, 1));  // steps too long for a rate
    EXPECT_EQ(test::U8(AllowanceLevelClass(none)), "unset");
    json.clear();
    AppendGlanceJson(json, none);
    EXPECT_EQ(
        json,
        "{\n    \"peak\": null,\n    \"percentile95\": {\"bins\": 2, \"sent\": {\"bytes\": 1, "
        "\"seconds\": 300, \"bytes_per_second\": 0}, \"received\": {\"bytes\": 1, "
        "\"seconds\": 300, \"bytes_per_second\": 0}, \"billed\": {\"bytes\": 1, \"seconds\": "
        "300, \"bytes_per_second\": 0, \"direction\": \"received\"}},\n    \"estimate\": "
        "null,\n    \"allowance\": null\n  }");
    EXPECT_EQ(test::U8(EstimateNote(none.interval.estimate, 1)),
              "none: less than a day of the month has passed");
}

}  // namespace
}  // namespace zintor
