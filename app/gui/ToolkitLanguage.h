// The toolkit's own texts in the user's language.
#pragma once

namespace zintor {

// Takes the locale from the environment for the window's process, so that the toolkit's
// dialogs (the open dialog's buttons and labels, its places and columns) and the system's
// error texts speak the user's language, and loads the toolkit's catalog of its own texts.
// Numbers keep the "C" form. The command-line run never calls it: its texts and encodings
// do not depend on the locale.
void UseTheUsersLanguage();

}  // namespace zintor
