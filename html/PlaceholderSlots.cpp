// The placeholders' texts, in characters and in bytes, and the fill's scratch room.
#include "html/PlaceholderSlots.h"

namespace zintor {

const std::array<std::u16string_view, kSlotCount> kPlaceholders = {
    u"$TITLE$",         u"$BODYTITLE$",     u"$NAMETAG$",       u"$HREFTAG$",
    u"$DATE$",          u"$TIME$",          u"$SEND$",          u"$RECV$",
    u"$SEND_KB$",       u"$RECV_KB$",       u"$SEND_MB$",       u"$RECV_MB$",
    u"$SEND_GB$",       u"$RECV_GB$",       u"$SEND_PER$",      u"$RECV_PER$",
    u"$SEND_H$",        u"$RECV_H$",        u"$CAP_TIME$",      u"$SEND_SPD$",
    u"$RECV_SPD$",      u"$SEND_SPD_MB$",   u"$RECV_SPD_MB$",   u"$SEND_SPD_KBPS$",
    u"$RECV_SPD_KBPS$", u"$SEND_SPD_MBPS$", u"$RECV_SPD_MBPS$", u"$PEAK_SEND$",
    u"$PEAK_RECV$",     u"$PEAK_SEND_AT$",  u"$PEAK_RECV_AT$",  u"$PCTL_SEND$",
    u"$PCTL_RECV$",     u"$PCTL_BILLED$",   u"$PCTL_MBPS$",     u"$EST_SEND$",
    u"$EST_RECV$",      u"$EST_NOTE$",      u"$ALLOW$",         u"$ALLOW_USED$",
    u"$ALLOW_LEFT$",    u"$ALLOW_PER$",     u"$ALLOW_DAY$",     u"$ALLOW_W$",
    u"$ALLOW_LEVEL$",   u"$ALLOW_COUNTS$",
};

namespace {

// The same placeholders as bytes.
struct PlaceholderBytes {
    std::array<std::string, kSlotCount> text;
    PlaceholderBytes() {
        for (int k = 0; k < kSlotCount; ++k)
            for (char16_t ch : kPlaceholders[static_cast<std::size_t>(k)])
                text[static_cast<std::size_t>(k)] += static_cast<char>(ch);
    }
};

}  // namespace

namespace detail {

template <>
std::u16string_view PlaceholderOf<char16_t>(int slot) {
    return kPlaceholders[static_cast<std::size_t>(slot)];
}

template <>
std::string_view PlaceholderOf<char>(int slot) {
    static const PlaceholderBytes bytes;
    return bytes.text[static_cast<std::size_t>(slot)];
}

FillScratch& ThreadFillScratch() {
    thread_local FillScratch scratch;
    return scratch;
}

}  // namespace detail
}  // namespace zintor
