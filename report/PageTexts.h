// Names and labels that the page and several of its tables share.
#pragma once

#include <string>
#include <string_view>

#include "report/MonthFigures.h"
#include "report/TableFrame.h"

namespace zintor {

// What a report run knows when it writes its tables.
struct ReportMonth {
    const MonthFigures& figures;
    int year;
    int month;
    int language;  // 0 Japanese, 1 English

    bool English() const { return language != 0; }
};

// "Jan" .. "Dec" for months 1 to 12, "---" otherwise.
std::u16string_view MonthAbbreviation(int month);

// "日" .. "土" in Japanese, "Sun" .. "Sat" in English; weekday 0 is Sunday.
std::u16string_view WeekdayName(int language, int weekday);

// Traffic Report - 2024年03月, or Traffic Report - Mar.2024.
std::u16string PageTitle(const ReportMonth& m);

// The heading of a table over the whole month: 2024年03月 + japanese, or english + Mar.2024.
std::u16string MonthTableTitle(const ReportMonth& m, std::u16string_view english,
                               std::u16string_view japanese);

// The anchor name of a table over the whole month: 2024-03 + suffix ("-day", "-week", ...).
std::u16string MonthNameTag(const ReportMonth& m, std::u16string_view suffix);

// The closing rows of a table over the whole month: the month's totals (which its row shares
// are shares of), then the month's capture time and the month's average speed.
void CloseWithMonthTotals(const ReportMonth& m, TableLayout& table);

// 03:00～03:59, or 03:00 - 03:59: the label of an hour row.
std::u16string HourLabel(const ReportMonth& m, int hour);

// Concatenation of texts, for building labels.
template <typename... Parts>
std::u16string Join(const Parts&... parts) {
    std::u16string out;
    (out.append(parts), ...);
    return out;
}

}  // namespace zintor
