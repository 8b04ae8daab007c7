// Reading the kernel's counters: one read of /proc/net/dev and a link per interface.
#include "record/SystemCounters.h"

#include <unistd.h>

#include <cstring>

#include "platform/RegularFile.h"
#include "record/NetDevText.h"

namespace zintor {
namespace {

// /proc/net/dev, read to its end through the file layer's reader (its size is not known
// beforehand, and a FIFO in its place, in a tree given with --root, is refused rather than
// waited on). A line per interface: 16 MiB is far more than any machine's list.
bool ReadWhole(const std::string& path, std::string& text, std::string& why) {
    Failure failure = ReadRegularFile(path, 16u << 20, text);
    if (!failure) return true;
    why = path + ": " +
          (failure.error > 0 ? std::strerror(failure.error) : std::string("not a regular file"));
    return false;
}

}  // namespace

SystemCounters::SystemCounters(std::string root) : root_(std::move(root)) {
    while (!root_.empty() && root_.back() == '/') root_.pop_back();
}

bool SystemCounters::Read(std::vector<InterfaceReading>& readings, std::string& why) {
    std::string text;
    if (!ReadWhole(root_ + "/proc/net/dev", text, why)) return false;
    readings = ParseNetDev(text);
    std::map<std::string, InterfaceKind> kinds;
    for (InterfaceReading& reading : readings) {
        auto known = kinds_.find(reading.name);
        reading.kind = known != kinds_.end() ? known->second : KindOf(reading.name);
        // An interface not in sys yet may be put there a moment after it appears: asked again.
        if (reading.kind != InterfaceKind::Unlisted) kinds.emplace(reading.name, reading.kind);
    }
    kinds_ = std::move(kinds);
    return true;
}

// Interfaces that software makes (bridges, bonds, tunnels, veth pairs, lo) live under
// /sys/devices/virtual/net, where /sys/class/net/NAME links to; real devices elsewhere. A
// tree that has neither entry for an interface says nothing against its being physical.
InterfaceKind SystemCounters::KindOf(const std::string& name) const {
    if (name.find('/') != std::string::npos || name == "." || name == "..")
        return InterfaceKind::Unlisted;
    if (access((root_ + "/sys/devices/virtual/net/" + name).c_str(), F_OK) == 0)
        return InterfaceKind::Virtual;
    char target[4096];
    std::string link = root_ + "/sys/class/net/" + name;
    ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n < 0)
        return access(link.c_str(), F_OK) == 0 ? InterfaceKind::Physical : InterfaceKind::Unlisted;
    std::string_view path(target, static_cast<std::size_t>(n));
    return path.find("devices/virtual/") != std::string_view::npos ? InterfaceKind::Virtual
                                                                   : InterfaceKind::Physical;
}

}  // namespace zintor
