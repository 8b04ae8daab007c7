// One network interface as a reading of the kernel's counters sees it.
#pragma once

#include <cstdint>
#include <string>

namespace zintor {

// Where the interface sits in the system's device tree.
enum class InterfaceKind {
    Physical,  // a device of its own (not under /sys/devices/virtual/net)
    Virtual,   // a bridge, bond, tunnel, veth, loopback...: made by software
    Unlisted,  // in no sys/class/net nor sys/devices/virtual/net of the root: not virtual
};

struct InterfaceReading {
    std::string name;
    std::uint64_t received = 0;  // rx bytes since the interface appeared
    std::uint64_t sent = 0;      // tx bytes
    InterfaceKind kind = InterfaceKind::Unlisted;
};

}  // namespace zintor
