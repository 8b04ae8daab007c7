// Opening the files that are read whole: report logs, templates and the settings file. Only
// a regular file, or a link to one, is read. A FIFO, a device or a socket in their place is
// refused without waiting on it, so that a pipe without a writer cannot hang the program and
// a device that never ends (/dev/zero) cannot fill its memory.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "platform/Failure.h"

namespace zintor {

// Opens path for reading (close-on-exec, never blocking) into fd. A failure to read path when
// it cannot be opened or is anything else than a regular file (a folder included:
// Failure::kNotARegularFile). info, when given, receives the status of the file opened.
Failure OpenRegularFile(const std::string& path, int& fd, struct stat* info = nullptr);

// Reads up to size bytes of the file open at fd into buffer, again when a signal interrupts
// the read: how many, 0 at the end of the file, or -1 with errno set.
ssize_t ReadSome(int fd, char* buffer, std::size_t size);

// Steps over a hole of a sparse file (zeros the file system does not store): moves offset,
// and the file's position, to the next data at or after offset. False when the rest of the
// file is a hole.
bool SkipHole(int fd, off_t& offset);

// The whole regular file at path, when it holds at most maxBytes (EFBIG otherwise, also when
// it grows past them while it is read).
Failure ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// True when path names a regular file or a link to one.
bool IsRegularFile(const std::string& path);

}  // namespace zintor
