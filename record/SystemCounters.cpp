// Reading the kernel's counters: one read of /proc/net/dev and a link per interface.
#include "record/SystemCounters.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "record/NetDevText.h"

namespace zintor {
namespace {

// The whole of a file of /proc, read until its end (its size is not known beforehand).
bool ReadWhole(const std::string& path, std::string& text, std::string& why) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return false;
    }
    text.clear();
    char buffer[4096];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) why = path + ": " + std::strerror(errno);
        if (n <= 0) {
            close(fd);
            return n == 0;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
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
