// What becomes of the toolkit's internal consistency checks in the running program.
#pragma once

namespace zintor {

// A failed check of the toolkit is written as one line to standard error and the program
// goes on. The toolkit would otherwise stop everything with a modal box, which a user can do
// nothing with, and which keeps a window that was asked to close (at logout) from closing.
void ReportAssertsOnStandardError();

}  // namespace zintor
