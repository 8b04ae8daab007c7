// Reading the recorder's command line.
#include "record/RecordOptions.h"

#include <charconv>

#include "platform/UserFolders.h"

namespace zintor {
namespace {

std::string ReadInterval(const std::string& value, int& interval) {
    const char* end = value.data() + value.size();
    auto [p, error] = std::from_chars(value.data(), end, interval);
    if (value.empty() || value[0] == '+' || error != std::errc() || p != end || interval < 1)
        return "--interval takes a whole number of seconds from 1 to 61, not '" + value + "'";
    if (interval > kLongestInterval)
        return "--interval " + value +
               " is too long: rows more than 61 s apart show no capture time on the page";
    return "";
}

// Applies one option with its value; the error, or "".
std::string Apply(const std::string& name, const std::string& value, RecordOptions& options) {
    if (name == "--folder") {
        if (value.empty()) return "--folder needs a folder";
        options.folder = value;
    } else if (name == "--interface") {
        InterfacePattern pattern = ReadInterfacePattern(value);
        if (pattern.glob.empty()) return "--interface needs a pattern, not '" + value + "'";
        options.patterns.push_back(pattern);
    } else if (name == "--interval") {
        return ReadInterval(value, options.interval);
    } else {
        if (value.empty()) return "--root needs a folder";
        options.root = value;
    }
    return "";
}

bool TakesValue(const std::string& name) {
    return name == "--folder" || name == "--interface" || name == "--interval" || name == "--root";
}

bool IsSwitch(const std::string& name, RecordOptions& options) {
    if (name == "--list") return options.list = true;
    if (name == "--help") return options.help = true;
    if (name == "--version") return options.version = true;
    return false;
}

}  // namespace

ParsedOptions ParseRecordOptions(const std::vector<std::string>& args, const char* xdgDataHome,
                                 const char* home) {
    ParsedOptions parsed;
    RecordOptions& options = parsed.options;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        const std::string& arg = args[i];
        std::size_t equals = arg.find('=');
        std::string name = arg.substr(0, equals);
        if (equals == std::string::npos && IsSwitch(name, options)) continue;
        if (!TakesValue(name)) {
            parsed.error = arg.rfind("-", 0) == 0 ? "unknown option '" + arg + "'"
                                                  : "unexpected argument '" + arg + "'";
        } else if (equals != std::string::npos) {
            parsed.error = Apply(name, arg.substr(equals + 1), options);
        } else if (i + 1 == args.size()) {
            parsed.error = name + " needs a value";
        } else {
            parsed.error = Apply(name, args[++i], options);
        }
    }
    if (parsed.error.empty() && options.folder.empty() && !options.list && !options.help &&
        !options.version) {
        options.folder = UserDataFolder(xdgDataHome, home);
        if (options.folder.empty())
            parsed.error = "no --folder given, and neither XDG_DATA_HOME nor HOME names a folder";
    }
    return parsed;
}

}  // namespace zintor
