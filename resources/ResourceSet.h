// The two resource sets of the program, Japanese and English: window and box captions,
// menus and the program's other fixed texts. The menus' keys are the window's own
// (app/gui/Shortcuts.h).
// The user-interface language (0 Japanese, 1 English) picks the set.
#pragma once

#include <array>
#include <string_view>

#include "resources/Version.h"

namespace zintor {

// Command ids of the main window.
enum CommandId : int {
    kCmdOpenLogFiles = 32773,
    kCmdExit = 32774,
    kCmdAbout = 32775,
    kCmdTopMost = 32776,
    kCmdSideMenu = 32777,
    kCmdCollapseAll = 32778,
    kCmdExpandAll = 32779,
    kCmdRefresh = 32780,      // View > Refresh, F5: the shown log's page written and shown again
    kCmdAllowance = 32781,    // View > Monthly Allowance...: set or clear the allowance
    kCmdFirstReport = 32869,  // posted by the start-up timer
};

// The toolkit takes menu ids below 32767 only: commands travel as their id less this.
constexpr int kToolkitIdOffset = 30000;
constexpr int ToolkitId(int command) { return command - kToolkitIdOffset; }
constexpr int CommandOfToolkitId(int id) { return id + kToolkitIdOffset; }

struct MenuItemText {
    int id;                  // 0 for a separator
    std::string_view label;  // "&" marks the mnemonic
};

struct MenuText {
    std::string_view title;
    std::array<MenuItemText, 5> items;  // unused places have id 0 and an empty label
    int count;
};

struct ResourceSet {
    std::string_view windowCaption;  // main window
    std::string_view aboutCaption;   // About box
    std::array<MenuText, 3> menus;   // File, View, Help
    std::string_view hint;           // the message page's text
    std::string_view openDialogTitle;
    std::string_view toolTips[3];  // collapse all, expand all, side menu
};

// The set for a user-interface language (0 Japanese, anything else English).
const ResourceSet& ResourcesFor(int uiLanguage);

// Texts shared by both sets.
constexpr std::string_view kVersionLabel = "Version " ZINTOR_PROGRAM_VERSION;
constexpr std::string_view kTemplateNotFound = "Template File is Not Found.";
constexpr std::string_view kCouldNotOpen = "Could not Open.";
constexpr std::string_view kCreditLine = "Copyright (C) 2026 the zintor developers";
constexpr std::string_view kOpenDialogFilter =
    "Log Files (vorlix_report*.log)|vorlix_report*.log;|All Files (*.*)|*.*||";
// The page the About box's link opens, shipped beside the program.
constexpr std::string_view kHelpPageName = "zintor-help.html";

}  // namespace zintor
