// zintor's entry point. With a report log on the command line it writes the page and exits
// without loading any toolkit; otherwise it starts the window.
#include <csignal>
#include <iostream>
#include <string>

#include "app/ErrorLine.h"
#include "app/WindowLauncher.h"
#include "app/cli/CommandLine.h"
#include "app/cli/FolderPages.h"
#include "platform/FileSystem.h"
#include "platform/StandardStreams.h"
#include "platform/TemporaryFiles.h"

int main(int argc, char** argv) {
    zintor::OpenClosedStandardStreams();
    // A write past the file-size limit (ulimit -f) fails like any write that finds no room,
    // instead of ending the program with a half-written temporary file beside the page.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string tail = zintor::CommandLineTail(argc, argv);
    if (tail == "--help") {
        std::cout << zintor::UsageText();
        return 0;
    }
    if (tail == "--version") {
        std::cout << zintor::kVersionText << '\n';
        return 0;
    }
    std::string option = argc >= 2 ? argv[1] : "";
    // "--json LOG": the month's figures for scripts, on standard output. "--all FOLDER": the
    // pages of a folder's logs that need writing, as cron would ask for them.
    if (option == "--json" || option == "--all") {
        std::string path = zintor::CommandLineTail(argc - 1, argv + 1);
        if (path.empty()) {
            std::cerr << zintor::kErrorLinePrefix << option
                      << (option == "--json" ? " needs a report log" : " needs a folder")
                      << " (see zintor --help)\n";
            return 1;
        }
        return option == "--json" ? zintor::RunJsonCommand(path, std::cout, std::cerr)
                                  : zintor::RunFolderPages(path, std::cout, std::cerr);
    }
    // "--show LOG": the window on that log, as the file manager's "open with" asks for it.
    // The applications menu runs the same line without a file: then the window as usual.
    if (option == "--show")
        return zintor::RunWindow(argv[0], std::cerr, zintor::CommandLineTail(argc - 1, argv + 1));
    // A tail that names a folder starts the window as without one.
    if (tail.empty() || zintor::FolderAccess(tail) == 0)
        return zintor::RunWindow(argv[0], std::cerr);
    // Interrupted, the run takes its temporary file with it; the window has its own way.
    zintor::RemoveTemporaryFilesOnSignals();
    return zintor::RunCommandLine(tail, std::cerr);
}
