// Where the recorder's rows go: the monthly logs in the program, a list in the tests.
#pragma once

#include "record/CounterTracker.h"
#include "record/RowSlot.h"

namespace zintor {

class RowSink {
  public:
    virtual ~RowSink() = default;
    virtual void Put(const RowLabel& label, const Movement& moved) = 0;
};

}  // namespace zintor
