// The report run: template, rows, totals, then the page from its first section to its last.
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
      totals_(std::make_unique<TrafficTotals>()),
      figures_(std::make_unique<IntervalFigures>()) {}

ReportGenerator::~ReportGenerator() = default;

Failure ReportGenerator::ReadReportLog(const std::string& path) {
    TrafficAdder adder(*totals_, figures_.get());
    Failure failure = ReadReportLogFile(path, EncodingForLanguage(language_), *logTable_,
                                        kMappedLogAtMost, &adder);
    aggregation_ = adder.Result();
    // A failed read left the table empty, or as it was when the name was no log's: the
    // totals follow it.
    if (failure) aggregation_ = AggregateLogTable(*logTable_, *totals_, figures_.get());
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
    if (logTable_->RowCount() < 2) return noPage(Failure::kTooFewRows);
    if (logTable_->SourceChanged()) return noPage(Failure::kLogChanged);
    if (aggregation_.usableRows == 0) return noPage(Failure::kNoUsableRow);
    return {};
}

MonthGlance ReportGenerator::Glance() const {
    return GlanceAt(*figures_, *totals_, aggregation_, allowance_);
}

Failure ReportGenerator::GenerateReport(const std::string& outputPath) {
    if (Failure failure = LoadTemplate()) return failure;
    try {
        if (Failure failure = CheckFigures(outputPath)) return failure;
        const TrafficTotals& totals = *totals_;
        const Aggregation& run = aggregation_;
        // A log named like a page (vorlix_report.log.html) would be replaced by its own page.
        if (logTable_->IsSourceFile(outputPath))
            return {Failure::kNoPage, outputPath, Failure::kPageIsTheLog};
        PageWriter page(sections_, language_);
        if (Failure failure = page.Open(outputPath)) return failure;
        // The page carries the time its log had when it was read: a page whose time is not
        // its log's (rows added since, or the log replaced) is known to need writing again.
        if (const struct timespec* modified = logTable_->SourceModified())
            page.SetModificationTime(*modified);
        ReportMonth month{totals, run.reportYear, run.reportMonth, language_};

        page.ClearPlaceholderSlots();
        page.Set(kTitle, PageTitle(month));
        SetGlanceSlots(page, Glance());
        page.WriteSection(Section::html_header);
        WriteTable(page, DailyTable(month));
        WriteTable(page, WeekdayTable(month));
        WriteTable(page, HourTable(month));
        for (int day = 1; day <= 31; ++day)
            if (DayHasTable(totals, day)) WriteTable(page, DayTable(month, day));
        page.WriteRawSection(Section::html_footer);
        return page.Commit();
    } catch (const std::bad_alloc&) {
        return {Failure::kWrite, outputPath, Failure::kOutOfMemory};
    }
}

}  // namespace zintor
