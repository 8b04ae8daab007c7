// The window's keys of the settings file.
#include "app/WindowSettings.h"

namespace zintor {

int ReadWindowPlacement(const SettingsValues& settings, WindowPlacement& placement,
                        std::string_view key) {
    std::string text = settings.ReadString(kSettingsSection, key, "");
    if (text.empty()) return 0;
    return ParseWindowPlacement(text, placement) ? 1 : 0;
}

WindowSettings ReadWindowSettings(const SettingsFile& settings) {
    SettingsValues values = settings.Read();
    WindowSettings saved;
    saved.logFile = values.ReadString(kSettingsSection, kLogFileKey, "");
    saved.topMost = values.ReadInt(kSettingsSection, kTopMostKey, 1) != 0;
    saved.sideMenu = values.ReadInt(kSettingsSection, kSideMenuKey, 0) != 0;
    saved.zoomed = values.ReadInt(kSettingsSection, kZoomedKey, 0) != 0;
    saved.placed = ReadWindowPlacement(values, saved.placement, kPositionKey) == 1;
    return saved;
}

Failure SaveWindowSettings(SettingsFile& settings, const WindowState& closing) {
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return settings.Write(kSettingsSection,
                          {{kTopMostKey, flag(closing.topMost)},
                           {kSideMenuKey, flag(closing.sideMenu)},
                           {kZoomedKey, flag(closing.zoomed)},
                           {kPositionKey, FormatWindowPlacement(closing.placement)}});
}

}  // namespace zintor
