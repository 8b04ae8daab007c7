// Number formatting with printf's rounding (std::to_chars prints fixed notation exactly as
// printf does: the binary value rounded half to even).
#include "html/ValueFormat.h"

#include <charconv>

namespace zintor {
namespace {

// Right-aligns the text written from at on in at least width characters.
void PadFrom(std::string& out, std::size_t at, std::size_t width) {
    std::size_t length = out.size() - at;
    if (length < width) out.insert(at, width - length, ' ');
}

// "%<width>.<precision>lf" followed by suffix: right-aligned in at least width characters.
void AppendFixed(std::string& out, double value, int precision, std::string_view suffix,
                 std::size_t width = 9) {
    char digits[400];
    auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    std::size_t at = out.size();
    if (ec == std::errc()) out.append(digits, static_cast<std::size_t>(end - digits));
    PadFrom(out, at, width);
    out += suffix;
}

// n / 2^shift as "%9.<precision>lf" (precision 1 or 2) followed by suffix, with integer
// arithmetic: the quotient is exact in binary, so printf's rounding of it is rounding half
// to even of the exact value. Values beyond 2^53, whose double would not be exact, and
// negative ones go the way of printf.
void AppendBinaryFraction(std::string& out, std::int64_t n, int shift, int precision,
                          std::string_view suffix) {
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    if (n < 0 || n >= kExact) {
        AppendFixed(out, static_cast<double>(n) / static_cast<double>(std::int64_t{1} << shift),
                    precision, suffix);
        return;
    }
    std::uint64_t scale = precision == 1 ? 10 : 100;
    std::uint64_t scaled = static_cast<std::uint64_t>(n) * scale;  // below 2^60
    std::uint64_t q = scaled >> shift;
    std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (q & 1))) ++q;
    char digits[32];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, q / scale);
    std::size_t at = out.size();
    out.append(digits, static_cast<std::size_t>(end - digits));
    out += '.';
    std::uint64_t fraction = q % scale;
    if (precision == 2) out += static_cast<char>('0' + fraction / 10);
    out += static_cast<char>('0' + fraction % 10);
    PadFrom(out, at, 9);
    out += suffix;
}

std::u16string Widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

void AppendDecimal(std::string& out, std::int64_t value, int width) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    auto length = static_cast<std::size_t>(end - digits);
    if (static_cast<int>(length) < width) out.append(static_cast<std::size_t>(width) - length, '0');
    out.append(digits, length);
}

void AppendSize(std::string& out, std::int64_t bytes, int unit) {
    std::int64_t kb = bytes / 1024;
    switch (unit) {
        case 0:
            if (kb < 0 || kb <= 1024) return AppendBinaryFraction(out, bytes, 10, 1, " KB");
            if (kb <= 1048576) return AppendBinaryFraction(out, kb, 10, 1, " MB");
            if (kb <= 1073741824) return AppendBinaryFraction(out, kb / 1024, 10, 2, " GB");
            return AppendBinaryFraction(out, kb / 1024, 20, 2, " TB");
        case 1:
            return AppendBinaryFraction(out, bytes, 10, 1, " KB");
        case 2:
            return AppendBinaryFraction(out, kb, 10, 1, " MB");
        case 3:
            return AppendBinaryFraction(out, kb, 20, 2, " GB");
        default:
            return;
    }
}

void AppendRate(std::string& out, double bytesPerSecond, int unit) {
    switch (unit) {
        case 0:
            return AppendFixed(out, bytesPerSecond / 1024, 2, " KB/s");
        case 1:
            return AppendFixed(out, bytesPerSecond / 1048576, 3, " MB/s");
        case 2:
            return AppendFixed(out, bytesPerSecond / 128, 2, " Kbps");
        case 3:
            return AppendFixed(out, bytesPerSecond / 131072, 3, " Mbps");
        default:
            return;
    }
}

void AppendShare(std::string& out, std::int64_t part, std::int64_t whole) {
    double share = part == 0 || whole == 0
                       ? 0.0
                       : static_cast<double>(part) / static_cast<double>(whole) * 100;
    AppendFixed(out, share, 1, "%", 3);
}

std::u16string Decimal(std::int64_t value, int width) {
    std::string text;
    AppendDecimal(text, value, width);
    return Widen(text);
}

std::u16string FormatSize(std::int64_t bytes, int unit) {
    std::string text;
    AppendSize(text, bytes, unit);
    return Widen(text);
}

std::u16string FormatRate(double bytesPerSecond, int unit) {
    std::string text;
    AppendRate(text, bytesPerSecond, unit);
    return Widen(text);
}

std::u16string FormatDuration(std::uint32_t seconds, int uiLanguage) {
    static constexpr std::u16string_view kWords[2][3] = {{u"時間", u"分", u"秒"},
                                                         {u"h ", u"m ", u"s "}};
    const auto& words = kWords[uiLanguage == 0 ? 0 : 1];
    std::uint32_t hours = seconds / 3600;
    std::u16string out;
    if (hours >= 1) {
        out = Decimal(hours) + std::u16string(words[0]);
        out += Decimal(seconds / 60 % 60, 2) + std::u16string(words[1]);
    } else if (seconds / 60 >= 1) {
        out = Decimal(seconds / 60 % 60, 2) + std::u16string(words[1]);
    }
    out += Decimal(seconds % 60, 2) + std::u16string(words[2]);
    return out;
}

std::u16string FormatShare(std::int64_t part, std::int64_t whole) {
    std::string text;
    AppendShare(text, part, whole);
    return Widen(text);
}

}  // namespace zintor
