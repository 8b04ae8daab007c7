// Comment lines of report logs.
#include "logs/LogLineParser.h"

namespace zintor {

bool IsLogCommentStart(char16_t first) {
    return first == u'!' || first == u'#' || first == u';' || (first & 0x00F0) == 0;
}

}  // namespace zintor
