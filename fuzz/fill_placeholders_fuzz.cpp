// Fuzz target: placeholder replacement with arbitrary slot values. The bytes, split at each
// 0x01 byte, are the section text and then the values of slots 0, 1, 2, ... (missing ones
// empty); each byte is one character, bytes from 0xF8 up stand for characters beyond
// U+00FF. The one-scan replacement must give exactly what the 27 passes give.
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "html/PlaceholderSlots.h"

namespace {

std::u16string Characters(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        auto c = static_cast<unsigned char>(b);
        text += static_cast<char16_t>(c >= 0xF8 ? 0x3000 + c : c);
    }
    return text;
}

std::string Printable(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zintor;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t cut = input.find('\x01');
    std::u16string section = Characters(input.substr(0, cut));
    PlaceholderSlots slots;
    for (int slot = 0; slot < kSlotCount && cut != std::string_view::npos; ++slot) {
        std::size_t from = cut + 1;
        cut = input.find('\x01', from);
        std::u16string value =
            Characters(input.substr(from, cut == std::string_view::npos ? cut : cut - from));
        slots.Set(slot, value);
        const std::u16string& kept = slots.Value(slot);
        zintor::fuzz::Check(kept.size() <= PlaceholderSlots::kMaxValue &&
                                kept.find(u'\0') == std::u16string::npos &&
                                std::u16string_view(value).substr(0, kept.size()) == kept,
                            "a slot keeps other than the value's start up to its first NUL");
    }
    static std::u16string fast, passes;
    FillPlaceholders(section, slots, fast);
    FillPlaceholdersByPasses(section, slots, passes);
    zintor::fuzz::Check(fast == passes, "one scan and 27 passes differ:",
                        "\n  scan:   " + Printable(fast) + "\n  passes: " + Printable(passes));
    return 0;
}
