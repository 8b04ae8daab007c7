// The table of --list, in columns.
#include "record/InterfaceListing.h"

#include <algorithm>
#include <array>

namespace zintor {
namespace {

using Line = std::array<std::string, 5>;

Line LineOf(const InterfaceReading& reading, const std::vector<InterfacePattern>& patterns) {
    InterfaceChoice choice = ChooseInterface(reading, patterns);
    return {reading.name, std::to_string(reading.sent), std::to_string(reading.received),
            choice.counted ? "yes" : "no", choice.why};
}

}  // namespace

std::string ListInterfaces(const std::vector<InterfaceReading>& readings,
                           const std::vector<InterfacePattern>& patterns) {
    std::vector<Line> lines{{"INTERFACE", "SENT", "RECEIVED", "COUNTED", "WHY"}};
    for (const InterfaceReading& reading : readings) lines.push_back(LineOf(reading, patterns));
    std::array<std::size_t, 5> width{};
    for (const Line& line : lines)
        for (std::size_t c = 0; c < width.size(); ++c)
            width[c] = std::max(width[c], line[c].size());
    std::string text;
    for (const Line& line : lines) {
        for (std::size_t c = 0; c < 4; ++c) {
            bool number = c == 1 || c == 2;  // counts line up on the right
            std::string pad(width[c] - line[c].size(), ' ');
            text += number ? pad + line[c] : line[c] + pad;
            text += "  ";
        }
        text += line[4] + "\n";
    }
    return text;
}

}  // namespace zintor
