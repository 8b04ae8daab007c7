// Cutting template files into sections.
#include "html/TemplateSet.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

TemplateSet Parse(std::string_view bytes, TextEncoding e = TextEncoding::Latin1) {
    TempDir dir;
    test::WriteFile(dir / "t.htm.txt", bytes);
    TemplateSet set;
    EXPECT_EQ(LoadTemplateFile(dir / "t.htm.txt", e, set), test::kNoFailure);
    return set;
}

struct SectionCase {
    const char* name;
    std::string file;
    Section section;
    std::u16string text;
};

TEST(TemplateSet, DirectiveLinesSwitchSectionsAndContentLinesFillThem) {
    const SectionCase cases[] = {
        {"markers in any letter case", "; HTML_Header_Start\n<h>\n", Section::html_header,
         u"<h>\n"},
        {"markers anywhere in a directive line", "!-- body_header_start --\nx\n",
         Section::body_header, u"x\n"},
        {"'#' lines are directives and never copied", ";body_main1_start\n#id { }\n #id { }\n",
         Section::body_main1, u" #id { }\n"},
        {"content before any start marker is dropped", "a\n;body_main2_start\nb\n",
         Section::body_main2, u"b\n"},
        {"content after an end marker is dropped", ";body_main2_start\nb\n;body_main2_end\nc\n",
         Section::body_main2, u"b\n"},
        {"start and end on one line: the end wins", ";body_main1_start body_main1_end\nx\n",
         Section::body_main1, u""},
        {"end then start on one line: the start wins", ";body_main1_end body_main2_start\nx\n",
         Section::body_main2, u"x\n"},
        {"any end marker ends any section", ";body_main5_start\na\n;body_main2_end\nb\n",
         Section::body_main5, u"a\n"},
        {"blocks of a section are joined",
         ";body_main3_start\na\n;html_footer_start\nf\n;body_main3_start\nb\n", Section::body_main3,
         u"a\nb\n"},
        {"a start marker switches without an end", ";body_main3_start\na\n;html_footer_start\nf\n",
         Section::html_footer, u"f\n"},
        {"an empty line adds one line feed", ";body_main4_start\n\n\n", Section::body_main4,
         u"\n\n"},
        {"a last line without a line feed is dropped", ";body_main4_start\na\nb",
         Section::body_main4, u"a\n"},
        {"a lone CR splits a line and is dropped", ";body_footer_start\na\rb\n",
         Section::body_footer, u"a\nb\n"},
        {"CR LF reads as one line end", ";body_footer_start\r\na\r\nb\r\n", Section::body_footer,
         u"a\nb\n"},
        {"a lone CR on the last line keeps the text before it", ";body_footer_start\na\rb",
         Section::body_footer, u"a\n"},
        {"content is taken up to a NUL", std::string(";html_footer_start\na\0b\n", 23),
         Section::html_footer, u""},
        {"directive text after a NUL is not seen",
         std::string(";html_footer_start\0 html_footer_end\nx\n", 38), Section::html_footer,
         u"x\n"},
        {"body_main6 to 9 load too", ";body_main9_start\nz\n", Section::body_main9, u"z\n"},
        {"a directive without a marker keeps the section", ";body_main1_start\na\n; note\nb\n",
         Section::body_main1, u"a\nb\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.file)[c.section], c.text) << c.name;
}

TEST(TemplateSet, KeepsJapaneseTextAndLongLines) {
    std::string longLine(10000, 'y');
    TemplateSet set =
        Parse(";html_header_start\n" + test::Cp932("<h1>日本語～</h1>") + "\n" + longLine + "\n",
              TextEncoding::Cp932);
    EXPECT_EQ(set[Section::html_header],
              u"<h1>日本語～</h1>\n" + std::u16string(10000, u'y') + u"\n");
}

// Loaded for a page, the sections are those text, encoded as a page is: line feeds as CR LF,
// a character without bytes in the encoding (an undecodable byte's U+FFFD) as '?'.
TEST(TemplateSet, PageSectionsAreTheTextInThePagesEncoding) {
    const std::string file = ";html_header_start\n" + test::Cp932("<h1>日本語～</h1>") +
                             "\r\n\x81\x20\xFF$TITLE$\rcut\n;body_main2_start\n\xE9\n";
    TempDir dir;
    test::WriteFile(dir / "t.htm.txt", file);
    for (TextEncoding e : {TextEncoding::Latin1, TextEncoding::Cp932}) {
        TemplateSet text;
        PageSections bytes;
        ASSERT_EQ(LoadTemplateFile(dir / "t.htm.txt", e, text), test::kNoFailure);
        ASSERT_EQ(LoadTemplateFile(dir / "t.htm.txt", e, bytes), test::kNoFailure);
        for (int k = 0; k < kSectionCount; ++k) {
            std::string encoded;
            EncodeLinesAppend(e, text.sections[static_cast<std::size_t>(k)], encoded);
            EXPECT_EQ(bytes.sections[static_cast<std::size_t>(k)], encoded) << k;
        }
    }
}

TEST(TemplateSet, MissingFileIsReportedAndEmptiesTheSections) {
    TempDir dir;
    TemplateSet set;
    set[Section::html_header] = u"old";
    EXPECT_EQ(LoadTemplateFile(dir / "none.htm.txt", TextEncoding::Latin1, set).what,
              Failure::kTemplateMissing);
    EXPECT_EQ(set[Section::html_header], u"");
    ::mkdir((dir / "folder.htm.txt").c_str(), 0755);  // present but not a readable file
    EXPECT_EQ(LoadTemplateFile(dir / "folder.htm.txt", TextEncoding::Latin1, set),
              (Failure{Failure::kReadTemplate, dir / "folder.htm.txt", Failure::kNotARegularFile}));
}

}  // namespace
}  // namespace zintor
