// The byte encodings of text files: logs, templates and pages are read and written in the
// encoding of the user-interface language.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

enum class TextEncoding {
    Latin1,  // the "C" byte mapping: byte n is the character U+00nn
    Cp932,   // code page 932, for the Japanese user interface
};

// Code page 932 for the Japanese user interface (language 0), the byte mapping otherwise.
TextEncoding EncodingForLanguage(int uiLanguage);

// Appends the characters of bytes to out. A byte sequence without a character becomes
// U+FFFD and decoding goes on with the next byte.
void DecodeAppend(TextEncoding encoding, std::string_view bytes, std::u16string& out);

// Appends the bytes of text to out, each line feed as CR LF. A character the encoding
// cannot represent is written as '?'.
void EncodeLinesAppend(TextEncoding encoding, std::u16string_view text, std::string& out);

}  // namespace zintor
