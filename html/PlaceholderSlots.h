// The 46 placeholders of a template section and the value slots that fill them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zintor {

enum Slot : int {
    kTitle,
    kBodyTitle,
    kNameTag,
    kHrefTag,
    kDate,
    kTime,
    kSend,
    kRecv,
    kSendKb,
    kRecvKb,
    kSendMb,
    kRecvMb,
    kSendGb,
    kRecvGb,
    kSendPer,
    kRecvPer,
    kSendH,
    kRecvH,
    kCapTime,
    kSendSpd,
    kRecvSpd,
    kSendSpdMb,
    kRecvSpdMb,
    kSendSpdKbps,
    kRecvSpdKbps,
    kSendSpdMbps,
    kRecvSpdMbps,
    // The month at a glance, filled for html_header: peak one-interval rates and their rows,
    // the 95th percentile of five-minute rates, the month-end estimate and the allowance.
    kPeakSend,
    kPeakRecv,
    kPeakSendAt,
    kPeakRecvAt,
    kPctlSend,
    kPctlRecv,
    kPctlBilled,
    kPctlMbps,
    kEstSend,
    kEstRecv,
    kEstNote,
    kAllow,
    kAllowUsed,
    kAllowLeft,
    kAllowPer,
    kAllowDay,
    kAllowW,
    kAllowLevel,
    kAllowCounts,
    kSlotCount
};

// The placeholder text of each slot, "$TITLE$" to "$ALLOW_COUNTS$", in slot order.
extern const std::array<std::u16string_view, kSlotCount> kPlaceholders;

// The value slots, of characters (char16_t) or of the page's bytes (char): a page is filled
// in its own encoding, so that its sections and values need no converting as it is written.
template <typename Char>
class BasicPlaceholderSlots {
  public:
    static constexpr std::size_t kMaxValue = 1023;  // a slot holds 1,024 code units with its NUL

    // Empties all the slots; they keep their room, so that filling them again allocates nothing.
    void Clear() {
        for (auto& value : values_) value.clear();
    }
    // Sets a slot's value: its text up to the first NUL, at most 1,023 code units.
    void Set(int slot, std::basic_string_view<Char> value) {
        if (std::size_t nul = value.find(Char(0)); nul != value.npos) value = value.substr(0, nul);
        if (value.size() > kMaxValue) value = value.substr(0, kMaxValue);
        Assign(slot, value);
    }
    // Sets a slot's value as it is: text already cut to what Set keeps (of characters, before
    // they were encoded as bytes).
    void Assign(int slot, std::basic_string_view<Char> value) {
        values_[static_cast<std::size_t>(slot)].assign(value);
    }
    const std::basic_string<Char>& Value(int slot) const {
        return values_[static_cast<std::size_t>(slot)];
    }

  private:
    std::array<std::basic_string<Char>, kSlotCount> values_;
};

using PlaceholderSlots = BasicPlaceholderSlots<char16_t>;
// Slots holding the page's bytes.
using PageSlots = BasicPlaceholderSlots<char>;

// Replaces the placeholders of sectionText with the slot values, one placeholder after the
// other in slot order, each at every non-overlapping occurrence from left to right; text
// inserted for one placeholder takes part in the replacement of the later ones. The result
// goes to filledText. Bytes of code page 932 are filled as their characters would be: a
// placeholder's bytes never lie inside a two-byte character ('$' is never a second byte).
template <typename Char>
void FillPlaceholders(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                      const BasicPlaceholderSlots<Char>& slots,
                      std::basic_string<Char>& filledText);

// The same, literally one pass per placeholder; the reference for the fast path above.
template <typename Char>
void FillPlaceholdersByPasses(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                              const BasicPlaceholderSlots<Char>& slots,
                              std::basic_string<Char>& filledText);

// The same into out, which takes the filled text a piece at a time (out.Append(text)): a large
// section is written as it is filled rather than first copied whole.
template <typename Char, typename Out>
void FillPlaceholdersInto(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                          const BasicPlaceholderSlots<Char>& slots, Out& out);

namespace detail {

// The placeholder of a slot in the characters of Char: "$TITLE$" ... (ASCII, so the same
// bytes in every encoding of a page).
template <typename Char>
std::basic_string_view<Char> PlaceholderOf(int slot);

template <typename Char>
bool IsNameChar(Char ch) {
    return (ch >= Char('A') && ch <= Char('Z')) || ch == Char('_');
}

template <typename Char>
bool AllNameChars(std::basic_string_view<Char> text) {
    for (Char ch : text)
        if (!IsNameChar(ch)) return false;
    return true;
}

// The slot whose placeholder is "$" + name + "$", or -1.
template <typename Char>
int SlotOfName(std::basic_string_view<Char> name) {
    if (name.size() < 4 || name.size() > 13 || !AllNameChars(name)) return -1;
    for (int k = 0; k < kSlotCount; ++k) {
        std::basic_string_view<Char> p = PlaceholderOf<Char>(k);
        if (p.size() == name.size() + 2 && p.substr(1, name.size()) == name) return k;
    }
    return -1;
}

struct Occurrence {
    std::size_t pair;  // index of its opening '$' among the '$' of the text
    int slot;
};

// Where the '$' of a section lie and which of their pairs are placeholders; kept from one
// section to the next so that filling allocates nothing once they have grown.
struct FillScratch {
    std::vector<std::size_t> dollars;
    std::vector<Occurrence> found;
};
FillScratch& ThreadFillScratch();

template <typename Char>
struct StringOut {
    std::basic_string<Char>& text;
    void Append(std::basic_string_view<Char> piece) { text.append(piece); }
};

}  // namespace detail

template <typename Char>
void FillPlaceholdersByPasses(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                              const BasicPlaceholderSlots<Char>& slots,
                              std::basic_string<Char>& filledText) {
    filledText.assign(sectionText);
    std::basic_string<Char> next;
    for (int k = 0; k < kSlotCount; ++k) {
        std::basic_string_view<Char> placeholder = detail::PlaceholderOf<Char>(k);
        std::size_t at = filledText.find(placeholder);
        if (at == filledText.npos) continue;
        const std::basic_string<Char>& value = slots.Value(k);
        next.clear();
        std::size_t from = 0;
        for (; at != filledText.npos; at = filledText.find(placeholder, from)) {
            next.append(filledText, from, at - from);
            next += value;
            from = at + placeholder.size();
        }
        next.append(filledText, from);
        filledText.swap(next);
    }
}

// Replacement is defined as one pass per placeholder, one per placeholder in slot order. A
// placeholder is
// "$NAME$" with no '$' inside, so each occurrence spans two consecutive '$' of the text.
// When the occurrences share no '$', no value holds a '$', and no value can join the text
// beside it into a new "$NAME$", the passes replace exactly the occurrences found in the
// section itself; the fill then does all of them in one scan and falls back to the passes
// otherwise.
template <typename Char, typename Out>
void FillPlaceholdersInto(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                          const BasicPlaceholderSlots<Char>& slots, Out& out) {
    using View = std::basic_string_view<Char>;
    detail::FillScratch& scratch = detail::ThreadFillScratch();
    std::vector<std::size_t>& dollars = scratch.dollars;
    std::vector<detail::Occurrence>& found = scratch.found;
    dollars.clear();
    found.clear();
    for (std::size_t i = sectionText.find(Char('$')); i != View::npos;
         i = sectionText.find(Char('$'), i + 1))
        dollars.push_back(i);
    if (dollars.size() < 2) {
        out.Append(sectionText);
        return;
    }
    auto gap = [&](std::size_t pair) {  // the text between '$' number pair and the next '$'
        return sectionText.substr(dollars[pair] + 1, dollars[pair + 1] - dollars[pair] - 1);
    };
    auto byPasses = [&] {
        std::basic_string<Char> filled;
        FillPlaceholdersByPasses(sectionText, slots, filled);
        out.Append(filled);
    };
    for (std::size_t t = 0; t + 1 < dollars.size(); ++t) {
        int slot = detail::SlotOfName(gap(t));
        if (slot < 0) continue;
        if (!found.empty() && found.back().pair + 1 == t) return byPasses();  // a shared '$'
        const std::basic_string<Char>& value = slots.Value(slot);
        bool joinsLeft = t > 0 && detail::AllNameChars(gap(t - 1));
        bool joinsRight = t + 2 < dollars.size() && detail::AllNameChars(gap(t + 1));
        if (value.find(Char('$')) != value.npos ||
            (joinsLeft && joinsRight && detail::AllNameChars(View(value))))
            return byPasses();
        found.push_back({t, slot});
    }
    std::size_t from = 0;
    for (const detail::Occurrence& o : found) {
        out.Append(sectionText.substr(from, dollars[o.pair] - from));
        out.Append(slots.Value(o.slot));
        from = dollars[o.pair + 1] + 1;
    }
    out.Append(sectionText.substr(from));
}

template <typename Char>
void FillPlaceholders(std::type_identity_t<std::basic_string_view<Char>> sectionText,
                      const BasicPlaceholderSlots<Char>& slots,
                      std::basic_string<Char>& filledText) {
    filledText.clear();
    detail::StringOut<Char> out{filledText};
    FillPlaceholdersInto(sectionText, slots, out);
}

}  // namespace zintor
