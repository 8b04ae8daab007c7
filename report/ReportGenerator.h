// The report engine: reads a report log, adding its month's figures up on the way, loads the
// template beside the program and writes the month's report page. Each road has one call: a
// page beside its log (the command-line run, --all), the figures alone (--json), or the page
// of the log just read at a place the caller chose (the window). The main window owns one.
#pragma once

#include <memory>
#include <string>

#include "html/TemplateSet.h"
#include "logs/LogTable.h"
#include "platform/Failure.h"
#include "report/Allowance.h"
#include "report/IntervalFigures.h"
#include "report/MonthFigures.h"
#include "report/MonthGlance.h"

namespace zintor {

class ReportGenerator {
  public:
    // For the running program: its own path, in the user-interface language.
    ReportGenerator();
    // For a program file at modulePath, in uiLanguage (0 Japanese, 1 English): the template,
    // the page's texts and the encoding of the files it reads and writes.
    ReportGenerator(std::string modulePath, int uiLanguage);
    ~ReportGenerator();

    // The page of the log at logPath written beside it (PagePathOf). The template is loaded
    // once, first: a missing template is said before anything of the log, an unreadable one
    // after a log that cannot be read; then the failures GenerateReport gives.
    Failure WriteLogPage(const std::string& logPath);

    // The log at logPath read for its figures alone, no template needed: a failure
    // (Failure::kNoFigures at logPath) where its page would have been refused for its rows.
    // The figures are then figures().
    Failure ReadFigures(const std::string& logPath);

    // Reads a report log into the LogTable, adding its month's figures up on the way.
    Failure ReadReportLog(const std::string& path);

    // Writes the page of the log read last at outputPath, loading the template first. A
    // failure when no page was written: the template is missing or unreadable, the log has
    // fewer than 2 rows or none that can be placed in a month, outputPath is the log itself,
    // or the file could not be written (an existing page is then left as it was). The tables
    // are written through a PageWriter, whose steps (ClearPlaceholderSlots, WriteSection,
    // WriteRawSection) the run hands them.
    Failure GenerateReport(const std::string& outputPath);

    // Reloads the template beside the program: Failure::kTemplateMissing when it is not there,
    // Failure::kReadTemplate when it cannot be read.
    Failure LoadTemplate();
    // The template's path: the program's folder and base name, then ".htm.txt" for the
    // Japanese user interface or ".htm_en.txt" for English.
    std::string TemplatePath() const;

    // The figures of the log read last, added up as it was read.
    const MonthFigures& figures() const { return *figures_; }
    const LogTable& logTable() const { return *logTable_; }

    // The user's monthly allowance, which the next pages and Glance() set the month against.
    void SetAllowance(const AllowancePlan& plan) { allowance_ = plan; }
    // The month's peak, percentile, estimate and allowance, of the log read last when it
    // gives figures (WriteLogPage or ReadFigures succeeded).
    MonthGlance Glance() const;

    // The page beside a log: the log's folder and base name with ".html".
    static std::string PagePathOf(const std::string& logPath);

  private:
    // Whether the figures give a page at outputPath: a failure (Failure::kNoPage at
    // outputPath) for fewer than 2 rows, none that can be placed in a month, or a log that
    // changed while it was read.
    Failure CheckFigures(const std::string& outputPath) const;
    // GenerateReport with the template loaded.
    Failure WritePage(const std::string& outputPath);

    std::string modulePath_;
    int language_;
    std::unique_ptr<LogTable> logTable_;
    std::unique_ptr<MonthFigures> figures_;  // of the rows in the LogTable
    // Fed with every usable row as the figures are added up: peaks, percentile, estimate.
    std::unique_ptr<IntervalFigures> intervals_;
    AllowancePlan allowance_;
    PageSections sections_;  // the template, in the page's encoding
};

}  // namespace zintor
