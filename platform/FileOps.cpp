// The real system calls behind FileOps, and the test override.
#include "platform/FileOps.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace zintor {
namespace {

int SystemOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const FileOps kSystemOps = {SystemOpen, ::write, ::fsync, ::close, ::rename, ::unlink};
const FileOps* current = &kSystemOps;

}  // namespace

const FileOps& CurrentFileOps() { return *current; }

ScopedFileOps::ScopedFileOps(const FileOps& ops) : previous_(current) { current = &ops; }
ScopedFileOps::~ScopedFileOps() { current = previous_; }
const FileOps& ScopedFileOps::System() { return kSystemOps; }

}  // namespace zintor
