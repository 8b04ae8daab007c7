// Display check, dlopen of the window module and its entry.
#include "app/WindowLauncher.h"

#include <dlfcn.h>

#include <cstdlib>
#include <ostream>

#include "app/ErrorLine.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int RunWindow(const char* programName, std::ostream& err, const std::string& logToShow) {
    if (!HasDisplay()) {
        err << kErrorLinePrefix
            << "no display to open the window on (DISPLAY is not set); "
               "give a report log to write its page without a window\n";
        return 1;
    }
    std::string module = FolderOf(ModulePath()) + kWindowModuleName;
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        err << kErrorLinePrefix << "cannot load the window module: " << (why ? why : module.c_str())
            << '\n';
        return 1;
    }
    using Entry = int (*)(int, char**, const char*);
    auto run = reinterpret_cast<Entry>(::dlsym(handle, "zintor_gui_run"));
    if (!run) {
        err << kErrorLinePrefix << "cannot load the window module: " << module
            << " has no entry zintor_gui_run\n";
        return 1;
    }
    // The toolkit sees only the program's name: the command line was read already.
    std::string name = programName ? programName : "zintor";
    char* argv[] = {name.data(), nullptr};
    return run(1, argv, logToShow.c_str());
    // The module stays loaded until the process ends: the toolkit's cleanup runs at exit.
}

}  // namespace zintor
