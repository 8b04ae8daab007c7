// The only ways numbers reach a page: sizes, rates, durations and shares. Units are powers
// of 1024 (1 KB = 1024 bytes).
#pragma once

#include <cstdint>
#include <string>

namespace zintor {

// A byte count: unit 0 picks KB, MB, GB or TB by size ("%9.1lf KB", "%9.1lf MB",
// "%9.2lf GB", "%9.2lf TB"); 1 always KB, 2 always MB, 3 always GB.
std::u16string FormatSize(std::int64_t bytes, int unit);

// Bytes per second: 0 "%9.2lf KB/s", 1 "%9.3lf MB/s", 2 "%9.2lf Kbps", 3 "%9.3lf Mbps".
std::u16string FormatRate(double bytesPerSecond, int unit);

// Seconds as hours, minutes and seconds in the user-interface language (1時間00分00秒,
// or 1h 00m 00s with a trailing blank).
std::u16string FormatDuration(std::uint32_t seconds, int uiLanguage);

// part / whole × 100 with "%3.1lf%%"; 0.0% when either is 0.
std::u16string FormatShare(std::int64_t part, std::int64_t whole);

// Decimal text of a non-negative number, zero-padded to at least width digits ("%0*d").
std::u16string Decimal(std::int64_t value, int width = 1);

// The same texts appended to out as bytes (they are ASCII, so the same in every page
// encoding): what a page is filled with, without a string of its own for each value.
void AppendSize(std::string& out, std::int64_t bytes, int unit);
void AppendRate(std::string& out, double bytesPerSecond, int unit);
void AppendShare(std::string& out, std::int64_t part, std::int64_t whole);
void AppendDecimal(std::string& out, std::int64_t value, int width = 1);

}  // namespace zintor
