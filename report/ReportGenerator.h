// The report engine: reads a report log, loads the template beside the program and writes
// the month's report page. The main window owns one; the command-line run uses one directly.
#pragma once

#include <memory>
#include <string>

#include "html/TemplateSet.h"
#include "logs/LogTable.h"
#include "platform/Failure.h"
#include "report/Allowance.h"
#include "report/IntervalFigures.h"
#include "report/MonthGlance.h"
#include "report/TrafficTotals.h"

namespace zintor {

class ReportGenerator {
  public:
    // For the running program: its own path, in the user-interface language.
    ReportGenerator();
    // For a program file at modulePath, in uiLanguage (0 Japanese, 1 English): the template,
    // the page's texts and the encoding of the files it reads and writes.
    ReportGenerator(std::string modulePath, int uiLanguage);
    ~ReportGenerator();

    // Reads a report log into the LogTable, adding its rows up on the way.
    Failure ReadReportLog(const std::string& path);

    // Reloads the template beside the program: Failure::kTemplateMissing when it is not there,
    // Failure::kReadTemplate when it cannot be read.
    Failure LoadTemplate();
    // The template's path: the program's folder and base name, then ".htm.txt" for the
    // Japanese user interface or ".htm_en.txt" for English.
    std::string TemplatePath() const;

    // Loads the template and writes the page of the LogTable's month to outputPath. A failure
    // when no page was written: the template is missing or unreadable, the log has fewer than
    // 2 rows or none that can be placed in a month, outputPath is the log itself, or the file
    // could not be written (an existing page is then left as it was). The tables are written
    // through a PageWriter, whose steps (ClearPlaceholderSlots, WriteSection, WriteRawSection)
    // the run hands them.
    Failure GenerateReport(const std::string& outputPath);

    // Whether the LogTable's rows, added up as they were read, give a page at outputPath: a
    // failure (Failure::kNoPage at outputPath) for fewer than 2 rows, none that can be placed
    // in a month, or a log that changed while it was read. The sums are then totals() and
    // aggregation(), the figures the page is made from.
    Failure CheckFigures(const std::string& outputPath) const;
    const TrafficTotals& totals() const { return *totals_; }
    const Aggregation& aggregation() const { return aggregation_; }

    // The user's monthly allowance, which the next pages and Glance() set the month against.
    void SetAllowance(const AllowancePlan& plan) { allowance_ = plan; }
    // The month's peak, percentile, estimate and allowance, after a read that CheckFigures
    // passes.
    MonthGlance Glance() const;

    // The page beside a log: the log's folder and base name with ".html".
    static std::string PagePathOf(const std::string& logPath);

    const LogTable& logTable() const { return *logTable_; }

  private:
    std::string modulePath_;
    int language_;
    std::unique_ptr<LogTable> logTable_;
    // The traffic of the rows in the LogTable, added up as they were read.
    std::unique_ptr<TrafficTotals> totals_;
    std::unique_ptr<IntervalFigures> figures_;  // fed with the rows as the totals are
    AllowancePlan allowance_;
    Aggregation aggregation_;
    PageSections sections_;  // the template, in the page's encoding
};

}  // namespace zintor
