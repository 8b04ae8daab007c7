// The month's figures over single measuring intervals and five-minute bins: the highest
// one-interval rate of each direction, the 95th percentile of five-minute rates, and the
// month-end estimate. They are fed one usable row at a time, as the totals are.
//
// Rounding: every rate is kept exact, as its bytes over its seconds, and rounded once where it
// is shown: the page formats the exact quotient; JSON gives the bytes and seconds and a whole
// bytes_per_second rounded down (integer division). The estimate is rounded down as well.
#pragma once

#include <bitset>
#include <cstdint>

#include "report/IntervalConsumer.h"

namespace zintor {

// Bytes over seconds, kept exact; seconds 0 means no rate.
struct ExactRate {
    std::uint64_t bytes = 0;
    std::int64_t seconds = 0;

    bool Known() const { return seconds > 0; }
    double PerSecond() const {
        return Known() ? static_cast<double>(bytes) / static_cast<double>(seconds) : 0.0;
    }
    std::uint64_t FlooredPerSecond() const {
        return Known() ? bytes / static_cast<std::uint64_t>(seconds) : 0;
    }
    // Compared as bytes × seconds crosswise (bytes below 2^48, seconds at most 61 or 300).
    bool Above(const ExactRate& other) const {
        return static_cast<unsigned __int128>(bytes) * static_cast<std::uint64_t>(other.seconds) >
               static_cast<unsigned __int128>(other.bytes) * static_cast<std::uint64_t>(seconds);
    }
};

// The highest rate of one row over its step, and when that row was: the earliest of equal ones.
struct PeakRate {
    ExactRate rate;          // not Known() when no row had a step of 1 to 61 seconds
    std::int64_t stamp = 0;  // of that row: seconds from the start of the month (day × 86400 ...)
};

constexpr std::int64_t kBinSeconds = 300;
constexpr int kBinsPerDay = 86400 / kBinSeconds;
constexpr int kMonthBins = 31 * kBinsPerDay;

// The 95th percentile of the five-minute bins that have rows: per direction the bin at index
// round(n × 0.95) - 1 of the bins sorted by their bytes (0.5 rounds up), each over 300 s.
struct Percentile95 {
    int bins = 0;  // bins with rows; 0: no percentile
    ExactRate sent, received;
    // The larger of the two, what a carrier bills.
    const ExactRate& Billed() const { return sent.Above(received) ? sent : received; }
    bool BilledIsSent() const { return sent.Above(received); }
};

// Why the month-end estimate is given or not.
enum class EstimateBasis {
    kGiven,             // the totals so far scaled to the month's length
    kMonthComplete,     // the last row is on the month's last day
    kTooEarly,          // less than a day since the month began
    kTooLittleCapture,  // capture time under half of the time since the month began
};

struct MonthEstimate {
    EstimateBasis basis = EstimateBasis::kTooEarly;
    std::int64_t elapsedSeconds = 0;  // month start to the last row
    std::int64_t captureSeconds = 0;
    std::int64_t monthSeconds = 0;
    std::uint64_t sent = 0, received = 0;  // the estimate, kGiven only

    bool Given() const { return basis == EstimateBasis::kGiven; }
};

struct IntervalResult {
    PeakRate peakSent, peakReceived;
    Percentile95 percentile;
    MonthEstimate estimate;
    std::int64_t lastStamp = 0;  // of the last usable row
    int monthDays = 31;
    // Days left in the month counting the last row's own: 1 on the last day.
    int RemainingDays() const;
};

// The month estimate from the totals so far (rows up to the one at lastStamp), the capture
// time and the month's length in days.
MonthEstimate EstimateMonth(std::uint64_t sent, std::uint64_t received, std::int64_t captureSeconds,
                            std::int64_t lastStamp, int monthDays);

// The percentile index of n sorted values: round(n × 0.95) - 1, for n from 1.
constexpr int PercentileIndex(int n) { return (19 * n + 10) / 20 - 1; }

class IntervalFigures final : public IntervalConsumer {
  public:
    IntervalFigures() { Reset(); }
    void Reset();
    // Fed by the month's adder: a new month resets, each usable row is added.
    void StartMonth() override { Reset(); }
    void AddRow(const UsableRow& r) override {
        Add(r.stamp, r.captured, r.row.sent, r.row.received);
    }
    // One usable row: its stamp (seconds from the start of the month, day 1 at 86400), its
    // step to the usable row before as capture time counts it (1 to 61 seconds, else 0: no
    // rate), and its bytes.
    void Add(std::int64_t stamp, std::int64_t step, std::uint64_t sent, std::uint64_t received);
    // The figures of the rows added, in a month of monthDays days whose totals and capture
    // time are those given.
    IntervalResult Finish(int monthDays, std::uint64_t sentTotal, std::uint64_t receivedTotal,
                          std::int64_t captureSeconds) const;

  private:
    PeakRate peakSent_, peakReceived_;
    std::int64_t lastStamp_ = 0;
    // Bins of the month from day 1 00:00; a row outside days 1 to 31 has no bin.
    std::uint64_t binSent_[kMonthBins];
    std::uint64_t binReceived_[kMonthBins];
    std::bitset<kMonthBins> binUsed_;
};

}  // namespace zintor
