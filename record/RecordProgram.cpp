// From the command line to the running recorder.
#include "record/RecordProgram.h"

#include <cstdlib>

#include "record/InterfaceListing.h"
#include "record/LogAppender.h"
#include "record/RecordOptions.h"
#include "record/Recorder.h"
#include "record/RecorderLock.h"
#include "record/RecorderLoop.h"
#include "record/SystemCounters.h"

#ifndef ZINTOR_VERSION
#define ZINTOR_VERSION "0"
#endif

namespace zintor {
namespace {

constexpr const char* kUsage =
    "Usage: zintor-record [OPTION]...\n"
    "Record the traffic of the network interfaces into monthly report logs\n"
    "(vorlix_reportYYYYMM.log), one row per interval: date, time, bytes sent, bytes received.\n"
    "\n"
    "  --folder DIR         write the logs into DIR (default: $XDG_DATA_HOME/zintor,\n"
    "                       or ~/.local/share/zintor)\n"
    "  --interface PATTERN  count the interfaces matching the shell pattern (repeatable);\n"
    "                       !PATTERN leaves out those matching it. Without a pattern that\n"
    "                       includes, the physical interfaces are counted, never lo.\n"
    "  --interval SECONDS   seconds per row, 1 to 61 (default: 60)\n"
    "  --root DIR           read DIR/proc/net/dev and DIR/sys/class/net instead of the\n"
    "                       system's\n"
    "  --list               list the interfaces, their counters and whether they are counted\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "SIGTERM or SIGINT writes the interval in progress and exits; SIGHUP reopens the log.\n"
    "Traffic while the recorder is not running is not counted.\n";

int List(const RecordOptions& options, std::ostream& out, std::ostream& errors) {
    SystemCounters counters(options.root);
    std::vector<InterfaceReading> readings;
    std::string why;
    if (!counters.Read(readings, why)) {
        errors << "zintor-record: cannot read the counters: " << why << '\n';
        return 1;
    }
    out << ListInterfaces(readings, options.patterns) << std::flush;
    return out ? 0 : 1;
}

int Record(const RecordOptions& options, std::ostream& errors) {
    std::string why;
    if (!MakeFolder(options.folder, why)) {
        errors << "zintor-record: cannot make the folder " << why << '\n';
        return 1;
    }
    LockResult lock = LockFolder(options.folder);
    if (lock.held) {
        errors << "zintor-record: " << options.folder << " is already recorded by "
               << (lock.holder > 0 ? "process " + std::to_string(lock.holder)
                                   : std::string("another process"))
               << '\n';
        return 1;
    }
    if (lock.fd < 0) {
        errors << "zintor-record: cannot lock the folder: " << lock.why << '\n';
        return 1;
    }
    if (options.interval < kShortestFullMonthInterval)
        errors << "zintor-record: at " << options.interval << " s a row, a 31-day month has "
               << 31 * 86400 / options.interval
               << " rows, more than the 65,535 a log holds; pages show the first 65,535\n";
    SystemCounters counters(options.root);
    LogAppender logs(options.folder, static_cast<std::size_t>(86400 / options.interval), errors);
    Recorder recorder(options.interval, options.patterns, counters, logs, errors);
    return RunRecorderLoop(recorder, logs, errors);
}

}  // namespace

int RunRecordProgram(const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& errors) {
    ParsedOptions parsed =
        ParseRecordOptions(args, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!parsed.error.empty()) {
        errors << "zintor-record: " << parsed.error << '\n';
        return 2;
    }
    const RecordOptions& options = parsed.options;
    if (options.help) {
        out << kUsage << std::flush;
        return out ? 0 : 1;
    }
    if (options.version) {
        out << "zintor-record " ZINTOR_VERSION "\n" << std::flush;
        return out ? 0 : 1;
    }
    if (options.list) return List(options, out, errors);
    return Record(options, errors);
}

}  // namespace zintor
