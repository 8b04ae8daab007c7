// The interface table of /proc/net/dev.
#pragma once

#include <string_view>
#include <vector>

#include "record/InterfaceReading.h"

namespace zintor {

// The name and the byte counters (the first receive and the first transmit column) of every
// line "NAME: sixteen numbers"; the two heading lines and lines that do not read as
// counters are left out. The kind is left Unlisted: the text does not say.
std::vector<InterfaceReading> ParseNetDev(std::string_view text);

}  // namespace zintor
