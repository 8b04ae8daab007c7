// How every line the program writes on standard error begins: its name, so that a line in a
// cron mail, a journal or a script's log says which program wrote it.
#pragma once

namespace zintor {

constexpr const char* kErrorLinePrefix = "zintor: ";

}  // namespace zintor
