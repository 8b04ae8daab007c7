// Filling template sections from the 27 value slots.
#include "html/PlaceholderSlots.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/TextCodec.h"

namespace zintor {
namespace {

std::u16string Fill(std::u16string_view text, const PlaceholderSlots& slots) {
    std::u16string out;
    FillPlaceholders(text, slots, out);
    std::u16string byPasses;
    FillPlaceholdersByPasses(text, slots, byPasses);
    EXPECT_EQ(out, byPasses) << "fast path and passes disagree";
    return out;
}

TEST(PlaceholderSlots, ReplacesEachPlaceholderInSlotOrder) {
    struct Case {
        const char* name;
        std::u16string text;
        std::vector<std::pair<int, std::u16string>> values;
        std::u16string filled;
    };
    const Case cases[] = {
        {"every occurrence", u"$DATE$-$DATE$-$DATE$", {{kDate, u"d"}}, u"d-d-d"},
        {"letter case counts", u"$date$ $Date$", {{kDate, u"d"}}, u"$date$ $Date$"},
        {"names are delimited by their dollar signs",
         u"$CAP_TIME$ $BODYTITLE$ $SEND_KB$ $SEND_SPD$ $TIME$ $TITLE$ $SEND$",
         {{kTime, u"t"},
          {kTitle, u"T"},
          {kSend, u"s"},
          {kCapTime, u"c"},
          {kBodyTitle, u"b"},
          {kSendKb, u"k"},
          {kSendSpd, u"p"}},
         u"c b k p t T s"},
        {"an empty slot removes its placeholder", u"[$HREFTAG$][$TITLE$]", {}, u"[][]"},
        {"unknown names stay", u"$FOO$ $SEND_XB$ $$ $", {}, u"$FOO$ $SEND_XB$ $$ $"},
        {"a later placeholder inside an earlier value is replaced",
         u"$TITLE$",
         {{kTitle, u"<$DATE$>"}, {kDate, u"d"}},
         u"<d>"},
        {"an earlier placeholder inside a later value stays",
         u"$DATE$",
         {{kDate, u"<$TITLE$>"}, {kTitle, u"t"}},
         u"<$TITLE$>"},
        {"a value is not expanded again for its own placeholder",
         u"$SEND$",
         {{kSend, u"$SEND$$SEND$"}},
         u"$SEND$$SEND$"},
        {"no placeholder: the text is unchanged",
         u"<td>plain</td>\n",
         {{kDate, u"d"}},
         u"<td>plain</td>\n"},
        {"shared dollar: the earlier slot wins",
         u"$DATE$TITLE$",
         {{kDate, u"d"}, {kTitle, u"t"}},
         u"$DATEt"},
        {"shared dollar, other order", u"$TITLE$DATE$", {{kDate, u"d"}, {kTitle, u"t"}}, u"tDATE$"},
        {"an empty value can join two halves into a later placeholder",
         u"$S$TITLE$END$",
         {{kSend, u"s"}},
         u"s"},
        {"a value can join into a later placeholder",
         u"$S$TITLE$$",
         {{kTitle, u"END"}, {kSend, u"s"}},
         u"s"},
        {"but not into an earlier one",
         u"$T$DATE$LE$",
         {{kDate, u"IT"}, {kTitle, u"x"}},
         u"$TITLE$"},
    };
    for (const auto& c : cases) {
        PlaceholderSlots slots;
        for (const auto& [slot, value] : c.values) slots.Set(slot, value);
        EXPECT_EQ(Fill(c.text, slots), c.filled) << c.name;
    }
}

TEST(PlaceholderSlots, ValuesEndAtNulAndHoldAtMost1023Characters) {
    PlaceholderSlots slots;
    slots.Set(kDate, std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(slots.Value(kDate), u"ab");
    slots.Set(kDate, std::u16string(2000, u'x'));
    EXPECT_EQ(slots.Value(kDate).size(), 1023u);
    slots.Clear();
    for (int k = 0; k < kSlotCount; ++k) EXPECT_TRUE(slots.Value(k).empty());
}

// The one-scan path must give what 27 literal passes give, whatever the text and values.
TEST(PlaceholderSlots, OneScanAgreesWithThePassesOnRandomText) {
    std::mt19937 random(12345);
    const std::u16string pieces[] = {u"$",  u"$",      u"$",      u"TITLE", u"DATE", u"SEND",
                                     u"S",  u"END",    u"_KB",    u"E",     u"x",    u"<td>",
                                     u" ",  u"$SEND$", u"$TIME$", u"IT",    u"LE",   u"",
                                     u"ソ", u"ア",     u"é\n",    u"\uFFFD"};
    auto randomText = [&](int maxPieces) {
        std::u16string text;
        int n = static_cast<int>(random() % static_cast<unsigned>(maxPieces));
        for (int i = 0; i < n; ++i) text += pieces[random() % std::size(pieces)];
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        PlaceholderSlots slots;
        for (int k = 0; k < kSlotCount; ++k)
            if (random() % 3 == 0) slots.Set(k, randomText(4));
        std::u16string text = randomText(14);
        std::u16string fast, passes;
        FillPlaceholders(text, slots, fast);
        FillPlaceholdersByPasses(text, slots, passes);
        ASSERT_EQ(fast, passes) << "round " << round;
        // Filled in a page's bytes, text and values encoded first, the page is the same.
        for (TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Cp932}) {
            PageSlots bytes;
            for (int k = 0; k < kSlotCount; ++k) {
                std::string value;
                EncodeLinesAppend(encoding, slots.Value(k), value);
                bytes.Assign(k, value);
            }
            std::string section, expected, filled;
            EncodeLinesAppend(encoding, text, section);
            EncodeLinesAppend(encoding, fast, expected);
            FillPlaceholders(section, bytes, filled);
            ASSERT_EQ(filled, expected) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace zintor
