// Standard input, output and error that the program was started without.
#pragma once

namespace zintor {

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null, so that no file, pipe or
// page the program opens later takes its number and receives what is meant for the
// terminal (a run started with ">&- 2>&-", say).
void OpenClosedStandardStreams();

}  // namespace zintor
