// The recorder's rules over time: a baseline at start, then one row per slot holding what the
// counted interfaces moved during it. Clock readings come in as arguments and the delays
// until the next row go out, so that a test runs a month of slots in moments.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "record/CounterSource.h"
#include "record/CounterTracker.h"
#include "record/InterfaceChoice.h"
#include "record/RowSink.h"

namespace zintor {

class Recorder {
  public:
    Recorder(int intervalSeconds, std::vector<InterfacePattern> patterns, CounterSource& counters,
             RowSink& rows, std::ostream& errors);

    // The first reading, a baseline, at wall time wallNanos. Returns the nanoseconds until
    // the row of the slot in progress is due: the caller waits them on the boot clock, which
    // goes on during a suspend and never steps.
    std::int64_t Start(std::int64_t wallNanos);
    // The row of the slot in progress, holding everything the counters moved since the last
    // reading (the whole of a suspend or a clock step included: nothing the counters saw is
    // dropped), then the slot that holds wallNanos begins. Returns the wait until its row.
    std::int64_t RowDue(std::int64_t wallNanos);
    // The row of the slot in progress, when the recorder stops before its end.
    void Stop();

  private:
    Movement Measure();
    std::int64_t BeginSlot(std::int64_t wallNanos);

    int interval_;
    std::vector<InterfacePattern> patterns_;
    CounterSource& counters_;
    RowSink& rows_;
    std::ostream& errors_;
    CounterTracker tracker_;
    RowLabel label_;
    std::int64_t slotEnd_ = 0;  // wall time at which the slot in progress ends
    bool unreadable_ = false;
};

}  // namespace zintor
