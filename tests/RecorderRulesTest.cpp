// The recorder's rules one at a time: its command line, the counters' text, which interfaces
// count, the counter rules between readings, and the slots rows are labelled with.
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include "TestSupport.h"
#include "record/CounterTracker.h"
#include "record/InterfaceChoice.h"
#include "record/NetDevText.h"
#include "record/RecordOptions.h"
#include "record/RowSlot.h"
#include "record/SystemCounters.h"

namespace zintor {
namespace {

using test::TempDir;

TEST(RecordOptions, ReadsEachOptionAndRefusesBadOnes) {
    struct Case {
        std::vector<std::string> args;
        std::string folder;
        int interval;
        std::string error;  // a part of the message; "" when accepted
    } cases[] = {
        {{}, "/home/u/.local/share/zintor", 60, ""},
        {{"--folder", "/srv/logs", "--interval=1"}, "/srv/logs", 1, ""},
        {{"--folder=/x", "--interval", "61"}, "/x", 61, ""},
        {{"--interval", "62"}, "", 0, "too long"},
        {{"--interval", "0"}, "", 0, "1 to 61"},
        {{"--interval", "+5"}, "", 0, "1 to 61"},
        {{"--interval", "5s"}, "", 0, "1 to 61"},
        {{"--interval", "99999999999999"}, "", 0, "1 to 61"},
        {{"--interval"}, "", 0, "needs a value"},
        {{"--folder="}, "", 0, "needs a folder"},
        {{"--interface", "!"}, "", 0, "needs a pattern"},
        {{"--lst"}, "", 0, "unknown option '--lst'"},
        {{"/srv/logs"}, "", 0, "unexpected argument"},
        {{"--list=yes"}, "", 0, "unknown option"},
    };
    for (const Case& c : cases) {
        ParsedOptions parsed = ParseRecordOptions(c.args, nullptr, "/home/u");
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
        if (c.error.empty()) {
            EXPECT_EQ(parsed.error, "");
            EXPECT_EQ(parsed.options.folder, c.folder);
            EXPECT_EQ(parsed.options.interval, c.interval);
        } else {
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
        }
    }
}

TEST(RecordOptions, DefaultFolderFollowsXdgDataHome) {
    EXPECT_EQ(ParseRecordOptions({}, "/data", "/home/u").options.folder, "/data/zintor");
    EXPECT_EQ(ParseRecordOptions({}, "relative", "/home/u").options.folder,
              "/home/u/.local/share/zintor");
    EXPECT_NE(ParseRecordOptions({}, nullptr, nullptr).error, "");
    EXPECT_EQ(ParseRecordOptions({"--list"}, nullptr, nullptr).error, "");
    ParsedOptions patterns =
        ParseRecordOptions({"--interface", "wg*", "--interface=!wg9"}, nullptr, "/h");
    ASSERT_EQ(patterns.options.patterns.size(), 2u);
    EXPECT_FALSE(patterns.options.patterns[0].exclude);
    EXPECT_TRUE(patterns.options.patterns[1].exclude);
    EXPECT_EQ(patterns.options.patterns[1].glob, "wg9");
}

TEST(NetDevText, ReadsTheByteCountersOfEveryInterface) {
    std::string text =
        "Inter-|   Receive                                                |  Transmit\n"
        " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets "
        "errs drop fifo colls carrier compressed\n"
        "    lo:    3267      29    0    0    0     0          0         0     3268      29    0"
        "    0    0     0       0          0\n"
        "  eth0:18446744073709551615 1 0 0 0 0 0 0 5000000000 2 0 0 0 0 0 0\n"
        "wlan0:1 2 3\n"                                                 // too few numbers
        "  bad0: x 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0\n"                     // not a number
        "  big0: 18446744073709551616 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0\n"  // beyond 64 bits
        "veth1a2b:10 0 0 0 0 0 0 0 20 0 0 0 0 0 0 0";                   // no line end
    std::vector<InterfaceReading> readings = ParseNetDev(text);
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[0].name, "lo");
    EXPECT_EQ(readings[0].received, 3267u);
    EXPECT_EQ(readings[0].sent, 3268u);
    EXPECT_EQ(readings[1].name, "eth0");
    EXPECT_EQ(readings[1].received, 18446744073709551615u);
    EXPECT_EQ(readings[1].sent, 5000000000u);
    EXPECT_EQ(readings[2].name, "veth1a2b");
    EXPECT_EQ(readings[2].sent, 20u);
}

TEST(SystemCounters, TellsPhysicalFromVirtualBySysClassNet) {
    TempDir root;
    ASSERT_EQ(system(("mkdir -p " + root / "proc/net " + root / "sys/class/net").c_str()), 0);
    test::WriteFile(root / "proc/net/dev",
                    "h\nh\n eth0: 1 0 0 0 0 0 0 0 2 0 0 0 0 0 0 0\n"
                    " br0: 3 0 0 0 0 0 0 0 4 0 0 0 0 0 0 0\n"
                    " tun9: 5 0 0 0 0 0 0 0 6 0 0 0 0 0 0 0\n"
                    " veth0: 7 0 0 0 0 0 0 0 8 0 0 0 0 0 0 0\n");
    ASSERT_EQ(system(("mkdir -p " + root / "sys/devices/virtual/net/veth0").c_str()), 0);
    ASSERT_EQ(symlink("../../devices/pci0000:00/0000:00:03.0/net/eth0",
                      (root / "sys/class/net/eth0").c_str()),
              0);
    ASSERT_EQ(symlink("../../devices/virtual/net/br0", (root / "sys/class/net/br0").c_str()), 0);
    SystemCounters counters(root.path() + "/");
    std::vector<InterfaceReading> readings;
    std::string why;
    ASSERT_TRUE(counters.Read(readings, why)) << why;
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[0].kind, InterfaceKind::Physical);
    EXPECT_EQ(readings[1].kind, InterfaceKind::Virtual);
    EXPECT_EQ(readings[2].kind, InterfaceKind::Unlisted);
    EXPECT_EQ(readings[3].kind, InterfaceKind::Virtual);  // known by its device folder alone
    EXPECT_EQ(readings[1].received, 3u);

    // An interface that goes and comes back as another device is looked up again.
    std::string dev = root / "proc/net/dev";
    std::string link = root / "sys/class/net/eth0";
    test::WriteFile(dev, "h\nh\n");
    ASSERT_TRUE(counters.Read(readings, why));
    ASSERT_EQ(unlink(link.c_str()), 0);
    ASSERT_EQ(symlink("../../devices/virtual/net/eth0", link.c_str()), 0);
    test::WriteFile(dev, "h\nh\n eth0: 1 0 0 0 0 0 0 0 2 0 0 0 0 0 0 0\n");
    ASSERT_TRUE(counters.Read(readings, why));
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].kind, InterfaceKind::Virtual);

    SystemCounters missing(root / "nothing");
    EXPECT_FALSE(missing.Read(readings, why));
    EXPECT_NE(why.find("nothing/proc/net/dev"), std::string::npos) << why;
}

TEST(InterfaceChoice, PatternsElsePhysicalInterfacesOnly) {
    using K = InterfaceKind;
    struct Case {
        std::string name;
        K kind;
        std::vector<std::string> patterns;
        bool counted;
        std::string why;
    } cases[] = {
        {"eth0", K::Physical, {}, true, "physical"},
        {"br0", K::Virtual, {}, false, "virtual"},
        {"lo", K::Virtual, {}, false, "loopback"},
        {"lo", K::Physical, {}, false, "loopback"},
        {"eth9", K::Unlisted, {}, true, "physical (not in sys)"},
        {"eth0", K::Physical, {"!eth*"}, false, "excluded by !eth*"},
        {"eth1", K::Physical, {"!eth0"}, true, "physical"},
        {"wg0", K::Virtual, {"wg*"}, true, "matches wg*"},
        {"eth0", K::Physical, {"wg*"}, false, "matches no --interface"},
        {"wg1", K::Virtual, {"wg*", "!wg1"}, false, "excluded by !wg1"},
        {"lo", K::Virtual, {"*"}, true, "matches *"},
        {"ppp0", K::Virtual, {"eth0", "ppp?"}, true, "matches ppp?"},
    };
    for (const Case& c : cases) {
        std::vector<InterfacePattern> patterns;
        for (const std::string& p : c.patterns) patterns.push_back(ReadInterfacePattern(p));
        InterfaceChoice choice = ChooseInterface({c.name, 0, 0, c.kind}, patterns);
        EXPECT_EQ(choice.counted, c.counted) << c.name;
        EXPECT_EQ(choice.why, c.why) << c.name;
    }
}

TEST(CounterTracker, BaselinesResetsAndVanishedInterfaces) {
    // Each step: the readings of a (sent, received) and b, a's and b's presence, the movement.
    struct Step {
        const char* what;
        bool hasA;
        std::uint64_t aSent, aRecv;
        bool hasB;
        std::uint64_t bSent, bRecv;
        std::uint64_t sent, received;
    } steps[] = {
        {"first reading is a baseline", true, 1000, 5000, true, 7, 7, 0, 0},
        {"both move", true, 1100, 5600, true, 10, 17, 103, 610},
        {"a's sent count drops: a reset", true, 50, 9000, true, 10, 17, 0, 0},
        {"from the new baseline", true, 80, 9001, true, 11, 17, 31, 1},
        {"b vanishes", true, 80, 9001, false, 0, 0, 0, 0},
        {"b is back: a baseline again", true, 80, 9001, true, 500, 500, 0, 0},
        {"a 64-bit counter near its top moves exactly", true, 0xFFFFFFFFFFFF0000u,
         0x100000000u + 9001, true, 500, 500, 0xFFFFFFFFFFFF0000u - 80, 0x100000000u},
        {"a drop is never taken for a wrap", true, 10, 10, true, 501, 501, 1, 1},
    };
    CounterTracker tracker;
    for (const Step& s : steps) {
        std::vector<InterfaceReading> readings;
        if (s.hasA) readings.push_back({"a", s.aRecv, s.aSent, InterfaceKind::Physical});
        if (s.hasB) readings.push_back({"b", s.bRecv, s.bSent, InterfaceKind::Physical});
        Movement moved = tracker.Take(readings, std::vector<bool>(readings.size(), true));
        EXPECT_EQ(moved.sent, s.sent) << s.what;
        EXPECT_EQ(moved.received, s.received) << s.what;
    }
    // An interface not counted moves nothing into the sums.
    std::vector<InterfaceReading> readings{{"a", 20, 20, InterfaceKind::Physical},
                                           {"b", 600, 600, InterfaceKind::Virtual}};
    Movement moved = tracker.Take(readings, {true, false});
    EXPECT_EQ(moved.sent, 10u);
    EXPECT_EQ(moved.received, 10u);
}

TEST(RowSlot, SlotsAreMultiplesOfTheIntervalFromLocalMidnight) {
    test::ScopedEnv tz("TZ", "UTC");
    tzset();
    // 2026-12-31 23:59:53.25 UTC
    const std::int64_t wall = (std::int64_t{1798761593} * 4 + 1) * kNanosPerSecond / 4;
    struct Case {
        int interval;
        RowLabel label;
        std::int64_t nanosToEnd;
    } cases[] = {
        {60, {2026, 12, 31, 23, 59, 0}, 6'750'000'000},
        {1, {2026, 12, 31, 23, 59, 53}, 750'000'000},
        {10, {2026, 12, 31, 23, 59, 50}, 6'750'000'000},
        {7, {2026, 12, 31, 23, 59, 47}, 750'000'000},
        {61, {2026, 12, 31, 23, 59, 36}, 6'750'000'000},
    };
    for (const Case& c : cases) {
        RowSlot slot = SlotAt(wall, c.interval);
        EXPECT_EQ(slot.label, c.label) << c.interval;
        EXPECT_EQ(slot.nanosToEnd, c.nanosToEnd) << c.interval;
    }
    // 7 s does not divide a day: its last slot starts at 23:59:54 and ends at midnight.
    RowSlot last = SlotAt(wall + 2 * kNanosPerSecond, 7);
    EXPECT_EQ(last.label, (RowLabel{2026, 12, 31, 23, 59, 54}));
    EXPECT_EQ(last.nanosToEnd, 4'750'000'000);
    EXPECT_EQ(LogFileName({2027, 1, 1, 0, 0, 0}), "vorlix_report202701.log");
    EXPECT_EQ(RowText({2026, 2, 3, 4, 5, 6}, {5000000000, 281474976710655}),
              "20260203,040506,5000000000,281474976710655\r\n");
}

}  // namespace
}  // namespace zintor
