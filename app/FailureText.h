// A failure in the user's words: one line, the same in the command-line run, under the
// window's hint and in the notice of settings that cannot be saved.
#pragma once

#include <string>

#include "platform/Failure.h"

namespace zintor {

// "Template File is Not Found.", "cannot read PATH: REASON", "cannot replace PATH:
// Permission denied", "no page written to PATH: the log holds fewer than 2 data rows", ...
std::string FailureText(const Failure& failure);

}  // namespace zintor
