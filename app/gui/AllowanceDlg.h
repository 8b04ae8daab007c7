// View > Monthly Allowance...: the allowance as a number and a unit, and what it counts, or
// none.
#pragma once

#include <string>

#include <wx/dialog.h>

#include "report/Allowance.h"

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

}  // namespace zintor
