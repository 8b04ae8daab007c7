// Comment lines of report logs.
#include "logs/LogLineParser.h"

namespace zintor {

namespace detail {
const unsigned char kSplitKind[128] = {
    kNul, 0, 0,      0, 0, 0, 0, 0, 0, 0, kLineFeed, 0, 0,      0, 0, 0,  // 0x00
    0,    0, 0,      0, 0, 0, 0, 0, 0, 0, 0,         0, 0,      0, 0, 0,  // 0x10
    0,    0, kQuote, 0, 0, 0, 0, 0, 0, 0, 0,         0, kComma, 0, 0, 0,  // 0x20
};
}  // namespace detail

bool IsLogCommentStart(char16_t first) {
    return first == u'!' || first == u'#' || first == u';' || (first & 0x00F0) == 0;
}

}  // namespace zintor
