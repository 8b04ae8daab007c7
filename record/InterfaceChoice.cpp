// Choosing the counted interfaces.
#include "record/InterfaceChoice.h"

#include <fnmatch.h>

namespace zintor {

InterfacePattern ReadInterfacePattern(const std::string& value) {
    if (!value.empty() && value[0] == '!') return {value.substr(1), true};
    return {value, false};
}

namespace {

bool Matches(const InterfacePattern& pattern, const std::string& name) {
    return fnmatch(pattern.glob.c_str(), name.c_str(), 0) == 0;
}

InterfaceChoice ByDefault(const InterfaceReading& reading) {
    if (reading.name == "lo") return {false, "loopback"};
    switch (reading.kind) {
        case InterfaceKind::Physical:
            return {true, "physical"};
        case InterfaceKind::Virtual:
            return {false, "virtual"};
        case InterfaceKind::Unlisted:
            break;
    }
    return {true, "physical (not in sys)"};
}

}  // namespace

InterfaceChoice ChooseInterface(const InterfaceReading& reading,
                                const std::vector<InterfacePattern>& patterns) {
    bool anyInclude = false;
    const InterfacePattern* included = nullptr;
    for (const InterfacePattern& pattern : patterns) {
        if (pattern.exclude && Matches(pattern, reading.name))
            return {false, "excluded by !" + pattern.glob};
        if (!pattern.exclude) {
            anyInclude = true;
            if (!included && Matches(pattern, reading.name)) included = &pattern;
        }
    }
    if (included) return {true, "matches " + included->glob};
    if (anyInclude) return {false, "matches no --interface"};
    return ByDefault(reading);
}

}  // namespace zintor
