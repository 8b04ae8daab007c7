// Starting the window: the window module beside the program is loaded only now, so that a
// command-line run never loads the toolkit.
#pragma once

#include <iosfwd>
#include <string>

namespace zintor {

// The module's file name, beside the program.
constexpr const char* kWindowModuleName = "zintor_gui.so";

// Runs the window until it closes and returns the exit status: 1 with a line on err when
// there is no display or the module cannot be loaded. With logToShow the window opens on
// that report log, which becomes the last log opened.
int RunWindow(const char* programName, std::ostream& err, const std::string& logToShow = {});

}  // namespace zintor
