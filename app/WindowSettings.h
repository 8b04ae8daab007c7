// What the window keeps in the settings file, and the names it keeps it under, all in the
// section Settings: the last log opened (LogFile), and the window's switches and place
// (IsTopMost, IsSideMenu, IsZoomed, Position), which are read together when the window starts
// and written together when it closes.
#pragma once

#include <string>
#include <string_view>

#include "app/window/WindowPlacement.h"
#include "platform/Failure.h"
#include "platform/SettingsFile.h"

namespace zintor {

constexpr std::string_view kSettingsSection = "Settings";
constexpr std::string_view kLogFileKey = "LogFile";
constexpr std::string_view kTopMostKey = "IsTopMost";
constexpr std::string_view kSideMenuKey = "IsSideMenu";
constexpr std::string_view kZoomedKey = "IsZoomed";
constexpr std::string_view kPositionKey = "Position";

// The switches and the place of the window: what a closing window saves.
struct WindowState {
    bool topMost = true;
    bool sideMenu = false;
    bool zoomed = false;
    WindowPlacement placement;
};

// What a starting window reads.
struct WindowSettings : WindowState {
    bool placed = false;  // placement holds a saved Position
    std::string logFile;  // empty until a log is opened
};

// Reads key of the Settings section into placement: 0 when the text is empty or does not
// hold ten integers, 1 otherwise.
int ReadWindowPlacement(const SettingsValues& settings, WindowPlacement& placement,
                        std::string_view key);

// The window's settings from one read of the file; a key that is missing reads as on a first
// start.
WindowSettings ReadWindowSettings(const SettingsFile& settings);

// A closing window's switches and place in one write, in the order IsTopMost, IsSideMenu,
// IsZoomed, Position (0 or 1 for a switch). LogFile is written when a log is opened, not here.
Failure SaveWindowSettings(SettingsFile& settings, const WindowState& closing);

}  // namespace zintor
