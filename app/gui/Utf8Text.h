// Our texts are UTF-8; the toolkit's strings are told so explicitly, whatever the locale.
#pragma once

#include <string_view>

#include <wx/string.h>

namespace zintor {

inline wxString FromUtf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

}  // namespace zintor
