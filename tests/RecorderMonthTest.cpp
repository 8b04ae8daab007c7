// The recorder over simulated time: counters and clocks are parameters, so a month of minute
// rows with resets, a vanishing interface, a suspend, clock steps and a year's end runs in
// moments, and the rows add up to the byte.
#include <gtest/gtest.h>
#include <time.h>

#include <map>
#include <random>
#include <sstream>

#include "TestSupport.h"
#include "record/Recorder.h"

namespace zintor {
namespace {

class TableCounters : public CounterSource {
  public:
    std::map<std::string, InterfaceReading> now;
    bool unreadable = false;
    bool Read(std::vector<InterfaceReading>& readings, std::string& why) override {
        if (unreadable) {
            why = "gone";
            return false;
        }
        readings.clear();
        for (auto& [name, reading] : now) readings.push_back(reading);
        return true;
    }
};

struct Row {
    RowLabel label;
    Movement moved;
};

class RowList : public RowSink {
  public:
    std::vector<Row> rows;
    void Put(const RowLabel& label, const Movement& moved) override {
        rows.push_back({label, moved});
    }
};

std::int64_t UtcNanos(int year, int month, int day, int hour, int minute, int second) {
    tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return std::int64_t{timegm(&t)} * kNanosPerSecond;
}

// Seconds of a label from the first of its month, for checking the spacing of rows.
int SecondsInMonth(const RowLabel& l) {
    return ((l.day - 1) * 24 + l.hour) * 3600 + l.minute * 60 + l.second;
}

// The recorder with its counters and rows, and the wall clock moved as the timer would move it.
struct Simulation {
    TableCounters counters;
    RowList rows;
    std::ostringstream errors;
    Recorder recorder;
    std::int64_t wall = 0, wait = 0;

    explicit Simulation(int interval, std::vector<InterfacePattern> patterns = {})
        : recorder(interval, std::move(patterns), counters, rows, errors) {}
    void Start(std::int64_t at) {
        wall = at;
        wait = recorder.Start(wall);
    }
    // The timer goes off after the wait; the wall clock has meanwhile moved by the wait plus
    // jump (a suspend, or the clock stepped).
    void Wake(std::int64_t jump = 0) {
        wall += wait + jump;
        wait = recorder.RowDue(wall);
    }
    void Move(const std::string& name, std::uint64_t sent, std::uint64_t received) {
        auto it = counters.now.find(name);
        if (it == counters.now.end()) return;  // a vanished interface moves nothing
        it->second.sent += sent;
        it->second.received += received;
    }
    void Add(const std::string& name, InterfaceKind kind, std::uint64_t sent = 0,
             std::uint64_t received = 0) {
        counters.now[name] = {name, received, sent, kind};
    }
};

TEST(RecorderMonth, AMonthOfMinutesAddsUpToTheCountersMovement) {
    test::ScopedEnv tz("TZ", "UTC");
    tzset();
    Simulation sim(60);
    sim.Add("eth0", InterfaceKind::Physical, 1'000'000, 2'000'000);
    sim.Add("wlan0", InterfaceKind::Physical);
    sim.Add("br0", InterfaceKind::Virtual);  // bridges eth0: counting it would count twice
    sim.Add("lo", InterfaceKind::Virtual);
    sim.Start(UtcNanos(2026, 12, 1, 0, 0, 0) - 20 * kNanosPerSecond);
    std::mt19937_64 random(7);
    std::uint64_t expectSent = 0, expectReceived = 0;
    const int minutes = 31 * 24 * 60 + 2;  // into the next year
    for (int m = 0; m < minutes; ++m) {
        // More than 4 GiB in some rows; nothing at all in others.
        std::uint64_t sent = m % 5 == 0 ? 0 : random() % 6'000'000'000;
        std::uint64_t received = m % 7 == 0 ? 0 : random() % 6'000'000'000;
        std::uint64_t other = random() % 1000;
        sim.Move("eth0", sent, received);
        sim.Move("br0", sent, received);
        sim.Move("lo", other, other);
        sim.Move("wlan0", other, 2 * other);
        bool counted = true;
        if (m == 100) sim.Add("eth0", InterfaceKind::Physical, 3, 4);  // a reset: counts 0
        if (m == 100 || m == 2000) counted = false;
        if (m == 2000) sim.counters.now.erase("eth0");  // gone for a while
        if (m == 2010) sim.Add("eth0", InterfaceKind::Physical, 77, 88);
        if (m >= 2000 && m <= 2010) counted = false;  // gone, then back as a baseline
        if (counted) expectSent += sent, expectReceived += received;
        expectSent += other;
        expectReceived += 2 * other;
        sim.Wake();
    }
    ASSERT_EQ(sim.rows.rows.size(), static_cast<std::size_t>(minutes));
    std::uint64_t sent = 0, received = 0;
    for (const Row& row : sim.rows.rows) sent += row.moved.sent, received += row.moved.received;
    EXPECT_EQ(sent, expectSent);
    EXPECT_EQ(received, expectReceived);
    // The first row is the minute the recorder started in; then every minute, each at :00,
    // through the month's end into the first minute of the new year.
    EXPECT_EQ(sim.rows.rows[0].label, (RowLabel{2026, 11, 30, 23, 59, 0}));
    EXPECT_EQ(sim.rows.rows[1].label, (RowLabel{2026, 12, 1, 0, 0, 0}));
    EXPECT_EQ(sim.rows.rows.back().label, (RowLabel{2027, 1, 1, 0, 0, 0}));
    for (std::size_t i = 2; i + 1 < sim.rows.rows.size(); ++i)
        ASSERT_EQ(SecondsInMonth(sim.rows.rows[i].label),
                  SecondsInMonth(sim.rows.rows[i - 1].label) + 60)
            << i;
    EXPECT_EQ(sim.errors.str(), "");
}

TEST(RecorderMonth, SuspendAndClockStepsLoseNothingTheCountersSaw) {
    test::ScopedEnv tz("TZ", "UTC");
    tzset();
    Simulation sim(60);
    sim.Add("eth0", InterfaceKind::Physical);
    sim.Start(UtcNanos(2026, 12, 5, 10, 0, 0) + kNanosPerSecond / 2);
    struct Step {
        const char* what;
        std::int64_t jump;  // how far the wall clock moves beyond the wait
        std::uint64_t sent;
        RowLabel label;  // of the row written at this wake-up
    } steps[] = {
        {"the first minute", 0, 10, {2026, 12, 5, 10, 0, 0}},
        {"a minute", 0, 20, {2026, 12, 5, 10, 1, 0}},
        {"suspended for two hours: one row holds it all",
         7200 * kNanosPerSecond,
         30,
         {2026, 12, 5, 10, 2, 0}},
        {"after the gap, the minute of waking", 0, 40, {2026, 12, 5, 12, 3, 0}},
        {"clock stepped back half an hour", -1800 * kNanosPerSecond, 50, {2026, 12, 5, 12, 4, 0}},
        {"the repeated minutes", 0, 60, {2026, 12, 5, 11, 35, 0}},
        {"clock stepped forward an hour", 3600 * kNanosPerSecond, 70, {2026, 12, 5, 11, 36, 0}},
        {"on from the new time", 0, 80, {2026, 12, 5, 12, 37, 0}},
        {"woken a little early by a slewed clock",
         -kNanosPerSecond / 10,
         90,
         {2026, 12, 5, 12, 38, 0}},
        {"the next minute all the same", 0, 100, {2026, 12, 5, 12, 39, 0}},
        {"woken 59.9 s late on a busy machine",
         59 * kNanosPerSecond + 900000000,
         110,
         {2026, 12, 5, 12, 40, 0}},
        {"no minute is skipped", 0, 120, {2026, 12, 5, 12, 41, 0}},
        {"and the wait after it was short", 0, 130, {2026, 12, 5, 12, 42, 0}},
    };
    for (const Step& s : steps) {
        sim.Move("eth0", s.sent, 0);
        sim.Wake(s.jump);
        ASSERT_FALSE(sim.rows.rows.empty());
        EXPECT_EQ(sim.rows.rows.back().label, s.label) << s.what;
        EXPECT_EQ(sim.rows.rows.back().moved.sent, s.sent) << s.what;
    }
    EXPECT_EQ(sim.rows.rows.size(), std::size(steps));
    EXPECT_EQ(sim.wall + sim.wait, UtcNanos(2026, 12, 5, 12, 44, 0));
}

TEST(RecorderMonth, DaylightSavingEndsRepeatTheHourAndStartsSkipIt) {
    test::ScopedEnv tz("TZ", "Europe/Berlin");
    tzset();
    Simulation sim(60);
    sim.Add("eth0", InterfaceKind::Physical);
    // 2026-10-25 01:00 CEST is 23:00 UTC the day before; clocks go back at 03:00 CEST.
    sim.Start(UtcNanos(2026, 10, 24, 23, 0, 0));
    std::map<std::string, int> times;
    for (int m = 0; m < 240; ++m) {
        sim.Move("eth0", 1, 2);
        sim.Wake();
        const RowLabel& l = sim.rows.rows.back().label;
        ++times[std::to_string(l.hour * 100 + l.minute)];
    }
    EXPECT_EQ(sim.rows.rows.size(), 240u);
    EXPECT_EQ(times["130"], 1);
    EXPECT_EQ(times["230"], 2);  // 02:00 to 02:59 twice, the rows of both hours kept
    EXPECT_EQ(times["330"], 1);
    std::uint64_t received = 0;
    for (const Row& row : sim.rows.rows) received += row.moved.received;
    EXPECT_EQ(received, 2u * 240);

    // Spring: 02:00 to 02:59 do not exist on 2026-03-29; 01:59 is followed by 03:00.
    Simulation spring(60);
    spring.Add("eth0", InterfaceKind::Physical);
    spring.Start(UtcNanos(2026, 3, 29, 0, 58, 0));
    spring.Wake();
    spring.Wake();
    ASSERT_EQ(spring.rows.rows.size(), 2u);
    EXPECT_EQ(spring.rows.rows[0].label, (RowLabel{2026, 3, 29, 1, 58, 0}));
    EXPECT_EQ(spring.rows.rows[1].label, (RowLabel{2026, 3, 29, 1, 59, 0}));
    spring.Wake();
    EXPECT_EQ(spring.rows.rows[2].label, (RowLabel{2026, 3, 29, 3, 0, 0}));
}

TEST(RecorderMonth, UnreadableCountersWriteEmptyRowsAndStartFromBaselines) {
    test::ScopedEnv tz("TZ", "UTC");
    tzset();
    Simulation sim(1);
    sim.Add("eth0", InterfaceKind::Physical);
    sim.Start(UtcNanos(2026, 12, 5, 10, 0, 0));
    sim.Move("eth0", 5, 5);
    sim.Wake();
    sim.counters.unreadable = true;
    sim.Move("eth0", 100, 100);
    sim.Wake();
    sim.Wake();
    sim.counters.unreadable = false;
    sim.Wake();  // a baseline: what moved while unreadable is not known to have moved here
    sim.Move("eth0", 7, 7);
    sim.Wake();
    std::vector<std::uint64_t> sent;
    for (const Row& row : sim.rows.rows) sent.push_back(row.moved.sent);
    EXPECT_EQ(sent, (std::vector<std::uint64_t>{5, 0, 0, 0, 7}));
    EXPECT_EQ(sim.errors.str(), "zintor-record: cannot read the counters: gone\n");  // once
}

TEST(RecorderMonth, StopWritesTheSlotInProgressUnderItsStart) {
    test::ScopedEnv tz("TZ", "UTC");
    tzset();
    Simulation sim(60);
    sim.Add("eth0", InterfaceKind::Physical);
    sim.Start(UtcNanos(2026, 12, 31, 23, 59, 10));
    sim.Wake();
    sim.Move("eth0", 9, 8);
    sim.recorder.Stop();
    ASSERT_EQ(sim.rows.rows.size(), 2u);
    EXPECT_EQ(sim.rows.rows[1].label, (RowLabel{2027, 1, 1, 0, 0, 0}));
    EXPECT_EQ(sim.rows.rows[1].moved.sent, 9u);
    EXPECT_EQ(sim.rows.rows[1].moved.received, 8u);
}

}  // namespace
}  // namespace zintor
