// Byte encodings of text files: code page 932 for Japanese, the byte mapping for English.
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace zintor {
namespace {

std::u16string Decode(TextEncoding e, std::string_view bytes) {
    std::u16string out;
    DecodeAppend(e, bytes, out);
    return out;
}

std::string Encode(TextEncoding e, std::u16string_view text) {
    std::string out;
    EncodeLinesAppend(e, text, out);
    return out;
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

TEST(TextCodec, DecodesCodePage932) {
    const DecodeCase cases[] = {
        {"ascii stays", "a,1\\~", u"a,1\\~"},
        {"kanji pair", "\x93\xFA\x8C\x8E", u"日月"},
        {"half-width katakana", "\xB1", u"ｱ"},
        {"NEC special", "\x87\x40", u"①"},
        {"NEC-selected IBM row", "\xED\x40", u"纊"},
        {"bytes 0x80, 0xA0, 0xFD..0xFF", "\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
        {"lead byte before an invalid trail: only the lead is lost", "\x81\x20x", u"\uFFFD x"},
        {"unmapped pair", "\x85\x40", u"\uFFFD@"},
        {"lead byte at the end", "ab\x93", u"ab\uFFFD"},
        {"lead byte before a line feed keeps the line feed", "\x93\n", u"\uFFFD\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Decode(TextEncoding::Cp932, c.bytes), c.text) << c.name;
}

TEST(TextCodec, ByteMappingReadsEveryByteAsItsOwnCharacter) {
    std::string all;
    std::u16string expected;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        expected += static_cast<char16_t>(b);
    }
    EXPECT_EQ(Decode(TextEncoding::Latin1, all), expected);
    EXPECT_EQ(Encode(TextEncoding::Latin1, expected.substr(0, 10) + expected.substr(11)),
              all.substr(0, 10) + all.substr(11));
}

struct EncodeCase {
    const char* name;
    TextEncoding encoding;
    std::u16string text;
    std::string bytes;
};

TEST(TextCodec, EncodesWithCrLfAndReplacesWhatCannotBeWritten) {
    const EncodeCase cases[] = {
        {"line feeds become CR LF", TextEncoding::Latin1, u"a\nb\n", "a\r\nb\r\n"},
        {"a lone CR stays", TextEncoding::Cp932, u"a\rb", "a\rb"},
        {"labels of the Japanese page", TextEncoding::Cp932, u"年月日～時間分秒合計曜日",
         "\x94\x4E\x8C\x8E\x93\xFA\x81\x60\x8E\x9E\x8A\xD4\x95\xAA\x95\x62\x8D\x87\x8C\x76\x97\x6A"
         "\x93\xFA"},
        {"duplicates write their lowest bytes", TextEncoding::Cp932, u"≒ⅰ", "\x81\xE0\xEE\xEF"},
        {"characters that only encode", TextEncoding::Cp932, u"¬〜", "\x81\xCA\x81\x60"},
        {"no bytes in code page 932", TextEncoding::Cp932, u"\u00E9\uFFFD", "??"},
        {"beyond U+00FF in the byte mapping", TextEncoding::Latin1, u"\u00E9\u0100日", "\xE9??"},
    };
    for (const auto& c : cases) EXPECT_EQ(Encode(c.encoding, c.text), c.bytes) << c.name;
}

TEST(TextCodec, EveryCodePage932PairThatDecodesEncodesToAPairThatDecodesTheSame) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string text = Decode(TextEncoding::Cp932, bytes);
            if (text.size() != 1 || text[0] == u'\uFFFD') continue;
            std::string again = Encode(TextEncoding::Cp932, text);
            ASSERT_EQ(Decode(TextEncoding::Cp932, again), text) << std::hex << lead << ' ' << trail;
        }
    }
}

}  // namespace
}  // namespace zintor
