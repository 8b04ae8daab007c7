// The allowance notices across live appends: each level once per month, only for the
// running month, never for a page shown on another road.
#include "app/window/AllowanceCrossing.h"

#include <gtest/gtest.h>

#include <vector>

namespace zintor {
namespace {

constexpr auto B = AllowanceLevel::kBelow80;
constexpr auto W = AllowanceLevel::kFrom80;
constexpr auto O = AllowanceLevel::kOver100;

struct Step {
    bool appended;  // new rows, else a page shown on another road
    const char* page;
    int month;
    bool current;
    AllowanceLevel level;
    AllowanceLevel told;  // what Appended gives (B: nothing)
};

TEST(AllowanceCrossing, EachLevelOncePerMonthAcrossAppends) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"80 % then 100 %, once each",
         {{false, "a", 202612, true, B, B},
          {true, "a", 202612, true, B, B},
          {true, "a", 202612, true, W, W},
          {true, "a", 202612, true, W, B},
          {true, "a", 202612, true, O, O},
          {true, "a", 202612, true, O, B}}},
        {"both at once tells of 100 % alone",
         {{false, "a", 202612, true, B, B}, {true, "a", 202612, true, O, O}}},
        {"a refresh never tells",
         {{false, "a", 202612, true, B, B}, {false, "a", 202612, true, W, B}}},
        {"a past month never tells",
         {{false, "a", 202611, false, B, B}, {true, "a", 202611, false, W, B}}},
        {"the first page after start is not a crossing", {{true, "a", 202612, true, W, B}}},
        {"another page shown in between sets the level to compare with",
         {{false, "a", 202612, true, B, B},
          {false, "b", 202612, true, W, B},
          {true, "b", 202612, true, W, B},
          {true, "b", 202612, true, O, O}}},
        {"a level told is not told again after the allowance changed",
         {{false, "a", 202612, true, B, B},
          {true, "a", 202612, true, W, W},
          {false, "a", 202612, true, B, B},  // a larger allowance set
          {true, "a", 202612, true, W, B},
          {true, "a", 202612, true, O, O}}},
        {"a new month tells again",
         {{false, "a", 202612, true, B, B},
          {true, "a", 202612, true, W, W},
          {false, "n", 202701, true, B, B},
          {true, "n", 202701, true, W, W}}},
        {"without an allowance nothing is told",
         {{false, "a", 202612, true, B, B}, {true, "-", 202612, true, O, B}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AllowanceCrossing crossing;
        int i = 0;
        for (const Step& s : c.steps) {
            bool set = std::string(s.page) != "-";
            AllowanceReading reading{set ? s.page : "a", s.month, s.current, set, s.level};
            if (s.appended)
                EXPECT_EQ(crossing.Appended(reading), s.told) << "step " << i;
            else
                crossing.Seen(reading);
            ++i;
        }
    }
}

}  // namespace
}  // namespace zintor
