// Writes the window's application icon as PNG files for the desktop's icon theme:
//   make_app_icon FOLDER SIZE...   writes FOLDER/<size>x<size>/apps/zintor.png
// The drawing is the window's own, so the icon in the applications menu is the one the window
// shows. Only wxImage is used: no display needed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <wx/image.h>
#include <wx/init.h>

#include "app/gui/AppIcon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_app_icon FOLDER SIZE...\n");
        return 2;
    }
    wxInitializer initializer;
    if (!initializer.IsOk()) {
        std::fprintf(stderr, "make_app_icon: cannot initialise wxWidgets\n");
        return 1;
    }
    wxImage::AddHandler(new wxPNGHandler);
    for (int i = 2; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "make_app_icon: size %s is not from 16 to 1024\n", argv[i]);
            return 2;
        }
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path folder = std::filesystem::path(argv[1]) / name / "apps";
        std::filesystem::create_directories(folder);
        std::string file = (folder / "zintor.png").string();
        if (!zintor::AppIconImage(size).SaveFile(file, wxBITMAP_TYPE_PNG)) {
            std::fprintf(stderr, "make_app_icon: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
