// Number formatting with printf's rounding (std::to_chars prints fixed notation exactly as
// printf does: the binary value rounded half to even).
#include "html/ValueFormat.h"

#include <charconv>

namespace zintor {
namespace {

// "%<width>.<precision>lf" followed by suffix: right-aligned in at least width characters.
std::u16string Fixed(double value, int precision, std::u16string_view suffix,
                     std::size_t width = 9) {
    char digits[400];
    auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    std::size_t length = ec == std::errc() ? static_cast<std::size_t>(end - digits) : 0;
    std::u16string out;
    out.reserve(width + suffix.size());
    if (length < width) out.append(width - length, u' ');
    for (std::size_t i = 0; i < length; ++i) out += static_cast<char16_t>(digits[i]);
    out += suffix;
    return out;
}

}  // namespace

std::u16string Decimal(std::int64_t value, int width) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    std::size_t length = static_cast<std::size_t>(end - digits);
    std::u16string out;
    if (static_cast<int>(length) < width)
        out.append(static_cast<std::size_t>(width) - length, u'0');
    for (std::size_t i = 0; i < length; ++i) out += static_cast<char16_t>(digits[i]);
    return out;
}

std::u16string FormatSize(std::int64_t bytes, int unit) {
    std::int64_t kb = bytes / 1024;
    switch (unit) {
        case 0:
            if (kb < 0 || kb <= 1024) return Fixed(static_cast<double>(bytes) / 1024.0, 1, u" KB");
            if (kb <= 1048576) return Fixed(static_cast<double>(kb) / 1024.0, 1, u" MB");
            if (kb <= 1073741824) return Fixed(static_cast<double>(kb / 1024) / 1024.0, 2, u" GB");
            return Fixed(static_cast<double>(kb / 1024) / 1048576.0, 2, u" TB");
        case 1:
            return Fixed(static_cast<double>(bytes) / 1024.0, 1, u" KB");
        case 2:
            return Fixed(static_cast<double>(kb) / 1024.0, 1, u" MB");
        case 3:
            return Fixed(static_cast<double>(kb) / 1048576.0, 2, u" GB");
        default:
            return {};
    }
}

std::u16string FormatRate(double bytesPerSecond, int unit) {
    switch (unit) {
        case 0:
            return Fixed(bytesPerSecond / 1024, 2, u" KB/s");
        case 1:
            return Fixed(bytesPerSecond / 1048576, 3, u" MB/s");
        case 2:
            return Fixed(bytesPerSecond / 128, 2, u" Kbps");
        case 3:
            return Fixed(bytesPerSecond / 131072, 3, u" Mbps");
        default:
            return {};
    }
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
    double share = part == 0 || whole == 0
                       ? 0.0
                       : static_cast<double>(part) / static_cast<double>(whole) * 100;
    return Fixed(share, 1, u"%", 3);
}

}  // namespace zintor
