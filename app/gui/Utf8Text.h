// Our texts are UTF-8; the toolkit's strings are told so explicitly, whatever the locale.
#pragma once

#include <string>
#include <string_view>

#include <wx/string.h>

namespace zintor {

inline wxString FromUtf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

// File names between our bytes and the toolkit's strings. The toolkit keeps the bytes of a
// name that is not UTF-8 (a dropped file's, say) as escapes of its own, which its
// file-name conversion turns back; a plain UTF-8 conversion would name another file, or none.
inline wxString FromFileName(const std::string& bytes) {
    return wxString(bytes.c_str(), *wxConvFileName);
}

inline std::string FileNameBytes(const wxString& name) {
    wxCharBuffer bytes = name.fn_str();
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : name.utf8_string();
}

}  // namespace zintor
