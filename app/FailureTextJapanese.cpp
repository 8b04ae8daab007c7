// The words of each failure in Japanese, for the window of a Japanese user. A reason that has
// no Japanese words yet is said in English rather than not at all.
#include <cstring>

#include "app/FailureText.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

std::string JapaneseReasonText(int error) {
    switch (error) {
        case Failure::kNotARegularFile:
            return "通常のファイルではありません";
        case Failure::kOutOfMemory:
            return "メモリが足りません";
        case Failure::kRowsTooLarge:
            return "行の合計が 64 MB を超えています";
        case Failure::kFileChanged:
            return "読み込み中にファイルが変更されました";
        case Failure::kTooFewRows:
            return "ログのデータ行が 2 行未満です";
        case Failure::kNoUsableRow:
            return "有効な日付と時刻を持つ行がログにありません";
        case Failure::kLogChanged:
            return "読み込み中にログが変更されました";
        case Failure::kPageIsTheLog:
            return "ログファイルそのものです";
        case Failure::kLineBreak:
            return "セクション、キーまたは値に改行が含まれているか、空です";
        case Failure::kUntrustedLink:
            return "他のユーザーが書き込めるフォルダーにある、自分のものでないリンクです";
        default:
            return error > 0 ? std::strerror(error) : EnglishReasonText(error);
    }
}

}  // namespace

std::string JapaneseFailureText(const Failure& f) {
    switch (f.what) {
        case Failure::kNone:
            return {};
        case Failure::kTemplateMissing:
            return std::string(kTemplateNotFound);
        case Failure::kReadTemplate:
            return "テンプレート " + f.path + " を読み込めません: " + JapaneseReasonText(f.error);
        case Failure::kNotAReportLog:
            return "レポートログではありません (名前に \"vorlix_report\" と \".log\" "
                   "が必要です): " +
                   f.path;
        case Failure::kRead:
            return f.path + " を読み込めません: " + JapaneseReasonText(f.error);
        case Failure::kWrite:
            return f.path + " に書き込めません: " + JapaneseReasonText(f.error);
        case Failure::kReplace:
            return f.path + " を置き換えられません: " + JapaneseReasonText(f.error);
        case Failure::kCreateBeside:
            return f.path + " の隣にファイルを作成できません: " + JapaneseReasonText(f.error);
        case Failure::kNoPage:
            return f.path + " にページを書き出せません: " + JapaneseReasonText(f.error);
        case Failure::kNoFigures:
            return f.path + " から集計値が得られません: " + JapaneseReasonText(f.error);
    }
    return FailureText(f);  // a failure with no Japanese words yet
}

}  // namespace zintor
