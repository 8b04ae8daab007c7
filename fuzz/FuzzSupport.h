// Helpers shared by the fuzz targets: a scratch folder of the process's own (in memory when
// /dev/shm is there), files written into it, and a check that stops the run with a message.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace zintor::fuzz {

// Stops the run: libFuzzer then saves the input that got here.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
    std::abort();
}

inline void Check(bool ok, const char* what, const std::string& detail = {}) {
    if (!ok) Fail(what, detail);
}

// The names in a folder, "." and ".." left out.
inline std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                names.push_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

inline void RemoveAll(const std::string& folder) {
    for (const std::string& name : Entries(folder)) ::unlink((folder + "/" + name).c_str());
    ::rmdir(folder.c_str());
}

// A folder of this process, made on first use and removed when the process ends.
inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                              std::string("/zintor-fuzz-XXXXXX");
        if (!::mkdtemp(pattern.data())) Fail("mkdtemp", pattern);
        return pattern;
    }();
    static const bool cleanup = [] { return std::atexit([] { RemoveAll(ScratchDir()); }) == 0; }();
    (void)cleanup;
    return dir;
}

inline std::string ScratchPath(std::string_view name) {
    return ScratchDir() + "/" + std::string(name);
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail("open", path);
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) Fail("write", path);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    ::close(fd);
}

inline std::string ReadFile(const std::string& path) {
    std::string bytes;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    char chunk[65536];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, static_cast<std::size_t>(n));
    ::close(fd);
    return bytes;
}

}  // namespace zintor::fuzz
