// zintor's entry point. With a report log on the command line it writes the page and exits
// without loading any toolkit; otherwise it starts the window.
#include <cstdio>
#include <iostream>

#include "app/CommandLine.h"
#include "app/WindowLauncher.h"
#include "platform/FileSystem.h"

int main(int argc, char** argv) {
    std::string tail = zintor::CommandLineTail(argc, argv);
    if (tail == "--help") {
        std::cout << zintor::UsageText();
        return 0;
    }
    if (tail == "--version") {
        std::cout << zintor::kVersionText << '\n';
        return 0;
    }
    // A tail that names a folder starts the window there (it becomes the current directory).
    if (tail.empty() || zintor::ChangeDirectory(tail)) return zintor::RunWindow(argv[0], std::cerr);
    return zintor::RunCommandLine(tail, std::cerr);
}
