// The Japanese and the English resource set.
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr ResourceSet kJapanese{
    "zintor トラフィックレポート集計ツール",
    "バージョン情報",
    {{
        {"ファイル(&F)",
         {{{kCmdOpenLogFiles, "ログファイルを開く(&O)..."},
           {0, ""},
           {kCmdExit, "アプリケーションの終了(&X)"}}},
         3},
        {"表示(&V)",
         {{{kCmdTopMost, "常に手前に表示(&T)"},
           {kCmdSideMenu, "サイドメニューを表示(&S)"},
           {0, ""},
           {kCmdRefresh, "最新の情報に更新(&R)"},
           {kCmdAllowance, "月間の上限(&M)..."}}},
         5},
        {"ヘルプ(&H)", {{{kCmdAbout, "バージョン情報(&A)..."}, {0, ""}, {0, ""}}}, 1},
    }},
    "Quendrel のレポート用ログファイルを選択してください。",
    "レポート用ログファイルの選択",
    {"すべて折りたたむ", "すべて展開する", "サイドメニューを表示"},
};

constexpr ResourceSet kEnglish{
    "zintor - Traffic Report Aggregation Tool",
    "About",
    {{
        {"File(&F)",
         {{{kCmdOpenLogFiles, "Open Log files(&O)..."}, {0, ""}, {kCmdExit, "Exit(&X)"}}},
         3},
        {"View(&V)",
         {{{kCmdTopMost, "Always topmost(&T)"},
           {kCmdSideMenu, "Side Menu(&S)"},
           {0, ""},
           {kCmdRefresh, "Refresh(&R)"},
           {kCmdAllowance, "Monthly Allowance(&M)..."}}},
         5},
        {"Help(&H)", {{{kCmdAbout, "About(&A)..."}, {0, ""}, {0, ""}}}, 1},
    }},
    "Please select Report-Log file.",
    "Selected Report-Log file",
    {"Collapse all", "Expand all", "Side Menu"},
};

}  // namespace

const ResourceSet& ResourcesFor(int uiLanguage) { return uiLanguage == 0 ? kJapanese : kEnglish; }

}  // namespace zintor
