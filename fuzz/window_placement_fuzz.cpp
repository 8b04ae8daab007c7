// Fuzz target: the window placement kept under Position. The bytes are the text after
// "Position=" in the Settings section (up to its first line break, as the file reads).
//
// Checked: a placement that reads as ten integers formats into text that reads back to the
// same ten integers; text that is not ten integers is refused.
#include <cstdint>
#include <string>

#include "app/WindowSettings.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zintor;
    const std::string path = fuzz::ScratchPath("zintor.ini");
    std::string file = "[Settings]\nPosition=";
    file.append(reinterpret_cast<const char*>(data), size);
    test::WriteFile(path, file);
    SettingsValues settings = SettingsFile(path).Read();

    WindowPlacement placement;
    int result = ReadWindowPlacement(settings, placement, "Position");
    fuzz::Check(result == 0 || result == 1, "result other than 0 or 1");
    std::string text = settings.ReadString("Settings", "Position", "");
    if (text.empty()) fuzz::Check(result == 0, "an empty Position was taken");
    WindowPlacement direct;
    fuzz::Check(ParseWindowPlacement(text, direct) == (result == 1),
                "reading and parsing the text disagree");
    if (result == 1) {
        WindowPlacement again;
        fuzz::Check(ParseWindowPlacement(FormatWindowPlacement(placement), again),
                    "formatted text does not read");
        const int a[] = {placement.flags, placement.showCmd, placement.minX, placement.minY,
                         placement.maxX,  placement.maxY,    placement.left, placement.top,
                         placement.right, placement.bottom};
        const int b[] = {again.flags, again.showCmd, again.minX, again.minY,  again.maxX,
                         again.maxY,  again.left,    again.top,  again.right, again.bottom};
        for (int i = 0; i < 10; ++i) fuzz::Check(a[i] == b[i], "a field changed in a round trip");
    }
    return 0;
}
