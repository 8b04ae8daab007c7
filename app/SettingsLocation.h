// Where the settings file lives: beside the program, named after it ("zintor.ini"), as long
// as the program's folder lets the user keep it there. An installation that the user cannot
// write to (a system-wide one) keeps each user's settings in their configuration folder
// instead, so that the window still comes back where it was left.
#pragma once

#include <string>

namespace zintor {

// besideProgram is the path beside the program ("/opt/zintor/zintor.ini"). Returns it when
// that file can be written (or created), else $XDG_CONFIG_HOME/zintor/<its file name>, or
// $HOME/.config/zintor/<its file name>, creating the folder; besideProgram again when
// neither can be made.
std::string SettingsFileLocation(const std::string& besideProgram);

// The same file for a run that only reads the settings: no folder is made, and a missing
// configuration folder leaves besideProgram.
std::string SettingsFileToRead(const std::string& besideProgram);

}  // namespace zintor
