// Gregorian calendar arithmetic on plain integers.
#pragma once

namespace zintor {

// Weekday of a date, 0 = Sunday .. 6 = Saturday. January and February count as months 13
// and 14 of the year before. The remainder keeps the sign of the sum, so a negative result
// is possible for year 0 (January, day 0); -1 for a month outside 1..12.
int DayOfWeek(int year, int month, int day);

// Number of days of the month, leap years included; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

}  // namespace zintor
