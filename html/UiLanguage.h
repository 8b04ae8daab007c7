// The user-interface language: 0 Japanese, 1 English. Used directly as an index into
// two-language tables.
#pragma once

namespace zintor {

constexpr int kJapanese = 0;
constexpr int kEnglish = 1;

// 0 exactly when the first non-empty of LC_ALL, LC_MESSAGES and LANG begins with "ja";
// 1 otherwise. Read anew at every call.
int GetUiLanguage();

}  // namespace zintor
