// Loaded into the program under test with LD_PRELOAD: the system's limits of change watches
// reached, as on a machine whose other programs took them all. ZINTOR_TEST_NO_INOTIFY says
// which: "instances" (no watcher can be made: EMFILE) or "watches" (a watcher, but no folder
// can be added to it: ENOSPC). Anything else leaves the calls to the C library.
#include <dlfcn.h>
#include <sys/inotify.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool Refused(const char* limit) {
    const char* which = std::getenv("ZINTOR_TEST_NO_INOTIFY");
    return which && std::strcmp(which, limit) == 0;
}

template <typename Function>
Function* Real(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int inotify_init() noexcept {
    if (Refused("instances")) {
        errno = EMFILE;
        return -1;
    }
    return Real<int()>("inotify_init")();
}

int inotify_init1(int flags) noexcept {
    if (Refused("instances")) {
        errno = EMFILE;
        return -1;
    }
    return Real<int(int)>("inotify_init1")(flags);
}

int inotify_add_watch(int fd, const char* path, std::uint32_t mask) noexcept {
    if (Refused("watches")) {
        errno = ENOSPC;
        return -1;
    }
    return Real<int(int, const char*, std::uint32_t)>("inotify_add_watch")(fd, path, mask);
}

}  // extern "C"
