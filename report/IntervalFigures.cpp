// Peak, percentile and estimate: the rows' rates compared exactly, the bins sorted once.
#include "report/IntervalFigures.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zintor {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kMonthStart = kDay;  // day 1, 00:00:00

// A row's bytes are below 2^48 and its step at most 61 s, so the cross products of two rows'
// rates fit in 64 bits: this runs for every row, and needs no 128-bit product.
void TakeIfHigher(PeakRate& peak, std::int64_t stamp, std::uint64_t bytes, std::int64_t step) {
    if (peak.rate.Known() && bytes * static_cast<std::uint64_t>(peak.rate.seconds) <=
                                 peak.rate.bytes * static_cast<std::uint64_t>(step))
        return;
    peak = {{bytes, step}, stamp};
}

// The value at the percentile index of the used bins' bytes, over 300 seconds.
ExactRate BinPercentile(std::vector<std::uint64_t>& bytes) {
    auto at = bytes.begin() + PercentileIndex(static_cast<int>(bytes.size()));
    std::nth_element(bytes.begin(), at, bytes.end());
    return {*at, kBinSeconds};
}

// total × monthSeconds / elapsed, rounded down, without overflow.
std::uint64_t Scaled(std::uint64_t total, std::int64_t monthSeconds, std::int64_t elapsed) {
    auto product = static_cast<unsigned __int128>(total) * static_cast<std::uint64_t>(monthSeconds);
    return static_cast<std::uint64_t>(product / static_cast<std::uint64_t>(elapsed));
}

}  // namespace

int IntervalResult::RemainingDays() const {
    auto lastDay = static_cast<int>(lastStamp / kDay);
    return std::max(1, monthDays - lastDay + 1);
}

MonthEstimate EstimateMonth(std::uint64_t sent, std::uint64_t received, std::int64_t captureSeconds,
                            std::int64_t lastStamp, int monthDays) {
    MonthEstimate e;
    e.monthSeconds = monthDays * kDay;
    e.elapsedSeconds = std::max<std::int64_t>(0, lastStamp - kMonthStart);
    e.captureSeconds = captureSeconds;
    if (lastStamp / kDay >= monthDays)
        e.basis = EstimateBasis::kMonthComplete;
    else if (e.elapsedSeconds < kDay)
        e.basis = EstimateBasis::kTooEarly;
    else if (captureSeconds * 2 < e.elapsedSeconds)
        e.basis = EstimateBasis::kTooLittleCapture;
    else
        e.basis = EstimateBasis::kGiven;
    if (e.Given()) {
        e.sent = Scaled(sent, e.monthSeconds, e.elapsedSeconds);
        e.received = Scaled(received, e.monthSeconds, e.elapsedSeconds);
    }
    return e;
}

void IntervalFigures::Reset() {
    peakSent_ = peakReceived_ = {};
    lastStamp_ = 0;
    std::memset(binSent_, 0, sizeof binSent_);
    std::memset(binReceived_, 0, sizeof binReceived_);
    binUsed_.reset();
}

void IntervalFigures::Add(std::int64_t stamp, std::int64_t step, std::uint64_t sent,
                          std::uint64_t received) {
    lastStamp_ = stamp;
    if (step > 0) {
        TakeIfHigher(peakSent_, stamp, sent, step);
        TakeIfHigher(peakReceived_, stamp, received, step);
    }
    std::int64_t bin = (stamp - kMonthStart) / kBinSeconds;
    if (stamp < kMonthStart || bin >= kMonthBins) return;
    auto b = static_cast<std::size_t>(bin);
    binSent_[b] += sent;
    binReceived_[b] += received;
    binUsed_.set(b);
}

IntervalResult IntervalFigures::Finish(int monthDays, std::uint64_t sentTotal,
                                       std::uint64_t receivedTotal,
                                       std::int64_t captureSeconds) const {
    IntervalResult result;
    result.peakSent = peakSent_;
    result.peakReceived = peakReceived_;
    result.lastStamp = lastStamp_;
    result.monthDays = std::clamp(monthDays, 1, 31);
    std::vector<std::uint64_t> sent, received;
    sent.reserve(binUsed_.count());
    received.reserve(binUsed_.count());
    for (std::size_t b = 0; b < kMonthBins; ++b) {
        if (!binUsed_[b]) continue;
        sent.push_back(binSent_[b]);
        received.push_back(binReceived_[b]);
    }
    result.percentile.bins = static_cast<int>(sent.size());
    if (!sent.empty()) {
        result.percentile.sent = BinPercentile(sent);
        result.percentile.received = BinPercentile(received);
    }
    result.estimate =
        EstimateMonth(sentTotal, receivedTotal, captureSeconds, lastStamp_, result.monthDays);
    return result;
}

}  // namespace zintor
