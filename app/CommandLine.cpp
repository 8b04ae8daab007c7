// The command-line run over the report engine; no window, no toolkit.
#include "app/CommandLine.h"

#include <ostream>

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

int RunCommandLine(const std::string& logPath, std::ostream& err) {
    ReportGenerator generator;
    if (generator.LoadTemplate() != 1) {
        err << "Template File is Not Found.\n";
        return 1;
    }
    if (generator.ReadReportLog(logPath) != 1) {
        err << "zintor: " << generator.LastError() << '\n';
        return 1;
    }
    if (!generator.GenerateReport(ReportGenerator::PagePathOf(logPath))) {
        const std::string& why = generator.LastError();
        err << (why == "Template File is Not Found." ? "" : "zintor: ") << why << '\n';
        return 1;
    }
    return 0;
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
