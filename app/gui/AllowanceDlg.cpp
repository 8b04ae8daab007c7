// The allowance dialog, its place in the window (the View menu's command, the page written
// again) and the notices of the running month.
#include "app/gui/AllowanceDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/AllowanceSettings.h"
#include "app/gui/Utf8Text.h"

namespace zintor {
namespace {

constexpr const char* kUnitLetters[] = {"", "K", "M", "G", "T"};
constexpr const char* kUnitNames[] = {"bytes", "KB", "MB", "GB", "TB"};
constexpr int kNoneId = wxID_HIGHEST + 1;

struct Words {
    const char* title;
    const char* amount;
    const char* counts;
    const char* countsChoices[3];  // both, received, sent
    const char* none;
    const char* invalid;
};

const Words& WordsFor(int language) {
    static const Words kJapanese{
        "月間の上限",  "1 か月に使える量:",
        "数える通信:", {"送受信", "受信", "送信"},
        "上限なし",    "0 より大きい数を入力してください (例: 500、1.5)。"};
    static const Words kEnglish{"Monthly Allowance", "Allowance per month:",
                                "Counts:",           {"Sent and received", "Received", "Sent"},
                                "No Allowance",      "Enter a number above 0, such as 500 or 1.5."};
    return language == 0 ? kJapanese : kEnglish;
}

// The number and unit that show an allowance: the largest unit it is a whole number of.
void SplitAmount(std::uint64_t bytes, std::string& number, int& unit) {
    unit = 0;
    while (unit < 4 && bytes != 0 && bytes % 1024 == 0) {
        bytes /= 1024;
        ++unit;
    }
    number = bytes ? std::to_string(bytes) : std::string();
}

}  // namespace

AllowanceDlg::AllowanceDlg(wxWindow* parent, int uiLanguage, const AllowancePlan& current)
    : wxDialog(parent, wxID_ANY, FromUtf8(WordsFor(uiLanguage).title)), language_(uiLanguage) {
    const Words& words = WordsFor(uiLanguage);
    std::string number;
    int unit = 3;
    if (current.Set()) SplitAmount(current.bytes, number, unit);
    number_ = new wxTextCtrl(this, wxID_ANY, FromUtf8(number));
    unit_ = new wxChoice(this, wxID_ANY);
    for (const char* name : kUnitNames) unit_->Append(name);
    unit_->SetSelection(unit);
    counts_choice_ = new wxChoice(this, wxID_ANY);
    for (const char* name : words.countsChoices) counts_choice_->Append(FromUtf8(name));
    counts_choice_->SetSelection(current.counts == AllowanceCounts::kReceived ? 1
                                 : current.counts == AllowanceCounts::kSent   ? 2
                                                                              : 0);
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 8));
    grid->Add(new wxStaticText(this, wxID_ANY, FromUtf8(words.amount)), 0, wxALIGN_CENTER_VERTICAL);
    auto* amount = new wxBoxSizer(wxHORIZONTAL);
    amount->Add(number_, 1, wxRIGHT, 4);
    amount->Add(unit_);
    grid->Add(amount, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, FromUtf8(words.counts)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(counts_choice_, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kNoneId, FromUtf8(words.none)));
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK);
    ok->SetDefault();  // Enter in the number sets it
    buttons->Add(ok, 0, wxRIGHT, 4);
    buttons->Add(new wxButton(this, wxID_CANCEL));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 0, wxALL | wxEXPAND, 12);
    top->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 12);
    SetSizerAndFit(top);
    Bind(wxEVT_BUTTON, &AllowanceDlg::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &AllowanceDlg::OnNone, this, kNoneId);
    number_->SetFocus();
}

void AllowanceDlg::OnOk(wxCommandEvent&) {
    std::string text = number_->GetValue().utf8_string() + kUnitLetters[unit_->GetSelection()];
    std::uint64_t bytes = 0;
    if (!ParseAllowanceBytes(text, bytes)) {
        wxMessageBox(FromUtf8(WordsFor(language_).invalid), GetTitle(), wxOK | wxICON_WARNING,
                     this);
        return;
    }
    amount_ = text;
    int counts = counts_choice_->GetSelection();
    counts_ = counts == 1   ? AllowanceCounts::kReceived
              : counts == 2 ? AllowanceCounts::kSent
                            : AllowanceCounts::kBoth;
    EndModal(wxID_OK);
}

void AllowanceDlg::OnNone(wxCommandEvent&) {
    amount_.clear();
    EndModal(wxID_OK);
}

}  // namespace zintor
