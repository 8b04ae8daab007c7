// Decoding and encoding of text-file bytes.
#include "platform/TextCodec.h"

#include "platform/Cp932.h"

namespace zintor {

TextEncoding EncodingForLanguage(int uiLanguage) {
    return uiLanguage == 0 ? TextEncoding::Cp932 : TextEncoding::Latin1;
}

void DecodeAppend(TextEncoding encoding, std::string_view bytes, std::u16string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    std::size_t base = out.size();
    out.resize(base + bytes.size());  // never more characters than bytes
    char16_t* o = out.data() + base;
    if (encoding == TextEncoding::Latin1) {
        while (p < end) *o++ = *p++;
    } else {
        while (p < end) {
            unsigned char b = *p;
            if (b < 0x80) {
                *o++ = b;
                ++p;
                continue;
            }
            int ch = -1;
            if (cp932::IsLeadByte(b)) {
                if (p + 1 < end) ch = cp932::DecodePair(b, p[1]);
                if (ch >= 0) {
                    *o++ = static_cast<char16_t>(ch);
                    p += 2;
                    continue;
                }
            } else {
                ch = cp932::DecodeSingle(b);
            }
            *o++ = ch >= 0 ? static_cast<char16_t>(ch) : u'\uFFFD';
            ++p;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

void EncodeLinesAppend(TextEncoding encoding, std::u16string_view text, std::string& out) {
    out.reserve(out.size() + text.size() + text.size() / 8);
    for (char16_t ch : text) {
        if (ch == u'\n') {
            out += "\r\n";
        } else if (ch < 0x80 || (encoding == TextEncoding::Latin1 && ch <= 0xFF)) {
            out += static_cast<char>(ch);
        } else if (encoding == TextEncoding::Latin1) {
            out += '?';
        } else {
            unsigned char bytes[2];
            int n = cp932::Encode(ch, bytes);
            if (n == 0)
                out += '?';
            else
                out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n));
        }
    }
}

}  // namespace zintor
