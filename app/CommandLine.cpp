// The command-line run over the report engine; no window, no toolkit.
#include "app/CommandLine.h"

#include <cerrno>
#include <ostream>

#include "app/FailureText.h"
#include "platform/FileSystem.h"
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

// A missing template is said before anything of the log, in the words of the window's box;
// every other failure is one line after the program's name. The template is looked for
// first and loaded once, by the page run.
int RunCommandLine(const std::string& logPath, std::ostream& err) {
    ReportGenerator generator;
    Failure failure;
    if (!FileExists(generator.TemplatePath()))
        failure = {Failure::kTemplateMissing, generator.TemplatePath(), ENOENT};
    if (!failure) failure = generator.ReadReportLog(logPath);
    if (!failure) failure = generator.GenerateReport(ReportGenerator::PagePathOf(logPath));
    if (!failure) return 0;
    err << (failure.what == Failure::kTemplateMissing ? "" : "zintor: ") << FailureText(failure)
        << '\n';
    return 1;
}

std::string UsageText() {
    return "Usage: zintor [REPORT-LOG | --show REPORT-LOG]\n"
           "Writes the monthly traffic report page of REPORT-LOG (a vorlix_report*.log file)\n"
           "beside it, with the same name and the extension .html, and exits.\n"
           "Without REPORT-LOG, or with a folder, zintor opens its window.\n"
           "  --show REPORT-LOG  open the window on REPORT-LOG\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

}  // namespace zintor
