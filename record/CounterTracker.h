// The bytes the counted interfaces moved between two readings, by the counter rules: a first
// reading is a baseline, a counter that goes down was reset (never a guessed wrap), and an
// interface that vanished stops counting.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "record/InterfaceReading.h"

namespace zintor {

struct Movement {
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
};

class CounterTracker {
  public:
    // What the interfaces with counted[i] set moved since the last call. An interface seen
    // for the first time (at start, new, renamed, back after vanishing) counts nothing and
    // becomes the baseline; one whose sent or received count is lower than last time (a
    // driver reload, a reconnect, a reboot under a kept tracker) counts nothing this time
    // either and starts again from its new counts. Interfaces missing from readings are
    // forgotten.
    Movement Take(const std::vector<InterfaceReading>& readings, const std::vector<bool>& counted);
    // Forgets every interface: the next reading is a baseline for all (counters unreadable).
    void Forget() { last_.clear(); }

  private:
    struct Counts {
        std::uint64_t sent, received;
    };
    std::map<std::string, Counts> last_;
};

}  // namespace zintor
