// Month and weekday names and the shared labels, in both languages.
#include "report/PageTexts.h"

#include "html/ValueFormat.h"

namespace zintor {
namespace {
constexpr std::u16string_view kMonths[13] = {u"---", u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                             u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr std::u16string_view kWeekdays[14] = {u"日",  u"月",  u"火",  u"水",  u"木",
                                               u"金",  u"土",  u"Sun", u"Mon", u"Tue",
                                               u"Wed", u"Thu", u"Fri", u"Sat"};

// 2024年03月 合計, or Total Mar.2024: the total label of the month-wide tables.
std::u16string MonthTotalLabel(const ReportMonth& m) {
    if (m.English()) return Join(u"Total ", MonthAbbreviation(m.month), u".", Decimal(m.year, 4));
    return Join(Decimal(m.year, 4), u"年", Decimal(m.month, 2), u"月 合計");
}

}  // namespace

std::u16string_view MonthAbbreviation(int month) {
    return kMonths[month >= 1 && month <= 12 ? month : 0];
}

std::u16string_view WeekdayName(int language, int weekday) {
    return kWeekdays[(language == 0 ? 0 : 7) + (weekday >= 0 && weekday <= 6 ? weekday : 0)];
}

std::u16string PageTitle(const ReportMonth& m) {
    if (m.English())
        return Join(u"Traffic Report - ", MonthAbbreviation(m.month), u".", Decimal(m.year, 4));
    return Join(u"Traffic Report - ", Decimal(m.year, 4), u"年", Decimal(m.month, 2), u"月");
}

std::u16string MonthTableTitle(const ReportMonth& m, std::u16string_view english,
                               std::u16string_view japanese) {
    if (m.English()) return Join(english, MonthAbbreviation(m.month), u".", Decimal(m.year, 4));
    return Join(Decimal(m.year, 4), u"年", Decimal(m.month, 2), u"月", japanese);
}

std::u16string MonthNameTag(const ReportMonth& m, std::u16string_view suffix) {
    return Join(Decimal(m.year, 4), u"-", Decimal(m.month, 2), suffix);
}

void CloseWithMonthTotals(const ReportMonth& m, TableLayout& table) {
    table.shareSend = table.totalSend = m.figures.monthSend;
    table.shareRecv = table.totalRecv = m.figures.monthRecv;
    table.totalLabel = MonthTotalLabel(m);
    table.speedSend = m.figures.monthSend;
    table.speedRecv = m.figures.monthRecv;
    table.captureSeconds = m.figures.monthCapture;
}

std::u16string HourLabel(const ReportMonth& m, int hour) {
    std::u16string h = Decimal(hour, 2);
    if (m.English()) return Join(h, u":00 - ", h, u":59");
    return Join(h, u":00～", h, u":59");
}

}  // namespace zintor
