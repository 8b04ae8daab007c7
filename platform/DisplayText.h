// Text for the screen made from bytes that may not be UTF-8. A Linux file name is any bytes,
// and the toolkit turns a whole string that is not valid UTF-8 into nothing.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

// bytes with every valid UTF-8 sequence kept and every byte that starts none replaced by
// U+FFFD, so that the rest of a name stays readable.
std::string ReadableUtf8(std::string_view bytes);

}  // namespace zintor
