// The application icon, drawn for every size the desktop asks for: a blue tile with a
// bar chart of traffic.
#pragma once

#include <wx/iconbndl.h>
#include <wx/image.h>

namespace zintor {

// One size of it as an image: drawn without a display, also for the desktop's icon theme.
wxImage AppIconImage(int size);

// The icon in the sizes 16, 24, 32, 48, 64, 128 and 256 pixels.
const wxIconBundle& AppIcons();

// One size of it.
wxBitmap AppIconBitmap(int size);

}  // namespace zintor
