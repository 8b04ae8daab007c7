// The desktop's default handler through GIO, which the toolkit has loaded already.
#include "app/gui/AddressOpener.h"

#include <dlfcn.h>

namespace zintor {

bool OpenWithDefaultHandler(const std::string& address) {
    using Launch = int (*)(const char* uri, void* context, void** error);
    using FreeError = void (*)(void* error);
    void* gio = ::dlopen("libgio-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!gio) gio = ::dlopen("libgio-2.0.so.0", RTLD_LAZY);
    if (!gio) return false;
    auto launch = reinterpret_cast<Launch>(::dlsym(gio, "g_app_info_launch_default_for_uri"));
    auto freeError = reinterpret_cast<FreeError>(::dlsym(gio, "g_error_free"));
    bool opened = false;
    if (launch) {
        void* error = nullptr;
        opened = launch(address.c_str(), nullptr, &error) != 0;
        if (error && freeError) freeError(error);
    }
    ::dlclose(gio);
    return opened;
}

std::function<bool(const std::string&)>& AddressOpener() {
    static std::function<bool(const std::string&)> opener = OpenWithDefaultHandler;
    return opener;
}

}  // namespace zintor
