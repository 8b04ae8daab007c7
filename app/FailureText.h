// A failure in the user's words: one line, the same in the command-line run, under the
// window's hint and in the notice of settings that cannot be saved.
#pragma once

#include <string>

#include "platform/Failure.h"

namespace zintor {

// "Template File is Not Found.", "cannot read PATH: REASON", "cannot replace PATH:
// Permission denied", "no page written to PATH: the log holds fewer than 2 data rows", ...
// The command-line run speaks English whatever the locale.
std::string FailureText(const Failure& failure);

// The same in the window's language (kJapanese or kEnglish of html/UiLanguage.h). The
// system's error texts come in the language of the locale the process has set.
std::string FailureText(const Failure& failure, int uiLanguage);

// The Japanese words of failure (FailureTextJapanese.cpp).
std::string JapaneseFailureText(const Failure& failure);

// The English words of why: a Reason of Failure, else the system's text of an errno value.
std::string EnglishReasonText(int error);

}  // namespace zintor
