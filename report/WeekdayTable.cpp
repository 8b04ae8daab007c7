// Seven rows, Sunday first.
#include "report/WeekdayTable.h"

#include "html/ValueFormat.h"

namespace zintor {

TableLayout WeekdayTable(const ReportMonth& m) {
    const MonthFigures& t = m.figures;
    TableLayout table;
    table.title = MonthTableTitle(m, u"Weekly Reports ", u"の曜日別送受信量");
    table.nameTag = MonthNameTag(m, u"-week");
    for (int w = 0; w < 7; ++w) {
        TableRow row;
        row.label = m.English() ? std::u16string(WeekdayName(m.language, w))
                                : Join(WeekdayName(m.language, w), u"曜日");
        row.send = t.weekdaySend[w];
        row.recv = t.weekdayRecv[w];
        table.rows.push_back(std::move(row));
        table.scaleValues.push_back(t.weekdaySend[w]);
        table.scaleValues.push_back(t.weekdayRecv[w]);
    }
    CloseWithMonthTotals(m, table);
    return table;
}

}  // namespace zintor
