// Splitting paths into folder, base name and extension, and the paths formed from them.
#include "platform/PathParts.h"

#include <gtest/gtest.h>

#include "html/UiLanguage.h"
#include "report/ReportGenerator.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

struct SplitCase {
    const char* path;
    const char* dir;
    const char* fname;
    const char* ext;
};

TEST(PathParts, SplitsAtTheLastSlashAndTheLastDot) {
    const SplitCase cases[] = {
        {"/home/u/logs/vorlix_report2024.log", "/home/u/logs/", "vorlix_report2024", ".log"},
        {"/home/u/zintor", "/home/u/", "zintor", ""},
        {"/a.b/c", "/a.b/", "c", ""},
        {"/a/b.tar.gz", "/a/", "b.tar", ".gz"},
        {"/a/.hidden", "/a/", "", ".hidden"},
        {"name.log", "", "name", ".log"},
        {"/a/b/", "/a/b/", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, "") << c.path;
        EXPECT_EQ(p.dir, c.dir) << c.path;
        EXPECT_EQ(p.fname, c.fname) << c.path;
        EXPECT_EQ(p.ext, c.ext) << c.path;
    }
}

TEST(PathParts, ExtensionsCompareWithoutRegardToLetterCase) {
    struct Case {
        const char* path;
        const char* extension;
        bool has;
    };
    const Case cases[] = {{"/l/vorlix_report2024.LOG", ".log", true},
                          {"/l/a.log.txt", ".log", false},
                          {"/l/a.log/b", ".log", false},
                          {"/l/log", ".log", false},
                          {"/l/page.Html", ".html", true},
                          {"/l/page.htm", ".html", false}};
    for (const Case& c : cases) EXPECT_EQ(HasExtension(c.path, c.extension), c.has) << c.path;
}

TEST(PathParts, PageLiesBesideItsLogWithTheLogsBaseName) {
    EXPECT_EQ(ReportGenerator::PagePathOf("/home/u/logs/vorlix_report2024.log"),
              "/home/u/logs/vorlix_report2024.html");
    EXPECT_EQ(ReportGenerator::PagePathOf("/x/vorlix_report.log.d/vorlix_report2024"),
              "/x/vorlix_report.log.d/vorlix_report2024.html");
    EXPECT_EQ(ReportGenerator::PagePathOf("rel/vorlix_report 2024 (copy).log"),
              "rel/vorlix_report 2024 (copy).html");
}

TEST(PathParts, TemplateIsNamedAfterTheProgramFileAndTheLanguage) {
    EXPECT_EQ(ReportGenerator("/opt/tools/other", kEnglish).TemplatePath(),
              "/opt/tools/other.htm_en.txt");
    EXPECT_EQ(ReportGenerator("/opt/zintor.bin", kEnglish).TemplatePath(),
              "/opt/zintor.htm_en.txt");
    EXPECT_EQ(ReportGenerator("/opt/tools/other", kJapanese).TemplatePath(),
              "/opt/tools/other.htm.txt");
}

}  // namespace
}  // namespace zintor
