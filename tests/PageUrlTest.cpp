// Page addresses, the message page, the loads the pane allows and the open dialog's filter.
#include "app/window/PageUrl.h"

#include <gtest/gtest.h>

#include "app/window/FileFilter.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

TEST(PageUrl, EscapesWhatWouldChangeTheAddressAndReadsBack) {
    struct Case {
        const char* path;
        const char* url;
    };
    const Case cases[] = {
        {"/home/u/logs/vorlix_report2024.html", "file:///home/u/logs/vorlix_report2024.html"},
        {"/home/u/my logs/a.html", "file:///home/u/my%20logs/a.html"},
        {"/logs/#1/100%/a?.html", "file:///logs/%231/100%25/a%3F.html"},
        {"/ログ/a.html", "file:///%E3%83%AD%E3%82%B0/a.html"},
        // Bytes that are no UTF-8: the pane's own scheme, as the web view loads no such file.
        {"/logs/vorlix_report2023\xFF\xFE.html",
         "zintor-file:///logs/vorlix_report2023%FF%FE.html"},
        {"/\xE3\x83/a b.html", "zintor-file:///%E3%83/a%20b.html"},  // a sequence cut short
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageUrlOf(c.path), c.url);
        EXPECT_EQ(PathOfFileUrl(c.url), c.path);
        // Other programs (the help page's browser) are given the file:// form.
        std::string other = std::string(c.url).replace(0, std::string(c.url).find(':'), "file");
        EXPECT_EQ(FileUrlOf(c.path), other);
    }
    EXPECT_EQ(PathOfFileUrl("file:///a/b.html#day5"), "/a/b.html");
    EXPECT_EQ(PathOfFileUrl("file://localhost/a/b.log"), "/a/b.log");
    EXPECT_EQ(PathOfFileUrl("file://elsewhere/a/b.log"), "");
    EXPECT_EQ(PathOfFileUrl("https://example.org/a"), "");
    EXPECT_EQ(PathOfFileUrl("zintor-file:///a/%FF.html#top"), "/a/\xFF.html");
    EXPECT_EQ(PathOfFileUrl("zintor-filex:///a.html"), "");
    EXPECT_EQ(PathOfFileUrl("file:/a.html"), "");
}

TEST(MessagePage, CarriesTheHintInEitherLanguage) {
    EXPECT_EQ(
        MessagePageUrl(ResourcesFor(1).hint),
        "about:<html><body><div align=\"center\"><span style=\"font-weight:bold;color:#aaaaaa;\"> "
        "Please select Report-Log file. </span></div></body></html>");
    std::string japanese = MessagePageUrl(ResourcesFor(0).hint);
    EXPECT_NE(japanese.find("> Quendrel のレポート用ログファイルを選択してください。 <"),
              std::string::npos);
    EXPECT_EQ(InlineHtmlOf(japanese).substr(0, 12), "<html><body>");
    EXPECT_EQ(InlineHtmlOf("about:blank"), "");
    EXPECT_EQ(InlineHtmlOf("file:///a.html"), "");
}

TEST(MessagePage, ShowsWhyAChosenLogGaveNoPageUnderTheUnchangedHint) {
    std::string url = MessagePageUrl(ResourcesFor(1).hint, "/logs/<b>&'\"x\".log: no page written");
    EXPECT_EQ(
        url,
        "about:<html><body><div align=\"center\"><span style=\"font-weight:bold;color:#aaaaaa;\"> "
        "Please select Report-Log file. </span><br><span style=\"color:#888888;\">"
        "/logs/&lt;b&gt;&amp;&#39;&quot;x&quot;.log: no page written</span></div></body></html>");
}

TEST(PaneLoad, AllowsThePageAskedForHandsOverDroppedFilesAndRefusesAnyOtherDocument) {
    const std::string page = "file:///l/vorlix_report2024.html";
    const std::string message = MessagePageUrl(ResourcesFor(1).hint);
    struct Case {
        std::string url, requested;
        PaneLoad load;
    };
    const Case cases[] = {
        {page, page, PaneLoad::Allow},
        {page + "#day5", page, PaneLoad::Allow},
        {"file:///l/vorlix_report2023.html", page, PaneLoad::Refuse},  // back through the history
        {"file:///l/older.HTM", page, PaneLoad::Refuse},
        {"about:blank", page, PaneLoad::Refuse},
        {"file:///l/vorlix_report2024.log", page, PaneLoad::HandOver},  // a drop WebKit took itself
        {"about:blank", message, PaneLoad::Allow},                      // the inline page's load
        {page, message, PaneLoad::Refuse},
        {"file:///l/notes.txt", message, PaneLoad::HandOver},
        {"about:blank", "about:blank", PaneLoad::Allow},
        {"zintor-file:///l/a%FF.html#top", "zintor-file:///l/a%FF.html", PaneLoad::Allow},
        {"zintor-file:///l/b%FF.html", "zintor-file:///l/a%FF.html", PaneLoad::Refuse},
        {"file:///l/a%FF.log", "zintor-file:///l/a%FF.html", PaneLoad::HandOver},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JudgePaneLoad(c.url, c.requested), c.load) << c.url << " after " << c.requested;
}

TEST(OpenDialogFilter, KeepsBothEntriesWithCaseBlindPatterns) {
    std::vector<FileFilterEntry> entries = ParseFileFilter(kOpenDialogFilter);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, "Log Files (vorlix_report*.log)");
    EXPECT_EQ(entries[0].patterns,
              std::vector<std::string>{
                  "[vV][oO][rR][lL][iI][xX]_[rR][eE][pP][oO][rR][tT]*.[lL][oO][gG]"});
    EXPECT_EQ(entries[1].description, "All Files (*.*)");
    EXPECT_EQ(entries[1].patterns, std::vector<std::string>{"*"});
    EXPECT_EQ(JoinFileFilter(ParseFileFilter("A|*.a;*.b|B|x||")), "A|*.[aA];*.[bB]|B|[xX]");
}

}  // namespace
}  // namespace zintor
