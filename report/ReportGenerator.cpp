// The report run: template, rows, totals, then the page from its first section to its last.
#include "report/ReportGenerator.h"

#include <new>

#include "html/UiLanguage.h"
#include "logs/ReportLogReader.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/TextFileWriter.h"
#include "report/DailyTable.h"
#include "report/DayTables.h"
#include "report/HourTable.h"
#include "report/PageTexts.h"
#include "report/TrafficTotals.h"
#include "report/WeekdayTable.h"

namespace zintor {

ReportGenerator::ReportGenerator() : ReportGenerator(ModulePath(), EncodingForLanguage(GetUiLanguage())) {}

ReportGenerator::ReportGenerator(std::string path, TextEncoding encoding)
    : modulePath(std::move(path)),
      logTable_(std::make_unique<LogTable>()),
      encoding_(encoding),
      // The language goes with the encoding the generator was made for: the template, the
      // page's texts and its bytes then always agree.
      language_(encoding == TextEncoding::Cp932 ? kJapanese : kEnglish) {}

ReportGenerator::~ReportGenerator() = default;

bool ReportGenerator::Fail(std::string why) {
    lastError_ = std::move(why);
    return false;
}

int ReportGenerator::ReadReportLog(const std::string& path) {
    lastError_.clear();
    return ReadReportLogFile(path, encoding_, *logTable_, &lastError_);
}

std::string ReportGenerator::TemplatePath() const {
    PathParts parts = SplitPath(modulePath);
    return parts.drive + parts.dir + parts.fname + (language_ == kJapanese ? ".htm.txt" : ".htm_en.txt");
}

int ReportGenerator::LoadTemplate() {
    std::string error;
    TemplateLoad result = LoadTemplateFile(TemplatePath(), encoding_, sections, &error);
    // A template that is there but cannot be read (a folder of that name, no permission,
    // reading stopped part-way) loads empty; writing a page from it would replace a good
    // page with an empty one, so the run refuses it.
    templateReadFailed_ = result == TemplateLoad::Unreadable || result == TemplateLoad::ReadError;
    if (result != TemplateLoad::Loaded) lastError_ = error;
    return result == TemplateLoad::Missing ? 0 : 1;
}

std::string ReportGenerator::PagePathOf(const std::string& logPath) { return ReplaceExtension(logPath, ".html"); }

void ReportGenerator::ClearPlaceholderSlots() { slots.Clear(); }

void ReportGenerator::FillPlaceholders(std::u16string_view sectionText) {
    zintor::FillPlaceholders(sectionText, slots, filledText);
}

void ReportGenerator::WriteSection(Section section) {
    FillPlaceholders(sections[section]);
    if (page_) page_->Write(filledText);
}

void ReportGenerator::WriteRawSection(Section section) {
    filledText = sections[section];
    if (page_) page_->Write(filledText);
}

bool ReportGenerator::GenerateReport(const std::string& outputPath) {
    lastError_.clear();
    if (LoadTemplate() != 1) return Fail("Template File is Not Found.");
    if (templateReadFailed_) return false;
    if (logTable_->RowCount() < 2) return Fail("no page written to " + outputPath + ": the log holds fewer than 2 data rows");
    try {
        auto totals = std::make_unique<TrafficTotals>();
        Aggregation run = AggregateLogTable(*logTable_, *totals);
        if (logTable_->SourceChanged())
            return Fail("no page written to " + outputPath + ": the log changed while it was read");
        if (run.usableRows == 0) return Fail("no page written to " + outputPath + ": no row of the log holds a usable date and time");
        // A log named like a page (vorlix_report.log.html) would be replaced by its own page.
        if (logTable_->IsSourceFile(outputPath))
            return Fail("no page written to " + outputPath + ": that is the log itself");
        TextFileWriter page(encoding_);
        if (!page.Open(outputPath)) return Fail(page.ErrorText());
        page_ = &page;
        ReportMonth month{*totals, run.reportYear, run.reportMonth, language_};

        ClearPlaceholderSlots();
        slots.Set(kTitle, PageTitle(month));
        WriteSection(Section::html_header);
        WriteTable(*this, DailyTable(month));
        WriteTable(*this, WeekdayTable(month));
        WriteTable(*this, HourTable(month));
        for (int day = 1; day <= 31; ++day)
            if (DayHasTable(*totals, day)) WriteTable(*this, DayTable(month, day));
        WriteRawSection(Section::html_footer);

        page_ = nullptr;
        if (!page.Commit()) return Fail(page.ErrorText());
    } catch (const std::bad_alloc&) {
        page_ = nullptr;
        return Fail("cannot write " + outputPath + ": not enough memory");
    }
    return true;
}

}  // namespace zintor
