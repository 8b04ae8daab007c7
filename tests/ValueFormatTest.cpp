// Sizes, rates, durations and shares as the page prints them.
#include "html/ValueFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace zintor {
namespace {

std::string Ascii(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(ValueFormat, SizesPickTheirUnitByTheTruncatedKilobytes) {
    struct Case {
        std::int64_t bytes;
        int unit;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "      0.0 KB"},
        {0, 1, "      0.0 KB"},
        {0, 2, "      0.0 MB"},
        {0, 3, "     0.00 GB"},
        {1023, 0, "      1.0 KB"},
        {1048576, 0, "   1024.0 KB"},  // exactly 1024 KB stays in KB
        {1025 * 1024, 0, "      1.0 MB"},
        {1025 * 1024 - 1, 0, "   1025.0 KB"},  // truncates to 1024 KB
        {1LL << 30, 0, "   1024.0 MB"},
        {(1LL << 30) + 1024, 0, "     1.00 GB"},
        {1LL << 40, 0, "  1024.00 GB"},
        {(1LL << 40) + 1024, 0, "     1.00 TB"},
        {INT64_MAX, 0, "8388608.00 TB"},  // the field widens
        {3LL << 29, 0, "     1.50 GB"},
        {3LL << 29, 3, "     1.50 GB"},
        {3LL << 29, 2, "   1536.0 MB"},
        {3LL << 29, 1, "1572864.0 KB"},
        {1LL << 30, 1, "1048576.0 KB"},
        {1024 * 1024 + 1023, 2, "      1.0 MB"},  // bytes below a whole KB are dropped first
        {1280, 0, "      1.2 KB"},                // 1.25 rounds half to even
        {1280 + 1024, 0, "      2.2 KB"},         // 2.25 likewise
        {1536, 0, "      1.5 KB"},
        {-1, 0, "     -0.0 KB"},  // negative counts stay in KB
        {-5000, 0, "     -4.9 KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ascii(FormatSize(c.bytes, c.unit)), c.text) << c.bytes << " unit " << c.unit;
}

TEST(ValueFormat, RatesHaveFixedUnits) {
    struct Case {
        double rate;
        int unit;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "     0.00 KB/s"},          {0, 1, "    0.000 MB/s"},
        {0, 2, "     0.00 Kbps"},          {0, 3, "    0.000 Mbps"},
        {1048576, 0, "  1024.00 KB/s"},    {1048576, 1, "    1.000 MB/s"},
        {1048576, 2, "  8192.00 Kbps"},    {1048576, 3, "    8.000 Mbps"},
        {1000.0 / 3, 0, "     0.33 KB/s"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ascii(FormatRate(c.rate, c.unit)), c.text) << c.rate << " unit " << c.unit;
}

// Fixed notation must round exactly as printf does, for any value: sizes are formatted with
// integer arithmetic, every remainder of a kilobyte (the halves among them) included.
TEST(ValueFormat, RoundsLikePrintf) {
    char expected[64];
    for (std::int64_t bytes = 0; bytes < 3 * 1024; ++bytes) {
        std::snprintf(expected, sizeof expected, "%9.1lf KB", static_cast<double>(bytes) / 1024.0);
        ASSERT_EQ(Ascii(FormatSize(bytes, 1)), expected);
        std::snprintf(expected, sizeof expected, "%9.2lf GB",
                      static_cast<double>(bytes << 10) / 1048576.0);
        ASSERT_EQ(Ascii(FormatSize(bytes << 20, 3)), expected);
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::int64_t bytes = static_cast<std::int64_t>(random() >> (random() % 63));
        std::snprintf(expected, sizeof expected, "%9.1lf KB", static_cast<double>(bytes) / 1024.0);
        ASSERT_EQ(Ascii(FormatSize(bytes, 1)), expected);
        std::snprintf(expected, sizeof expected, "%9.2lf GB",
                      static_cast<double>(bytes / 1024) / 1048576.0);
        ASSERT_EQ(Ascii(FormatSize(bytes, 3)), expected);
        double rate = static_cast<double>(bytes) / static_cast<double>(1 + random() % 100000);
        std::snprintf(expected, sizeof expected, "%9.3lf Mbps", rate / 131072);
        ASSERT_EQ(Ascii(FormatRate(rate, 3)), expected);
    }
}

TEST(ValueFormat, DurationsInBothLanguages) {
    struct Case {
        std::uint32_t seconds;
        std::u16string japanese;
        std::u16string english;
    };
    const Case cases[] = {
        {0, u"00秒", u"00s "},
        {59, u"59秒", u"59s "},
        {60, u"01分00秒", u"01m 00s "},
        {3599, u"59分59秒", u"59m 59s "},
        {3600, u"1時間00分00秒", u"1h 00m 00s "},
        {25 * 3600 + 61, u"25時間01分01秒", u"25h 01m 01s "},
        {4294967295u, u"1193046時間28分15秒", u"1193046h 28m 15s "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDuration(c.seconds, 0), c.japanese) << c.seconds;
        EXPECT_EQ(FormatDuration(c.seconds, 1), c.english) << c.seconds;
    }
}

TEST(ValueFormat, SharesOfATotal) {
    struct Case {
        std::int64_t part, whole;
        const char* text;
    };
    const Case cases[] = {
        {1, 8, "12.5%"}, {8, 8, "100.0%"},  {0, 8, "0.0%"},    {0, 0, "0.0%"},     {1, 4, "25.0%"},
        {1, 3, "33.3%"}, {1, 1000, "0.1%"}, {1, 2000, "0.1%"}, {1, 20000, "0.0%"}, {2, 3, "66.7%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ascii(FormatShare(c.part, c.whole)), c.text) << c.part << '/' << c.whole;
}

TEST(ValueFormat, DecimalPadsWithZeros) {
    EXPECT_EQ(Decimal(5, 2), u"05");
    EXPECT_EQ(Decimal(2024, 4), u"2024");
    EXPECT_EQ(Decimal(7, 4), u"0007");
    EXPECT_EQ(Decimal(123, 2), u"123");
    EXPECT_EQ(Decimal(0), u"0");
}

}  // namespace
}  // namespace zintor
