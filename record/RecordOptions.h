// The recorder's command line, in the usual GNU style: --name VALUE or --name=VALUE.
#pragma once

#include <string>
#include <vector>

#include "record/InterfaceChoice.h"

namespace zintor {

constexpr int kDefaultInterval = 60;
// Above 61 s the page counts no capture time between rows at all.
constexpr int kLongestInterval = 61;
// Below this a 31-day month has more rows than the 65,535 a log holds.
constexpr int kShortestFullMonthInterval = 41;

struct RecordOptions {
    std::string folder;  // where the logs go
    std::vector<InterfacePattern> patterns;
    int interval = kDefaultInterval;
    std::string root;  // "" for the system's /proc and /sys
    bool list = false, help = false, version = false;
};

struct ParsedOptions {
    RecordOptions options;
    std::string error;  // one line saying what is wrong; empty when the line is good
};

// xdgDataHome and home: the variables' values, nullptr when unset. The folder defaults to
// $XDG_DATA_HOME/zintor (when absolute), else ~/.local/share/zintor.
ParsedOptions ParseRecordOptions(const std::vector<std::string>& args, const char* xdgDataHome,
                                 const char* home);

}  // namespace zintor
