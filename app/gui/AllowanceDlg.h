// View > Monthly Allowance...: the allowance as a number and a unit, and what it counts, or
// none; and the desktop notice when new rows take the running month past 80 % or 100 % of it.
#pragma once

#include <string>

#include <wx/dialog.h>

#include "report/Allowance.h"
#include "report/MonthGlance.h"

class wxChoice;
class wxTextCtrl;

namespace zintor {

class AllowanceDlg : public wxDialog {
  public:
    AllowanceDlg(wxWindow* parent, int uiLanguage, const AllowancePlan& current);

    // After OK: the setting's text ("500G", "1.5T"; "" for none) and what it counts.
    std::string AmountText() const { return amount_; }
    AllowanceCounts Counts() const { return counts_; }

  private:
    void OnOk(wxCommandEvent& event);
    void OnNone(wxCommandEvent& event);

    int language_;
    wxTextCtrl* number_ = nullptr;
    wxChoice* unit_ = nullptr;
    wxChoice* counts_choice_ = nullptr;
    std::string amount_;
    AllowanceCounts counts_ = AllowanceCounts::kBoth;
};

// The title and text of the notice for level (kFrom80 or kOver100) of the month in glance.
std::string AllowanceNoticeTitle(AllowanceLevel level, int uiLanguage);
std::string AllowanceNoticeText(const MonthGlance& glance, int uiLanguage);

}  // namespace zintor
