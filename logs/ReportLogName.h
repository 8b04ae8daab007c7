// What makes a file a report log by its name, the one rule that the reader, the side menu,
// "--all" and the window's following share, and the year and month a log's name gives.
#pragma once

#include <string_view>

namespace zintor {

// The reader's test of a path: the whole path contains "vorlix_report" and ".log" (letter
// case counts). The reader refuses any other path.
bool HasReportLogName(std::string_view path);

// True when a file of this name (without its folder) is one the side menu and "--all" list:
// the name begins with "vorlix_report" and ends in ".log", in that letter case. Every such
// file passes the reader's test wherever it lies, so that no listed log is refused.
bool IsReportLogFileName(std::string_view fileName);

// The first and last years the side menu groups logs under.
constexpr int kFirstSideMenuYear = 1990;
constexpr int kLastSideMenuYear = 2089;

// True when path contains the key of year (from kFirstSideMenuYear to kLastSideMenuYear):
// "vorlix_report" and the four-digit year, letter case counting. The whole path is looked at,
// folders included, so that a path may name several years and a log named without a year
// names none.
bool NamesYear(std::string_view path, int year);

// True when the file name is exactly "vorlix_report", six digits and ".log": a month's log as
// the recorder names it (vorlix_reportYYYYMM.log).
bool IsMonthLogName(std::string_view fileName);

}  // namespace zintor
