// The 27 placeholders of a template section and the value slots that fill them.
#pragma once

#include <array>
#include <string>
#include <string_view>

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
    kSlotCount
};

// The placeholder text of each slot, "$TITLE$" to "$RECV_SPD_MBPS$", in slot order.
extern const std::array<std::u16string_view, kSlotCount> kPlaceholders;

class PlaceholderSlots {
  public:
    static constexpr std::size_t kMaxValue = 1023;  // a slot holds 1,024 code units with its NUL

    // Empties all 27 slots.
    void Clear();
    // Sets a slot's value: its text up to the first NUL, at most 1,023 code units.
    void Set(int slot, std::u16string_view value);
    const std::u16string& Value(int slot) const { return values_[static_cast<std::size_t>(slot)]; }

  private:
    std::array<std::u16string, kSlotCount> values_;
};

// Replaces the placeholders of sectionText with the slot values, one placeholder after the
// other in slot order, each at every non-overlapping occurrence from left to right; text
// inserted for one placeholder takes part in the replacement of the later ones. The result
// goes to filledText.
void FillPlaceholders(std::u16string_view sectionText, const PlaceholderSlots& slots,
                      std::u16string& filledText);

// The same, literally one pass per placeholder; the reference for the fast path above.
void FillPlaceholdersByPasses(std::u16string_view sectionText, const PlaceholderSlots& slots,
                              std::u16string& filledText);

}  // namespace zintor
