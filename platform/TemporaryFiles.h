// The temporary files being written beside a page or the settings file, which a signal that
// ends the program must not leave behind: Ctrl+C, SIGTERM or SIGHUP during a run remove them
// before the program ends as the signal would have ended it.
#pragma once

#include <string>

namespace zintor {

// Remembers path as a temporary file to remove should a signal end the program; a token for
// ForgetTemporaryFile, or -1 when no more can be remembered (the file is then only removed
// the usual way).
int RememberTemporaryFile(const std::string& path);
void ForgetTemporaryFile(int token);

// Removes every temporary file remembered. Safe to call from a signal handler.
void RemoveTemporaryFiles();

// From now on SIGINT, SIGTERM and SIGHUP remove the temporary files and then end the program
// as they would have (a signal the program was started to ignore stays ignored).
void RemoveTemporaryFilesOnSignals();

}  // namespace zintor
