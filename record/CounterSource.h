// Where the recorder reads the interfaces' byte counters from: the system (or a tree laid out
// like it) in the program, a table of numbers in the tests.
#pragma once

#include <string>
#include <vector>

#include "record/InterfaceReading.h"

namespace zintor {

class CounterSource {
  public:
    virtual ~CounterSource() = default;
    // Every interface present now; false with why set when the counters cannot be read.
    virtual bool Read(std::vector<InterfaceReading>& readings, std::string& why) = 0;
};

}  // namespace zintor
