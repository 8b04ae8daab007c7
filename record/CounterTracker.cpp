// Adding up the counters' movement between readings.
#include "record/CounterTracker.h"

namespace zintor {

Movement CounterTracker::Take(const std::vector<InterfaceReading>& readings,
                              const std::vector<bool>& counted) {
    Movement moved;
    std::map<std::string, Counts> now;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const InterfaceReading& r = readings[i];
        now[r.name] = {r.sent, r.received};
        auto last = last_.find(r.name);
        if (last == last_.end() || !counted[i]) continue;
        const Counts& before = last->second;
        if (r.sent < before.sent || r.received < before.received) continue;  // a reset
        moved.sent += r.sent - before.sent;
        moved.received += r.received - before.received;
    }
    last_ = std::move(now);
    return moved;
}

}  // namespace zintor
