// Which interfaces the recorder counts, and why: the user's patterns, else the physical ones.
#pragma once

#include <string>
#include <vector>

#include "record/InterfaceReading.h"

namespace zintor {

// One --interface value: a shell glob; "!GLOB" excludes what it matches.
struct InterfacePattern {
    std::string glob;
    bool exclude = false;
};

InterfacePattern ReadInterfacePattern(const std::string& value);

struct InterfaceChoice {
    bool counted = false;
    std::string why;  // for --list: "physical", "excluded by !veth*", ...
};

// An exclusion that matches wins. When any pattern includes, exactly the interfaces one
// matches are counted (a user counting wg0 instead of the link under it); otherwise the
// physical interfaces are (all those not under sys/devices/virtual/net), never lo and never
// the virtual ones, whose traffic also crosses a physical link and would be counted twice.
InterfaceChoice ChooseInterface(const InterfaceReading& reading,
                                const std::vector<InterfacePattern>& patterns);

}  // namespace zintor
