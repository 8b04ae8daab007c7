// The desktop notice when new rows take the running month past 80 % or 100 % of the monthly
// allowance, and the window's View > Monthly Allowance... command that sets it.
#include "app/gui/AllowanceNotice.h"

#include <ctime>

#include <wx/log.h>
#include <wx/notifmsg.h>
#include <wx/utils.h>

#include "app/AllowanceSettings.h"
#include "app/WindowSettings.h"
#include "app/gui/AllowanceDlg.h"
#include "app/gui/ReportDlg.h"
#include "app/gui/Utf8Text.h"
#include "app/window/PageUrl.h"
#include "html/ValueFormat.h"

namespace zintor {
namespace {

std::string Bare(const std::u16string& text) {
    std::string out;
    for (char16_t c : text)
        if (c != u' ' || !out.empty()) out += static_cast<char>(c);
    return out;
}

}  // namespace

std::string AllowanceNoticeTitle(AllowanceLevel level, int uiLanguage) {
    if (level == AllowanceLevel::kOver100)
        return uiLanguage == 0 ? "月間の上限を超えました" : "Monthly allowance used up";
    return uiLanguage == 0 ? "月間の上限の 80% に達しました" : "80% of the monthly allowance used";
}

std::string AllowanceNoticeText(const MonthGlance& g, int uiLanguage) {
    const AllowanceUse& use = g.allowance;
    std::string used = Bare(FormatSize(static_cast<std::int64_t>(use.used), 0));
    std::string of = Bare(FormatSize(static_cast<std::int64_t>(use.plan.bytes), 0));
    std::string left = Bare(FormatSize(static_cast<std::int64_t>(use.left), 0));
    std::string share = Bare(FormatShare(static_cast<std::int64_t>(use.used),
                                         static_cast<std::int64_t>(use.plan.bytes)));
    if (uiLanguage == 0)
        return std::to_string(g.year) + "年" + std::to_string(g.month) + "月: " + of + " のうち " +
               used + " (" + share + ") を使用、残り " + left;
    return used + " of " + of + " (" + share + ") used this month, " + left + " left";
}

void CReportDlg::ChangeAllowance() {
    AllowanceDlg dialog(this, uiLanguage_, allowance_);
    if (dialog.ShowModal() != wxID_OK) return;
    settings_.Write(kSettingsSection,
                    {{kAllowanceKey, dialog.AmountText()},
                     {kAllowanceCountsKey, std::string(AllowanceCountsWord(dialog.Counts()))}});
    allowance_ = ReadAllowancePlan(settings_.Read());
    report_.SetAllowance(allowance_);
    wxBusyCursor wait;
    navigator_.RegenerateFollowedLog();
}

void CReportDlg::NoteAllowance(const std::string& url) {
    AllowanceReading reading;
    reading.page = url;
    if (!PathOfFileUrl(url).empty()) {  // a page, not the message page
        MonthGlance glance = report_.Glance();
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        reading.month = glance.year * 100 + glance.month;
        reading.current = reading.month == (local.tm_year + 1900) * 100 + local.tm_mon + 1;
        reading.set = glance.hasAllowance;
        reading.level = glance.allowance.level;
        if (follower_.Appending()) {
            AllowanceLevel told = allowanceCrossing_.Appended(reading);
            if (told != AllowanceLevel::kBelow80) {
                wxNotificationMessage notice(
                    FromUtf8(AllowanceNoticeTitle(told, uiLanguage_)),
                    FromUtf8(AllowanceNoticeText(glance, uiLanguage_)), this,
                    told == AllowanceLevel::kOver100 ? wxICON_WARNING : wxICON_INFORMATION);
                wxLogNull quiet;  // a desktop without the service shows nothing, and says nothing
                notice.Show();
            }
            return;
        }
    }
    allowanceCrossing_.Seen(reading);
}

}  // namespace zintor
