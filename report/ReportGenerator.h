// The report engine: reads a report log, loads the template beside the program and writes
// the month's report page. The main window owns one; the command-line run uses one directly.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "html/PlaceholderSlots.h"
#include "html/TemplateSet.h"
#include "logs/LogTable.h"
#include "platform/TextCodec.h"

namespace zintor {

class TextFileWriter;

class ReportGenerator {
public:
    // For the running program: its own path, and the text encoding of the user-interface
    // language.
    ReportGenerator();
    // For a program file at modulePath, with the given text encoding.
    ReportGenerator(std::string modulePath, TextEncoding encoding);
    virtual ~ReportGenerator();

    // Reads a report log into the LogTable: 1 when read, 0 otherwise (see LastError).
    int ReadReportLog(const std::string& path);

    // Reloads the template beside the program: 0 when it does not exist, 1 otherwise.
    int LoadTemplate();
    // The template's path: the program's folder and base name, then ".htm.txt" for the
    // Japanese user interface or ".htm_en.txt" for English.
    std::string TemplatePath() const;

    // Writes the page of the LogTable's month to outputPath. False when no page was written:
    // the template is missing, the log has fewer than 2 rows or none that can be placed in a
    // month, outputPath is the log itself, or the file could not be written (an existing page
    // is then left as it was).
    bool GenerateReport(const std::string& outputPath);

    // The page beside a log: the log's folder and base name with ".html".
    static std::string PagePathOf(const std::string& logPath);

    // Steps of a page run, used by the tables.
    void ClearPlaceholderSlots();
    void FillPlaceholders(std::u16string_view sectionText);
    void WriteSection(Section section);     // filled, then written
    void WriteRawSection(Section section);  // written unchanged
    int Language() const { return language_; }

    const LogTable& logTable() const { return *logTable_; }
    const std::string& LastError() const { return lastError_; }
    TextEncoding Encoding() const { return encoding_; }

    std::string modulePath;
    TemplateSet sections;
    PlaceholderSlots slots;
    std::u16string filledText;

private:
    bool Fail(std::string why);

    std::unique_ptr<LogTable> logTable_;
    TextEncoding encoding_;
    int language_ = 1;
    bool templateReadFailed_ = false;
    TextFileWriter* page_ = nullptr;  // the page being written, during GenerateReport
    std::string lastError_;
};

}  // namespace zintor
