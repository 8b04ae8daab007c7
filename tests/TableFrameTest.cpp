// Bar scale and bar lengths of the tables.
#include "report/TableFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace zintor {
namespace {

constexpr std::int64_t MB = 1024 * 1024;

TEST(TableFrame, BarScaleIsTheSmallestPowerOfTwoKeepingBarsWithin150) {
    struct Case {
        std::vector<std::int64_t> bytes;
        std::uint32_t scale;
    };
    const Case cases[] = {
        {{}, 1},
        {{0, 0}, 1},
        {{150 * MB}, 1},
        {{150 * MB + MB - 1}, 1},  // still 150 whole megabytes
        {{151 * MB}, 2},
        {{300 * MB}, 2},
        {{301 * MB}, 2},
        {{302 * MB}, 4},
        {{100 * MB, 1000 * MB, 3}, 8},
        {{4294967295LL * MB}, 1u << 21},  // the doubling stops at 2^21
        {{(1LL << 32) * MB}, 1},          // only the low 32 bits of the megabytes count
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarScale(c.bytes), c.scale) << (c.bytes.empty() ? 0 : c.bytes[0] / MB);
}

TEST(TableFrame, BarTextDividesByTheScaleAndStopsAt200) {
    struct Case {
        std::uint32_t megabytes, scale;
        const char* text;
    };
    const Case cases[] = {
        {0, 1, "0"},     {150, 1, "150"}, {300, 2, "150"}, {301, 2, "150"},         {302, 4, "75"},
        {200, 1, "200"}, {201, 1, "200"}, {250, 1, "200"}, {4294967295u, 1, "200"}, {1, 2, "0"},
    };
    for (const auto& c : cases) {
        std::u16string text = BarText(c.megabytes, c.scale);
        EXPECT_EQ(std::string(text.begin(), text.end()), c.text) << c.megabytes << '/' << c.scale;
    }
}

TEST(TableFrame, WholeMegabytesTruncate) {
    EXPECT_EQ(WholeMegabytes(MB - 1), 0u);
    EXPECT_EQ(WholeMegabytes(3000000000LL), 2861u);
    EXPECT_EQ(WholeMegabytes((1LL << 52) + 5 * MB), 5u);
}

}  // namespace
}  // namespace zintor
