// The monthly allowance in the settings file: MonthlyAllowance (bytes, with an optional unit
// K, M, G or T in powers of 1024; empty or 0 for none) and AllowanceCounts (received, sent or
// both), in the section Settings.
#pragma once

#include <string>
#include <string_view>

#include "platform/SettingsFile.h"
#include "report/Allowance.h"

namespace zintor {

constexpr std::string_view kAllowanceKey = "MonthlyAllowance";
constexpr std::string_view kAllowanceCountsKey = "AllowanceCounts";

// The plan the settings hold: none when MonthlyAllowance is missing, empty, 0 or not an
// amount ParseAllowanceBytes reads.
AllowancePlan ReadAllowancePlan(const SettingsValues& settings);

// The plan of the settings file beside the program at modulePath (or in the user's
// configuration folder), read without writing or making anything: what the command-line
// run and --all set their pages against.
AllowancePlan ReadProgramAllowance(const std::string& modulePath);

}  // namespace zintor
