// What --list prints: each interface, its counters, whether it is counted and why.
#pragma once

#include <string>
#include <vector>

#include "record/InterfaceChoice.h"

namespace zintor {

std::string ListInterfaces(const std::vector<InterfaceReading>& readings,
                           const std::vector<InterfacePattern>& patterns);

}  // namespace zintor
