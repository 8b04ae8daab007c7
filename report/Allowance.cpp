// Reading an allowance's text and setting the month's bytes against it.
#include "report/Allowance.h"

#include <algorithm>

#include "platform/AsciiText.h"

namespace zintor {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The power of 1024 of a unit word ("", "k", "kb", "kib", ...), or -1.
int UnitPower(std::string_view unit) {
    if (unit.empty() || EqualsIgnoringAsciiCase(unit, "b")) return 0;
    constexpr std::string_view kLetters = "kmgt";
    std::size_t power = kLetters.find(AsciiLower(unit[0]));
    if (power == kLetters.npos) return -1;
    std::string_view rest = unit.substr(1);
    if (!rest.empty() && !EqualsIgnoringAsciiCase(rest, "b") &&
        !EqualsIgnoringAsciiCase(rest, "ib"))
        return -1;
    return static_cast<int>(power) + 1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ParseAllowanceBytes(std::string_view text, std::uint64_t& bytes) {
    text = Trimmed(text);
    // Whole part and fraction as one exact integer: digits × 10^-scale.
    unsigned __int128 digits = 0;
    int scale = 0;
    std::size_t i = 0;
    bool any = false, point = false;
    for (; i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        any = true;
        if (digits > kMaxAllowance) return false;  // too large whatever the unit
        if (point && scale == 6) continue;         // finer than a millionth changes no byte
        digits = digits * 10 + static_cast<unsigned>(text[i] - '0');
        scale += point ? 1 : 0;
    }
    int power = UnitPower(Trimmed(text.substr(i)));
    if (!any || power < 0) return false;
    unsigned __int128 value = digits << (10 * power);
    for (int k = 0; k < scale; ++k) value /= 10;
    if (value == 0 || value > kMaxAllowance) return false;
    bytes = static_cast<std::uint64_t>(value);
    return true;
}

AllowanceCounts ParseAllowanceCounts(std::string_view text) {
    text = Trimmed(text);
    if (EqualsIgnoringAsciiCase(text, "received")) return AllowanceCounts::kReceived;
    if (EqualsIgnoringAsciiCase(text, "sent")) return AllowanceCounts::kSent;
    return AllowanceCounts::kBoth;
}

std::string_view AllowanceCountsWord(AllowanceCounts counts) {
    switch (counts) {
        case AllowanceCounts::kReceived:
            return "received";
        case AllowanceCounts::kSent:
            return "sent";
        case AllowanceCounts::kBoth:
            break;
    }
    return "both";
}

AllowanceLevel LevelOf(std::uint64_t used, std::uint64_t allowance) {
    if (used > allowance) return AllowanceLevel::kOver100;
    // used ≥ 80 % of allowance, exactly: used × 5 ≥ allowance × 4.
    if (static_cast<unsigned __int128>(used) * 5 >= static_cast<unsigned __int128>(allowance) * 4)
        return AllowanceLevel::kFrom80;
    return AllowanceLevel::kBelow80;
}

std::uint64_t AllowanceUse::PerMille() const {
    if (plan.bytes == 0) return 0;
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(used) * 1000 / plan.bytes);
}

AllowanceUse UseOfAllowance(const AllowancePlan& plan, std::uint64_t sent, std::uint64_t received,
                            int remainingDays) {
    AllowanceUse use;
    use.plan = plan;
    switch (plan.counts) {
        case AllowanceCounts::kReceived:
            use.used = received;
            break;
        case AllowanceCounts::kSent:
            use.used = sent;
            break;
        case AllowanceCounts::kBoth:
            use.used = sent + received;
            break;
    }
    use.left = plan.bytes > use.used ? plan.bytes - use.used : 0;
    use.over = use.used > plan.bytes ? use.used - plan.bytes : 0;
    use.remainingDays = std::max(1, remainingDays);
    use.perDay = use.left / static_cast<std::uint64_t>(use.remainingDays);
    use.level = LevelOf(use.used, plan.bytes);
    return use;
}

}  // namespace zintor
