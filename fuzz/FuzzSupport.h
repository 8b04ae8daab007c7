// Helpers shared by the fuzz targets: a check that stops the run with a message, and a
// scratch folder of the process's own, whose files are written and read with the tests' own
// helpers.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/TestSupport.h"

namespace zintor::fuzz {

// Stops the run: libFuzzer then saves the input that got here.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
    std::abort();
}

inline void Check(bool ok, const char* what, const std::string& detail = {}) {
    if (!ok) Fail(what, detail);
}

// A folder of this process, made on first use and removed when the process ends.
inline const test::TempDir& ScratchDir() {
    static const test::TempDir dir;
    return dir;
}

inline std::string ScratchPath(std::string_view name) { return ScratchDir() / name; }

}  // namespace zintor::fuzz
