// Code page 932 tables and lookups. The tables come from tools/gen_cp932_table.py.
#include "platform/Cp932.h"

#include <array>
#include <memory>

namespace zintor::cp932 {
namespace {

#include "platform/Cp932Table.inc"

// Row of a lead byte in kCp932Double.
int LeadRow(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

constexpr std::uint16_t kNoBytes = 0xFFFF;  // 0xFF is never a lead byte

// Character -> bytes (single bytes as 0x00nn, pairs as lead * 256 + trail). Where several
// byte pairs decode to the same character, the lowest pair wins, so that for example U+2252
// writes 0x81E0 and not its NEC duplicate 0x8790.
const std::array<std::uint16_t, 65536>& EncodeTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 65536>>();
        t->fill(kNoBytes);
        for (int b = 0; b < 256; ++b) {
            char16_t ch = kCp932Single[b];
            if ((ch != 0 || b == 0) && (*t)[ch] == kNoBytes) (*t)[ch] = static_cast<std::uint16_t>(b);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = kCp932TrailFirst; trail <= kCp932TrailLast; ++trail) {
                char16_t ch = kCp932Double[LeadRow(static_cast<unsigned char>(lead)) * kCp932TrailCount +
                                           trail - kCp932TrailFirst];
                if (ch != 0 && (*t)[ch] == kNoBytes)
                    (*t)[ch] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        for (const auto& e : kCp932EncodeOnly) (*t)[e.ch] = e.bytes;
        return t;
    }();
    return *table;
}

}  // namespace

int DecodeSingle(unsigned char b) {
    if (IsLeadByte(b)) return -1;
    char16_t ch = kCp932Single[b];
    return ch != 0 || b == 0 ? ch : -1;
}

int DecodePair(unsigned char lead, unsigned char trail) {
    if (!IsLeadByte(lead) || trail < kCp932TrailFirst || trail > kCp932TrailLast) return -1;
    char16_t ch = kCp932Double[LeadRow(lead) * kCp932TrailCount + trail - kCp932TrailFirst];
    return ch != 0 ? ch : -1;
}

int Encode(char16_t ch, unsigned char out[2]) {
    std::uint16_t bytes = EncodeTable()[ch];
    if (bytes == kNoBytes) return 0;
    if (bytes <= 0xFF) {
        out[0] = static_cast<unsigned char>(bytes);
        return 1;
    }
    out[0] = static_cast<unsigned char>(bytes >> 8);
    out[1] = static_cast<unsigned char>(bytes & 0xFF);
    return 2;
}

}  // namespace zintor::cp932
