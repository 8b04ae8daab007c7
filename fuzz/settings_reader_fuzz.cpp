// Fuzz target: the settings file. The bytes are the whole file. Every key the program keeps
// is read as text and as a number; then one key is written and read back.
//
// Checked: values read are at most 4,095 characters; a key written reads back as written,
// and every other key reads as it did before the write (the rewrite keeps the other lines).
#include <cstdint>
#include <string>

#include "app/FailureText.h"
#include "fuzz/FuzzSupport.h"
#include "platform/SettingsFile.h"

namespace {

constexpr const char* kKeys[] = {"LogFile", "Position", "IsTopMost", "IsSideMenu", "IsZoomed"};

std::size_t Utf8Characters(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zintor;
    if (size < 1) return 0;
    const std::string path = fuzz::ScratchPath("zintor.ini");
    // The first byte picks the key that is written.
    const char* written = kKeys[data[0] % 5];
    test::WriteFile(path, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    SettingsFile settings(path);

    std::string before[5];
    int numbers[5];
    for (int k = 0; k < 5; ++k) {
        before[k] = settings.ReadString("Settings", kKeys[k], "(none)");
        numbers[k] = settings.ReadInt("settings", kKeys[k], -7);
        fuzz::Check(Utf8Characters(before[k]) <= SettingsValues::kMaxValueChars,
                    "a value longer than 4,095 characters");
    }
    fuzz::Check(Utf8Characters(settings.ReadString("Settings", "LogFile", "", 10)) <= 10,
                "a value over its limit");

    const std::string value = "1:1:-1:-1:-1:-1:10:10:810:610";
    Failure failure = settings.WriteString("Settings", written, value);
    fuzz::Check(!failure, "write failed:", FailureText(failure));
    // Read back from the file itself, by a reader of its own.
    SettingsFile reread(path);
    for (int k = 0; k < 5; ++k) {
        std::string after = reread.ReadString("Settings", kKeys[k], "(none)");
        if (kKeys[k] == written) {
            fuzz::Check(after == value, "the written key reads back as", after);
        } else {
            fuzz::Check(after == before[k], "another key changed:",
                        std::string(kKeys[k]) + " " + before[k] + " -> " + after);
            fuzz::Check(reread.ReadInt("SETTINGS", kKeys[k], -7) == numbers[k],
                        "another key's number changed");
        }
    }
    fuzz::Check(test::CountEntries(fuzz::ScratchDir().path()) == 1, "a temporary file was left");
    return 0;
}
