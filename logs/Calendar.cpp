// Weekday by month offsets, month lengths with the leap-year rule.
#include "logs/Calendar.h"

namespace zintor {
namespace {
constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}  // namespace

int DayOfWeek(int year, int month, int day) {
    if (month < 1 || month > 12) return -1;
    long long y = year;
    if (month < 3) --y;
    long long sum = y + y / 4 - y / 100 + y / 400 + kMonthOffset[month - 1] + day;
    return static_cast<int>(sum % 7);
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) return 29;
    return kMonthLength[month - 1];
}

}  // namespace zintor
