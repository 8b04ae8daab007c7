// Fuzz target: the whole page run. The bytes hold a log and a template, split at the first
// "\n=====\n" (without it, all of them are the log, and a template that shows some slots in
// every section is used); the first byte chooses the language (bit 0: Japanese). The page is
// written beside the log in a scratch folder, by one generator kept from input to input as
// the window keeps it.
//
// Checked: the log is read; the run either writes a complete page (every line ending in
// CR LF) or returns false with a reason and no page; no temporary file is left behind.
#include <cstdint>
#include <memory>
#include <string>

#include "app/FailureText.h"
#include "fuzz/FuzzSupport.h"
#include "html/UiLanguage.h"
#include "report/ReportGenerator.h"

namespace {

using namespace zintor;

constexpr std::string_view kSeparator = "\n=====\n";
constexpr std::size_t kMaxTemplate = 512;  // pages are written ~100 to ~1,000 sections at a time

// Every section with a few of the placeholders: the values of all slots are formatted
// whether a section shows them or not, so a short line per section keeps pages small.
std::string ProbeTemplate() {
    static const char* const kNames[] = {"html_header", "body_header", "body_main1", "body_main2",
                                         "body_main3",  "body_main4",  "body_main5", "body_main6",
                                         "body_main7",  "body_main8",  "body_main9", "body_footer",
                                         "html_footer"};
    std::string text;
    for (const char* name : kNames)
        text += std::string(";") + name + "_start\n" + name +
                "|$TITLE$|$NAMETAG$|$DATE$|$TIME$|$RECV$|$SEND_PER$|" +
                "$SEND_H$|$CAP_TIME$|$RECV_SPD_MBPS$\n;" + name + "_end\n";
    return text;
}

bool LineEndsAreCrLf(const std::string& page) {
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\r' && (i + 1 == page.size() || page[i + 1] != '\n')) return false;
        if (page[i] == '\n' && (i == 0 || page[i - 1] != '\r')) return false;
    }
    return page.empty() || page.back() == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool japanese = data[0] & 1;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view log = rest;
    std::string templateBytes;
    if (std::size_t cut = rest.find(kSeparator); cut != std::string_view::npos) {
        log = rest.substr(0, cut);
        templateBytes = rest.substr(cut + kSeparator.size(), kMaxTemplate);
    } else {
        static const std::string probe = ProbeTemplate();
        templateBytes = probe;
    }

    ::unsetenv("LC_ALL");  // the language then follows LANG alone
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", japanese ? "ja_JP.UTF-8" : "C", 1);
    const std::string logPath = fuzz::ScratchPath("vorlix_report2024.log");
    const std::string pagePath = fuzz::ScratchPath("vorlix_report2024.html");
    const std::string templatePath =
        fuzz::ScratchPath(japanese ? "zintor.htm.txt" : "zintor.htm_en.txt");
    ::unlink(fuzz::ScratchPath(japanese ? "zintor.htm_en.txt" : "zintor.htm.txt").c_str());
    ::unlink(pagePath.c_str());
    test::WriteFile(logPath, log);
    test::WriteFile(templatePath, templateBytes);

    static std::unique_ptr<ReportGenerator> generators[2];
    auto& generator = generators[japanese ? 0 : 1];
    if (!generator)
        generator = std::make_unique<ReportGenerator>(fuzz::ScratchPath("zintor"),
                                                      japanese ? kJapanese : kEnglish);

    Failure failure = generator->ReadReportLog(logPath);
    fuzz::Check(!failure, "a readable log was not read:", FailureText(failure));
    failure = generator->GenerateReport(pagePath);
    bool written = !failure;
    int entries = test::CountEntries(fuzz::ScratchDir().path());
    fuzz::Check(entries == (written ? 3 : 2), "files beside the page:", std::to_string(entries));
    if (written) {
        fuzz::Check(LineEndsAreCrLf(test::ReadFile(pagePath)), "a page line does not end in CR LF");
    } else {
        fuzz::Check(!FailureText(failure).empty(), "no reason given for a page not written");
    }
    return 0;
}
