// Weekdays and month lengths.
#include "logs/Calendar.h"

#include <gtest/gtest.h>

namespace zintor {
namespace {

TEST(Calendar, DayOfWeekCountsFromSunday) {
    struct Case {
        int year, month, day, weekday;
    };
    const Case cases[] =
        {
            {2024, 1, 1, 1},   {2023, 12, 31, 0}, {2000, 2, 29, 2}, {2024, 3, 1, 5},
            {2089, 12, 31, 6}, {2024, 1, 5, 5},   {1990, 1, 1, 1},  {2026, 11, 1, 0},
            {0, 2, 1, 3},   // January and February of year 0 count as year -1
            {0, 1, 0, -1},  // ... where day 0 of January sums to -1
            {2024, 0, 1, -1},  {2024, 13, 1, -1},  // no month, no weekday
        };
    for (const auto& c : cases)
        EXPECT_EQ(DayOfWeek(c.year, c.month, c.day), c.weekday)
            << c.year << '-' << c.month << '-' << c.day;
}

TEST(Calendar, DayOfWeekAgreesWithAPlainDayCountOverTwoCenturies) {
    int weekday = 1;  // 1 January 1900 was a Monday
    for (int year = 1900; year < 2100; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInMonth(year, month); ++day, weekday = (weekday + 1) % 7)
                ASSERT_EQ(DayOfWeek(year, month, day), weekday)
                    << year << '-' << month << '-' << day;
}

TEST(Calendar, DaysInMonthKnowsLeapYears) {
    struct Case {
        int year, month, days;
    };
    const Case cases[] = {
        {2024, 2, 29}, {2023, 2, 28},  {2000, 2, 29}, {1900, 2, 28}, {0, 2, 29},
        {2024, 4, 30}, {2024, 12, 31}, {2024, 1, 31}, {2024, 0, 0},  {2024, 13, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << '-' << c.month;
}

}  // namespace
}  // namespace zintor
