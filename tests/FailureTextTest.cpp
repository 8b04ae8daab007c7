// The words of every failure, as the command-line run, the window and the settings notice
// print them: the program's messages stay as users and scripts know them.
#include "app/FailureText.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "html/UiLanguage.h"

namespace zintor {
namespace {

TEST(FailureText, EachFailureInItsOwnWords) {
    struct Case {
        Failure failure;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{Failure::kTemplateMissing, "/p/zintor.htm_en.txt", ENOENT},
         "Template File is Not Found."},
        {{Failure::kReadTemplate, "/p/zintor.htm.txt", Failure::kNotARegularFile},
         "cannot read the template /p/zintor.htm.txt: not a regular file"},
        {{Failure::kNotAReportLog, "/l/traffic.log", 0},
         "not a report log (its name must contain \"vorlix_report\" and \".log\"): /l/traffic.log"},
        {{Failure::kRead, "/l/x.log", ENOENT}, "cannot read /l/x.log: No such file or directory"},
        {{Failure::kRead, "/l/x.log", Failure::kOutOfMemory},
         "cannot read /l/x.log: not enough memory"},
        {{Failure::kRead, "/l/x.log", Failure::kRowsTooLarge},
         "cannot read /l/x.log: its rows take more than 64 MB"},
        {{Failure::kRead, "/l/x.log", Failure::kFileChanged},
         "cannot read /l/x.log: the file changed while it was read"},
        {{Failure::kWrite, "/l/x.html", ENOSPC}, "cannot write /l/x.html: No space left on device"},
        {{Failure::kWrite, "/p/zintor.ini", Failure::kLineBreak},
         "cannot write /p/zintor.ini: a section, key or value holds a line break or is empty"},
        {{Failure::kWrite, "/tmp/zintor.ini", Failure::kUntrustedLink},
         "cannot write /tmp/zintor.ini: the link is in a folder others can write to and is not "
         "yours"},
        {{Failure::kReplace, "/l/x.html", EACCES}, "cannot replace /l/x.html: Permission denied"},
        {{Failure::kCreateBeside, "/l/x.html", EROFS},
         "cannot create a file beside /l/x.html: Read-only file system"},
        {{Failure::kNoPage, "/l/x.html", Failure::kTooFewRows},
         "no page written to /l/x.html: the log holds fewer than 2 data rows"},
        {{Failure::kNoPage, "/l/x.html", Failure::kNoUsableRow},
         "no page written to /l/x.html: no row of the log holds a usable date and time"},
        {{Failure::kNoPage, "/l/x.html", Failure::kLogChanged},
         "no page written to /l/x.html: the log changed while it was read"},
        {{Failure::kNoPage, "/l/x.log.html", Failure::kPageIsTheLog},
         "no page written to /l/x.log.html: that is the log itself"},
        {{Failure::kNoFigures, "/l/x.log", Failure::kNoUsableRow},
         "no figures from /l/x.log: no row of the log holds a usable date and time"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FailureText(c.failure), c.text);
        EXPECT_EQ(FailureText(c.failure, kEnglish), c.text);
    }
}

// The window of a Japanese user: our own words in Japanese, the system's as the locale gives
// them (the tests run in the "C" locale: English).
TEST(FailureText, EachFailureInJapanese) {
    struct Case {
        Failure failure;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{Failure::kTemplateMissing, "/p/zintor.htm.txt", ENOENT}, "Template File is Not Found."},
        {{Failure::kReadTemplate, "/p/zintor.htm.txt", Failure::kNotARegularFile},
         "テンプレート /p/zintor.htm.txt を読み込めません: 通常のファイルではありません"},
        {{Failure::kNotAReportLog, "/l/traffic.log", 0},
         "レポートログではありません (名前に \"vorlix_report\" と \".log\" が必要です): "
         "/l/traffic.log"},
        {{Failure::kRead, "/l/x.log", ENOENT},
         "/l/x.log を読み込めません: No such file or directory"},
        {{Failure::kRead, "/l/x.log", Failure::kRowsTooLarge},
         "/l/x.log を読み込めません: 行の合計が 64 MB を超えています"},
        {{Failure::kWrite, "/p/zintor.ini", Failure::kLineBreak},
         "/p/zintor.ini に書き込めません: セクション、キーまたは値に改行が含まれているか、空です"},
        {{Failure::kWrite, "/tmp/zintor.ini", Failure::kUntrustedLink},
         "/tmp/zintor.ini に書き込めません: "
         "他のユーザーが書き込めるフォルダーにある、自分のものでないリンクです"},
        {{Failure::kReplace, "/l/x.html", EACCES},
         "/l/x.html を置き換えられません: Permission denied"},
        {{Failure::kCreateBeside, "/l/x.html", EROFS},
         "/l/x.html の隣にファイルを作成できません: Read-only file system"},
        {{Failure::kNoPage, "/l/x.html", Failure::kTooFewRows},
         "/l/x.html にページを書き出せません: ログのデータ行が 2 行未満です"},
        {{Failure::kNoFigures, "/l/x.log", Failure::kNoUsableRow},
         "/l/x.log から集計値が得られません: 有効な日付と時刻を持つ行がログにありません"},
    };
    for (const Case& c : cases) EXPECT_EQ(FailureText(c.failure, kJapanese), c.text);
}

}  // namespace
}  // namespace zintor
