// Reading the interface table of /proc/net/dev.
#include "record/NetDevText.h"

#include <charconv>

namespace zintor {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The next blank-separated word of rest, taken off it; empty at the end.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

bool ReadCounter(std::string_view word, std::uint64_t& value) {
    const char* end = word.data() + word.size();
    auto [p, error] = std::from_chars(word.data(), end, value);
    return !word.empty() && error == std::errc() && p == end;
}

// One line: the counters are the first (received bytes) and the ninth (sent bytes) number.
bool ParseLine(std::string_view line, InterfaceReading& reading) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    std::string_view name = Trim(line.substr(0, colon));
    if (name.empty()) return false;
    std::string_view rest = line.substr(colon + 1);
    std::uint64_t numbers[9];
    for (std::uint64_t& number : numbers)
        if (!ReadCounter(NextWord(rest), number)) return false;
    reading.name = std::string(name);
    reading.received = numbers[0];
    reading.sent = numbers[8];
    return true;
}

}  // namespace

std::vector<InterfaceReading> ParseNetDev(std::string_view text) {
    std::vector<InterfaceReading> readings;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        InterfaceReading reading;
        if (ParseLine(line, reading)) readings.push_back(std::move(reading));
    }
    return readings;
}

}  // namespace zintor
