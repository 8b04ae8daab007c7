// The template file: thirteen named sections cut out of an HTML file by directive lines.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/TextCodec.h"

namespace zintor {

enum class Section : int {
    html_header,
    body_header,
    body_main1,
    body_main2,
    body_main3,
    body_main4,
    body_main5,
    body_main6,
    body_main7,
    body_main8,
    body_main9,
    body_footer,
    html_footer,
};
constexpr int kSectionCount = 13;

struct TemplateSet {
    std::array<std::u16string, kSectionCount> sections;

    std::u16string& operator[](Section s) { return sections[static_cast<std::size_t>(s)]; }
    const std::u16string& operator[](Section s) const {
        return sections[static_cast<std::size_t>(s)];
    }
    void Clear();
};

// The sections as pages are written from them: in the page's encoding (a character the
// encoding has no bytes for as '?'), each line feed as CR LF. So a page is filled and
// written without converting its text, and a template is held once, in its own size.
struct PageSections {
    std::array<std::string, kSectionCount> sections;

    std::string_view operator[](Section s) const { return sections[static_cast<std::size_t>(s)]; }
    void Clear();
};

// Cuts template text into sections, line by line. A directive line (first character '!',
// '#' or ';') is never copied; the section markers in it ("html_header_start",
// "body_main2_end", ... in any letter case) switch the current section. A content line is
// added to the current section, split at every CR or LF, each piece followed by "\n"; text
// after the last CR or LF of a line is dropped.
class TemplateParser {
  public:
    explicit TemplateParser(TemplateSet& target) : text_(&target) {}
    // Into page sections, encoded in encoding as the lines are cut.
    TemplateParser(PageSections& target, TextEncoding encoding)
        : bytes_(&target), encoding_(encoding) {}
    // One line as read, its line feed included when it has one.
    void AddLine(std::u16string_view line);

  private:
    void AddPiece(std::u16string_view piece);  // a piece of content and its line feed

    TemplateSet* text_ = nullptr;
    PageSections* bytes_ = nullptr;
    TextEncoding encoding_ = TextEncoding::Latin1;
    int current_ = 0;  // section number 1..13, 0 for none
};

// Empties target, then reads the template file at path into it. Failure::kTemplateMissing
// when there is no file at path; Failure::kReadTemplate, with all sections empty, when it is
// there but could not be opened or reading stopped part-way.
Failure LoadTemplateFile(const std::string& path, TextEncoding encoding, TemplateSet& target);
// The same into page sections in encoding, the page's encoding.
Failure LoadTemplateFile(const std::string& path, TextEncoding encoding, PageSections& target);

}  // namespace zintor
