// Fuzz target: the template loader. The bytes become a template file, which is cut into its
// thirteen sections in both encodings.
//
// Checked: the file loads; every section is empty or a run of lines each ending in "\n", and
// holds neither a CR nor a NUL; no section holds more characters than the file has bytes.
// The first byte, when its low four bits are set, puts a long content line first (outside any
// section, so it is dropped), so that the lines after it straddle the 64 KiB steps in which the
// file is read; the second byte moves that boundary.
#include <cstdint>
#include <string>

#include "app/FailureText.h"
#include "fuzz/FuzzSupport.h"
#include "html/TemplateSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zintor;
    if (size < 2) return 0;
    std::string bytes;
    if ((data[0] & 0x0F) == 0x0F) {
        std::size_t pad = 65536 - 200 + data[1];
        bytes = std::string(pad - 1, 'x') + "\n";
    }
    bytes.append(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string path = fuzz::ScratchPath("zintor.htm.txt");
    test::WriteFile(path, bytes);

    for (TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Cp932}) {
        static TemplateSet sections;
        Failure failure = LoadTemplateFile(path, encoding, sections);
        fuzz::Check(!failure, "not loaded:", FailureText(failure));
        std::size_t total = 0;
        for (const std::u16string& text : sections.sections) {
            total += text.size();
            fuzz::Check(text.empty() || text.back() == u'\n',
                        "a section does not end in a line feed");
            fuzz::Check(text.find(u'\r') == std::u16string::npos, "a CR in a section");
            fuzz::Check(text.find(u'\0') == std::u16string::npos, "a NUL in a section");
        }
        fuzz::Check(total <= bytes.size(), "sections longer than the file");
    }
    return 0;
}
