// Rows for days 1 to the month's length; the bar scale looks at days 1 to 31.
#include "report/DailyTable.h"

#include <algorithm>

#include "html/ValueFormat.h"
#include "logs/Calendar.h"

namespace zintor {

std::u16string DayNameTag(int year, int month, int day) {
    return Join(Decimal(year, 4), u"-", Decimal(month, 2), u"-", Decimal(day, 2));
}

TableLayout DailyTable(const ReportMonth& m) {
    const MonthFigures& t = m.figures;
    TableLayout table;
    table.title = MonthTableTitle(m, u"Daily Reports ", u"の日別送受信量");
    table.nameTag = MonthNameTag(m, u"-day");
    table.dailyRows = true;

    int days = std::clamp(DaysInMonth(m.year, m.month), 1, 31);
    for (int day = 1; day <= days; ++day) {
        int weekday = DayOfWeek(m.year, m.month, day);
        TableRow row;
        row.nameTag = DayNameTag(m.year, m.month, day);
        row.label = m.English()
                        ? Join(Decimal(day, 2), u". (", WeekdayName(m.language, weekday), u")")
                        : Join(Decimal(m.month, 2), u"月", Decimal(day, 2), u"日 (",
                               WeekdayName(m.language, weekday), u")");
        row.send = t.daySend[day];
        row.recv = t.dayRecv[day];
        table.rows.push_back(std::move(row));
    }
    for (int day = 1; day <= 31; ++day) {
        table.scaleValues.push_back(t.daySend[day]);
        table.scaleValues.push_back(t.dayRecv[day]);
    }
    CloseWithMonthTotals(m, table);
    table.averageLabel = m.English() ? u"Average daily" : u"1日あたりの平均";
    return table;
}

}  // namespace zintor
