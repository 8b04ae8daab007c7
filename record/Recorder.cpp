// One row per slot, by the counter rules.
#include "record/Recorder.h"

#include <algorithm>

namespace zintor {
namespace {

// A wake-up this close before a slot's end belongs to the next slot: the wall clock, slewed
// by time synchronisation, may run a little behind the boot clock the wait was measured on.
constexpr std::int64_t kEarlyWake = kNanosPerSecond / 4;

}  // namespace

Recorder::Recorder(int intervalSeconds, std::vector<InterfacePattern> patterns,
                   CounterSource& counters, RowSink& rows, std::ostream& errors)
    : interval_(intervalSeconds),
      patterns_(std::move(patterns)),
      counters_(counters),
      rows_(rows),
      errors_(errors) {}

Movement Recorder::Measure() {
    std::vector<InterfaceReading> readings;
    std::string why;
    if (!counters_.Read(readings, why)) {
        if (!unreadable_) errors_ << "zintor-record: cannot read the counters: " << why << '\n';
        unreadable_ = true;
        tracker_.Forget();  // what moved meanwhile is not known: baselines again
        return {};
    }
    unreadable_ = false;
    std::vector<bool> counted(readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i)
        counted[i] = ChooseInterface(readings[i], patterns_).counted;
    return tracker_.Take(readings, counted);
}

std::int64_t Recorder::BeginSlot(std::int64_t wallNanos) {
    std::int64_t start = wallNanos + kEarlyWake;
    // Woken late by less than an interval (a busy machine): the slot after the last one
    // begins all the same, so that no label is skipped; the wait to its end is shorter.
    if (slotEnd_ > 0 && wallNanos >= slotEnd_ - kEarlyWake &&
        wallNanos < slotEnd_ + interval_ * kNanosPerSecond)
        start = slotEnd_;
    RowSlot slot = SlotAt(start, interval_);
    label_ = slot.label;
    slotEnd_ = start + slot.nanosToEnd;
    return std::max<std::int64_t>(slotEnd_ - wallNanos, 1);
}

std::int64_t Recorder::Start(std::int64_t wallNanos) {
    Measure();
    return BeginSlot(wallNanos);
}

std::int64_t Recorder::RowDue(std::int64_t wallNanos) {
    rows_.Put(label_, Measure());
    return BeginSlot(wallNanos);
}

void Recorder::Stop() { rows_.Put(label_, Measure()); }

}  // namespace zintor
