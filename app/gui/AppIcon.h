// The application icon, drawn for every size the desktop asks for: a blue tile with a
// bar chart of traffic.
#pragma once

#include <wx/iconbndl.h>

namespace zintor {

// The icon in the sizes 16, 24, 32, 48, 64, 128 and 256 pixels.
const wxIconBundle& AppIcons();

// One size of it.
wxBitmap AppIconBitmap(int size);

}  // namespace zintor
