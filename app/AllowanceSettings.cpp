// Reading the allowance keys.
#include "app/AllowanceSettings.h"

#include "app/SettingsLocation.h"
#include "app/WindowSettings.h"
#include "platform/PathParts.h"

namespace zintor {

AllowancePlan ReadAllowancePlan(const SettingsValues& settings) {
    AllowancePlan plan;
    std::string amount = settings.ReadString(kSettingsSection, kAllowanceKey, "");
    if (!ParseAllowanceBytes(amount, plan.bytes)) return {};
    plan.counts =
        ParseAllowanceCounts(settings.ReadString(kSettingsSection, kAllowanceCountsKey, ""));
    return plan;
}

AllowancePlan ReadProgramAllowance(const std::string& modulePath) {
    SettingsFile file(SettingsFileToRead(ReplaceExtension(modulePath, ".ini")));
    return ReadAllowancePlan(file.Read());
}

}  // namespace zintor
