// The user's monthly allowance and how the month stands against it.
#pragma once

#include <cstdint>
#include <string_view>

namespace zintor {

// Which traffic the allowance counts.
enum class AllowanceCounts { kBoth, kReceived, kSent };

struct AllowancePlan {
    std::uint64_t bytes = 0;  // 0: no allowance set
    AllowanceCounts counts = AllowanceCounts::kBoth;

    bool Set() const { return bytes > 0; }
};

// The largest allowance accepted: 2^60 bytes (1024 PB), far beyond any plan, so that every
// sum and share of it stays exact in 64 bits.
constexpr std::uint64_t kMaxAllowance = std::uint64_t{1} << 60;

// An allowance as the user writes it: a number, with an optional decimal fraction, then
// optionally blanks and a unit K, M, G or T in powers of 1024 (letter case ignored, a
// trailing "B" or "iB" allowed): "500000000", "750M", "1.5 TB", "20GiB". The fraction is taken
// exactly and the bytes rounded down. False for anything else, for 0 and for more than
// kMaxAllowance.
bool ParseAllowanceBytes(std::string_view text, std::uint64_t& bytes);

// "received", "sent" or "both" in any letter case, blanks around ignored; kBoth otherwise.
AllowanceCounts ParseAllowanceCounts(std::string_view text);
// The setting's word for counts: "received", "sent" or "both".
std::string_view AllowanceCountsWord(AllowanceCounts counts);

// How full the allowance is: below 80 %, from 80 % on, above 100 %.
enum class AllowanceLevel { kBelow80, kFrom80, kOver100 };

// The level of used bytes against allowance bytes (allowance above 0).
AllowanceLevel LevelOf(std::uint64_t used, std::uint64_t allowance);

struct AllowanceUse {
    AllowancePlan plan;
    std::uint64_t used = 0;
    std::uint64_t left = 0;    // 0 once the allowance is used up
    std::uint64_t over = 0;    // what went beyond it, else 0
    std::uint64_t perDay = 0;  // left / remaining days, rounded down
    int remainingDays = 1;
    AllowanceLevel level = AllowanceLevel::kBelow80;

    // The share used in tenths of a percent, rounded down (1000 is the whole allowance).
    std::uint64_t PerMille() const;
};

// The month's sent and received bytes against plan (which is Set()), with remainingDays days
// of the month left, counting the day of the last row.
AllowanceUse UseOfAllowance(const AllowancePlan& plan, std::uint64_t sent, std::uint64_t received,
                            int remainingDays);

}  // namespace zintor
