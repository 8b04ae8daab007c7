// The command-line run over the report engine; no window, no toolkit.
#include "app/cli/CommandLine.h"

#include <cerrno>
#include <memory>
#include <new>
#include <ostream>

#include "app/AllowanceSettings.h"
#include "app/ErrorLine.h"
#include "app/FailureText.h"
#include "platform/FileSystem.h"
#include "report/JsonFigures.h"
#include "report/ReportGenerator.h"

namespace zintor {

std::string CommandLineTail(int argc, char** argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) tail += ' ';
        tail += argv[i];
    }
    return tail;
}

// Every failure but the missing template is one line after the program's name; a missing
// template is said in the words of the window's box.
std::string CommandLineFailureLine(const Failure& failure) {
    return (failure.what == Failure::kTemplateMissing ? "" : kErrorLinePrefix) +
           FailureText(failure) + '\n';
}

int RunCommandLine(const std::string& logPath, std::ostream& err) {
    ReportGenerator generator;
    generator.SetAllowance(ReadProgramAllowance(ModulePath()));
    Failure failure = generator.WriteLogPage(logPath);
    if (!failure) return 0;
    err << CommandLineFailureLine(failure);
    return 1;
}

int RunJsonCommand(const std::string& logPath, std::ostream& out, std::ostream& err) {
    std::string json;
    Failure failure;
    try {
        ReportGenerator generator;
        generator.SetAllowance(ReadProgramAllowance(ModulePath()));
        failure = generator.ReadFigures(logPath);
        if (!failure) {
            MonthGlance glance = generator.Glance();
            json = JsonFigures(generator.figures(), logPath, &glance);
        }
    } catch (const std::bad_alloc&) {
        failure = {Failure::kRead, logPath, Failure::kOutOfMemory};
    }
    if (!failure) {
        // A full disk behind standard output is a failed run, not silence.
        errno = 0;
        out << json << std::flush;
        if (out) return 0;
        failure = {Failure::kWrite, "standard output", errno ? errno : EIO};
    }
    err << CommandLineFailureLine(failure);
    return 1;
}

std::string UsageText() {
    return "Usage: zintor [REPORT-LOG | --show REPORT-LOG | --json REPORT-LOG | --all FOLDER]\n"
           "Writes the monthly traffic report page of REPORT-LOG (a vorlix_report*.log file)\n"
           "beside it, with the same name and the extension .html, and exits.\n"
           "Without REPORT-LOG, or with a folder, zintor opens its window.\n"
           "  --show REPORT-LOG  open the window on REPORT-LOG\n"
           "  --json REPORT-LOG  print the month's figures of REPORT-LOG as JSON, write no page\n"
           "  --all FOLDER       write the page of every report log in FOLDER whose page is\n"
           "                     missing or older than the log, on all processor cores\n"
           "  --help             show this text\n"
           "  --version          show the version\n"
           "See zintor(1).\n";
}

}  // namespace zintor
