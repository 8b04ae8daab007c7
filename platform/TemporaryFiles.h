// The temporary files being written beside a page or the settings file, which a signal that
// ends the program must not leave behind: Ctrl+C, SIGTERM or SIGHUP during a run remove them
// before the program ends as the signal would have ended it.
#pragma once

#include <string>

namespace zintor {

// Makes a new file from pattern, a path ending in "XXXXXX" that becomes the file's name, open
// for writing, and remembers it as a temporary file to remove should a signal end the
// program; no such signal comes between the two. The descriptor, or -1 with errno set. token
// receives the token for ForgetTemporaryFile, or -1 when no more files can be remembered (the
// file is then only removed the usual way).
int MakeTemporaryFile(std::string& pattern, int& token);
void ForgetTemporaryFile(int token);

// From now on SIGINT, SIGTERM and SIGHUP remove the temporary files and then end the program
// as they would have (a signal the program was started to ignore stays ignored).
void RemoveTemporaryFilesOnSignals();

}  // namespace zintor
