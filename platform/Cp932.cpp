// Code page 932 tables and lookups. The tables come from tools/gen_cp932_table.py and live in
// read-only data: nothing is built at run time.
#include "platform/Cp932.h"

#include <algorithm>
#include <iterator>

namespace zintor::cp932 {
namespace {

#include "platform/Cp932Table.inc"

// Row of a lead byte in kCp932Double.
int LeadRow(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
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
    if (ch < 0x80) {
        out[0] = static_cast<unsigned char>(ch);
        return 1;
    }
    const Cp932Encoding* end = kCp932Encode + std::size(kCp932Encode);
    const Cp932Encoding* found = std::lower_bound(
        kCp932Encode, end, ch, [](const Cp932Encoding& e, char16_t c) { return e.ch < c; });
    if (found == end || found->ch != ch) return 0;
    if (found->bytes <= 0xFF) {
        out[0] = static_cast<unsigned char>(found->bytes);
        return 1;
    }
    out[0] = static_cast<unsigned char>(found->bytes >> 8);
    out[1] = static_cast<unsigned char>(found->bytes & 0xFF);
    return 2;
}

}  // namespace zintor::cp932
