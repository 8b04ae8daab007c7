// Slot values and placeholder replacement.
//
// Replacement is defined as 27 passes, one per placeholder in slot order. A placeholder is
// "$NAME$" with no '$' inside, so each occurrence spans two consecutive '$' of the text.
// When the occurrences share no '$', no value holds a '$', and no value can join the text
// beside it into a new "$NAME$", the passes replace exactly the occurrences found in the
// section itself; FillPlaceholders then does all of them in one scan and falls back to the
// passes otherwise.
#include "html/PlaceholderSlots.h"

#include <vector>

namespace zintor {

const std::array<std::u16string_view, kSlotCount> kPlaceholders = {
    u"$TITLE$",         u"$BODYTITLE$",     u"$NAMETAG$",       u"$HREFTAG$",
    u"$DATE$",          u"$TIME$",          u"$SEND$",          u"$RECV$",
    u"$SEND_KB$",       u"$RECV_KB$",       u"$SEND_MB$",       u"$RECV_MB$",
    u"$SEND_GB$",       u"$RECV_GB$",       u"$SEND_PER$",      u"$RECV_PER$",
    u"$SEND_H$",        u"$RECV_H$",        u"$CAP_TIME$",      u"$SEND_SPD$",
    u"$RECV_SPD$",      u"$SEND_SPD_MB$",   u"$RECV_SPD_MB$",   u"$SEND_SPD_KBPS$",
    u"$RECV_SPD_KBPS$", u"$SEND_SPD_MBPS$", u"$RECV_SPD_MBPS$",
};

void PlaceholderSlots::Clear() {
    for (auto& value : values_) value.clear();
}

void PlaceholderSlots::Set(int slot, std::u16string_view value) {
    if (std::size_t nul = value.find(u'\0'); nul != std::u16string_view::npos)
        value = value.substr(0, nul);
    if (value.size() > kMaxValue) value = value.substr(0, kMaxValue);
    values_[static_cast<std::size_t>(slot)].assign(value);
}

void FillPlaceholdersByPasses(std::u16string_view sectionText, const PlaceholderSlots& slots,
                              std::u16string& filledText) {
    filledText.assign(sectionText);
    std::u16string next;
    for (int k = 0; k < kSlotCount; ++k) {
        std::u16string_view placeholder = kPlaceholders[static_cast<std::size_t>(k)];
        std::size_t at = filledText.find(placeholder);
        if (at == std::u16string::npos) continue;
        const std::u16string& value = slots.Value(k);
        next.clear();
        std::size_t from = 0;
        for (; at != std::u16string::npos; at = filledText.find(placeholder, from)) {
            next.append(filledText, from, at - from);
            next += value;
            from = at + placeholder.size();
        }
        next.append(filledText, from);
        filledText.swap(next);
    }
}

namespace {

bool IsNameChar(char16_t ch) { return (ch >= u'A' && ch <= u'Z') || ch == u'_'; }

bool AllNameChars(std::u16string_view text) {
    for (char16_t ch : text)
        if (!IsNameChar(ch)) return false;
    return true;
}

// The slot whose placeholder is "$" + name + "$", or -1.
int SlotOfName(std::u16string_view name) {
    if (name.size() < 4 || name.size() > 13 || !AllNameChars(name)) return -1;
    for (int k = 0; k < kSlotCount; ++k) {
        std::u16string_view p = kPlaceholders[static_cast<std::size_t>(k)];
        if (p.size() == name.size() + 2 && p.substr(1, name.size()) == name) return k;
    }
    return -1;
}

struct Occurrence {
    std::size_t pair;  // index of its opening '$' among the '$' of the text
    int slot;
};

}  // namespace

void FillPlaceholders(std::u16string_view sectionText, const PlaceholderSlots& slots,
                      std::u16string& filledText) {
    thread_local std::vector<std::size_t> dollars;
    thread_local std::vector<Occurrence> found;
    dollars.clear();
    found.clear();
    for (std::size_t i = sectionText.find(u'$'); i != std::u16string_view::npos;
         i = sectionText.find(u'$', i + 1))
        dollars.push_back(i);
    if (dollars.size() < 2) {
        filledText.assign(sectionText);
        return;
    }
    auto gap = [&](std::size_t pair) {  // the text between '$' number pair and the next '$'
        return sectionText.substr(dollars[pair] + 1, dollars[pair + 1] - dollars[pair] - 1);
    };
    for (std::size_t t = 0; t + 1 < dollars.size(); ++t) {
        int slot = SlotOfName(gap(t));
        if (slot < 0) continue;
        if (!found.empty() && found.back().pair + 1 == t) {  // shares a '$' with the one before
            FillPlaceholdersByPasses(sectionText, slots, filledText);
            return;
        }
        const std::u16string& value = slots.Value(slot);
        bool joinsLeft = t > 0 && AllNameChars(gap(t - 1));
        bool joinsRight = t + 2 < dollars.size() && AllNameChars(gap(t + 1));
        if (value.find(u'$') != std::u16string::npos ||
            (joinsLeft && joinsRight && AllNameChars(value))) {
            FillPlaceholdersByPasses(sectionText, slots, filledText);
            return;
        }
        found.push_back({t, slot});
    }
    filledText.clear();
    std::size_t from = 0;
    for (const Occurrence& o : found) {
        filledText.append(sectionText.substr(from, dollars[o.pair] - from));
        filledText += slots.Value(o.slot);
        from = dollars[o.pair + 1] + 1;
    }
    filledText.append(sectionText.substr(from));
}

}  // namespace zintor
