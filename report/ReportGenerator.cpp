// The report run: template, rows and their figures, then the page from its first section to
// its last.
#include "report/ReportGenerator.h"

#include <new>

#include "html/UiLanguage.h"
#include "logs/ReportLogReader.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "report/DailyTable.h"
#include "report/DayTables.h"
#include "report/GlanceSlots.h"
#include "report/HourTable.h"
#include "report/PageTexts.h"
#include "report/PageWriter.h"
#include "report/WeekdayTable.h"

namespace zintor {

ReportGenerator::ReportGenerator() : ReportGenerator(ModulePath(), GetUiLanguage()) {}

ReportGenerator::ReportGenerator(std::string path, int uiLanguage)
    : modulePath_(std::move(path)),
      language_(uiLanguage == kJapanese ? kJapanese : kEnglish),
      logTable_(std::make_unique<LogTable>()),
      figures_(std::make_unique<MonthFigures>()),
      intervals_(std::make_unique<IntervalFigures>()) {}

ReportGenerator::~ReportGenerator() = default;

Failure ReportGenerator::WriteLogPage(const std::string& logPath) {
    Failure templateFailure = LoadTemplate();
    if (templateFailure.what == Failure::kTemplateMissing) return templateFailure;
    if (Failure failure = ReadReportLog(logPath)) return failure;
    if (templateFailure) return templateFailure;
    return WritePage(PagePathOf(logPath));
}

Failure ReportGenerator::ReadFigures(const std::string& logPath) {
    Failure failure = ReadReportLog(logPath);
    if (!failure) failure = CheckFigures(logPath);
    if (failure.what == Failure::kNoPage) failure.what = Failure::kNoFigures;
    return failure;
}

Failure ReportGenerator::ReadReportLog(const std::string& path) {
    MonthAdder adder(*figures_, intervals_.get());
    Failure failure = ReadReportLogFile(path, EncodingForLanguage(language_), *logTable_,
                                        kMappedLogAtMost, &adder);
    // A failed read left the table empty, or as it was when the name was no log's: the
    // figures follow it.
    if (failure) AddUpLogTable(*logTable_, *figures_, intervals_.get());
    return failure;
}

std::string ReportGenerator::TemplatePath() const {
    return ReplaceExtension(modulePath_, language_ == kJapanese ? ".htm.txt" : ".htm_en.txt");
}

// A template that is there but cannot be read (a folder of that name, no permission,
// reading stopped part-way) loads empty; writing a page from it would replace a good page
// with an empty one, so the run refuses it.
Failure ReportGenerator::LoadTemplate() {
    return LoadTemplateFile(TemplatePath(), EncodingForLanguage(language_), sections_);
}

std::string ReportGenerator::PagePathOf(const std::string& logPath) {
    return ReplaceExtension(logPath, ".html");
}

Failure ReportGenerator::CheckFigures(const std::string& outputPath) const {
    auto noPage = [&](int why) { return Failure{Failure::kNoPage, outputPath, why}; };
    if (figures_->rowsRead < 2) return noPage(Failure::kTooFewRows);
    if (logTable_->SourceChanged()) return noPage(Failure::kLogChanged);
    if (figures_->usableRows == 0) return noPage(Failure::kNoUsableRow);
    return {};
}

MonthGlance ReportGenerator::Glance() const { return GlanceAt(*intervals_, *figures_, allowance_); }

Failure ReportGenerator::GenerateReport(const std::string& outputPath) {
    if (Failure failure = LoadTemplate()) return failure;
    return WritePage(outputPath);
}

Failure ReportGenerator::WritePage(const std::string& outputPath) {
    try {
        if (Failure failure = CheckFigures(outputPath)) return failure;
        // A log named like a page (vorlix_report.log.html) would be replaced by its own page.
        if (logTable_->IsSourceFile(outputPath))
            return {Failure::kNoPage, outputPath, Failure::kPageIsTheLog};
        PageWriter page(sections_, language_);
        if (Failure failure = page.Open(outputPath)) return failure;
        // The page carries the time its log had when it was read: a page whose time is not
        // its log's (rows added since, or the log replaced) is known to need writing again.
        if (const struct timespec* modified = logTable_->SourceModified())
            page.SetModificationTime(*modified);
        const MonthFigures& figures = *figures_;
        ReportMonth month{figures, figures.year, figures.month, language_};

        page.ClearPlaceholderSlots();
        page.Set(kTitle, PageTitle(month));
        SetGlanceSlots(page, Glance());
        page.WriteSection(Section::html_header);
        WriteTable(page, DailyTable(month));
        WriteTable(page, WeekdayTable(month));
        WriteTable(page, HourTable(month));
        for (int day = 1; day <= 31; ++day)
            if (figures.DayHasTraffic(day)) WriteTable(page, DayTable(month, day));
        page.WriteRawSection(Section::html_footer);
        return page.Commit();
    } catch (const std::bad_alloc&) {
        return {Failure::kWrite, outputPath, Failure::kOutOfMemory};
    }
}

}  // namespace zintor
