// The name rules of report logs; the word every rule is built on lives here alone.
#include "logs/ReportLogName.h"

#include <algorithm>

namespace zintor {
namespace {

constexpr std::string_view kNameStart = "vorlix_report";
constexpr std::string_view kNameEnd = ".log";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool HasReportLogName(std::string_view path) {
    return path.find(kNameStart) != std::string_view::npos &&
           path.find(kNameEnd) != std::string_view::npos;
}

bool IsReportLogFileName(std::string_view fileName) {
    return fileName.size() >= kNameStart.size() + kNameEnd.size() &&
           fileName.starts_with(kNameStart) && fileName.ends_with(kNameEnd);
}

bool NamesYear(std::string_view path, int year) {
    if (year < kFirstSideMenuYear || year > kLastSideMenuYear) return false;
    const char digits[4] = {
        static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
        static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10)};
    for (std::size_t at = path.find(kNameStart); at != std::string_view::npos;
         at = path.find(kNameStart, at + 1)) {
        if (path.substr(at + kNameStart.size(), 4) == std::string_view(digits, 4)) return true;
    }
    return false;
}

bool IsMonthLogName(std::string_view fileName) {
    if (fileName.size() != kNameStart.size() + 6 + kNameEnd.size() ||
        !IsReportLogFileName(fileName))
        return false;
    std::string_view digits = fileName.substr(kNameStart.size(), 6);
    return std::all_of(digits.begin(), digits.end(), IsDigit);
}

}  // namespace zintor
