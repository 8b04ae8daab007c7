// Language from the locale environment variables, as the user's session sets them.
#include "html/UiLanguage.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace zintor {

int GetUiLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::strncmp(value, "ja", 2) == 0 ? kJapanese : kEnglish;
    }
    return kEnglish;
}

}  // namespace zintor
