// Choosing the folder of a log's page by what the window may write.
#include "app/window/PageLocation.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "report/ReportGenerator.h"

namespace zintor {
namespace {

constexpr std::size_t kMaxNameStem = 64;

// FNV-1a, 64 bits: the same path gives the same name on every run.
std::uint64_t PathHash(const std::string& path) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : path) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

}  // namespace

bool FolderWritable(const std::string& folder) { return MayWrite(folder); }

std::string CachedPageName(const std::string& absolutePath) {
    std::string stem = ReplaceExtension(FileNameOf(absolutePath), "").substr(0, kMaxNameStem);
    char hash[24];
    std::snprintf(hash, sizeof hash, "-%016llx",
                  static_cast<unsigned long long>(PathHash(absolutePath)));
    return stem + hash + ".html";
}

Failure PageLocation::PlacePage(const std::string& logPath, std::string& page) const {
    page = ReportGenerator::PagePathOf(logPath);
    if (writable_(FolderOf(logPath))) return {};
    // No home to keep a cache in: the page beside the log cannot be written.
    if (cacheFolder_.empty()) return {Failure::kWrite, page, EACCES};
    std::error_code error;
    std::filesystem::path whole = std::filesystem::absolute(logPath, error).lexically_normal();
    std::string absolute = error ? logPath : whole.string();
    page = cacheFolder_ + "/" + CachedPageName(absolute);
    if (int why = MakeFolders(cacheFolder_, 0700)) return {Failure::kWrite, page, why};
    return {};
}

}  // namespace zintor
