// Opening the files that are read whole: report logs, templates and the settings file. Only
// a regular file, or a link to one, is read. A FIFO, a device or a socket in their place is
// refused without waiting on it, so that a pipe without a writer cannot hang the program and
// a device that never ends (/dev/zero) cannot fill its memory.
#pragma once

#include <sys/stat.h>

#include <string>

namespace zintor {

// The error of anything else than a regular file, a folder included; an errno value
// otherwise.
constexpr int kNotARegularFile = -1;

// "not a regular file", or the system's text for an errno value.
std::string OpenErrorText(int error);

// Opens path for reading (close-on-exec, never blocking). Returns the descriptor, or -1 with
// error set. info, when given, receives the status of the file that was opened.
int OpenRegularFile(const std::string& path, int& error, struct stat* info = nullptr);

// True when path names a regular file or a link to one.
bool IsRegularFile(const std::string& path);

}  // namespace zintor
