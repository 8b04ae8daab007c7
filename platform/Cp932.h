// Code page 932 (Japanese Shift_JIS with its extensions): one character at a time.
#pragma once

#include <cstdint>

namespace zintor::cp932 {

// True for the first byte of a two-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The character of a single byte, or -1 when the byte is a lead byte or has none.
int DecodeSingle(unsigned char b);

// The character of a lead byte and a trail byte, or -1 when the pair has none.
int DecodePair(unsigned char lead, unsigned char trail);

// Writes the bytes of ch into out and returns how many (1 or 2); 0 when code page 932 has
// no bytes for ch.
int Encode(char16_t ch, unsigned char out[2]);

}  // namespace zintor::cp932
