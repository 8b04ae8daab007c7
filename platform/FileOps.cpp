// The real system calls behind FileOps, and the test override.
#include "platform/FileOps.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace zintor {
namespace {

const FileOps kSystemOps = {::mkostemp, ::write, ::fsync, ::close, ::rename, ::unlink};
const FileOps* current = &kSystemOps;

}  // namespace

const FileOps& CurrentFileOps() { return *current; }

ScopedFileOps::ScopedFileOps(const FileOps& ops) : previous_(current) { current = &ops; }
ScopedFileOps::~ScopedFileOps() { current = previous_; }
const FileOps& ScopedFileOps::System() { return kSystemOps; }

}  // namespace zintor
