// CSV splitting and unquoting of report-log lines.
#include "logs/LogLineParser.h"

#include <string>

namespace zintor {
namespace {

// Unquotes the field text that starts at begin: each non-overlapping pair of double quotes
// becomes one, then a leading and a trailing double quote are dropped.
void UnquoteFrom(std::u16string& text, std::size_t begin) {
    std::size_t out = begin;
    for (std::size_t in = begin; in < text.size(); ++in) {
        text[out++] = text[in];
        if (text[in] == u'"' && in + 1 < text.size() && text[in + 1] == u'"') ++in;
    }
    text.resize(out);
    if (out > begin && text[begin] == u'"') text.erase(begin, 1);
    if (text.size() > begin && text.back() == u'"') text.pop_back();
}

}  // namespace

bool IsLogCommentLine(std::u16string_view line) {
    if (line.empty()) return true;
    char16_t first = line.front();
    return first == u'!' || first == u'#' || first == u';' || (first & 0x00F0) == 0;
}

void AppendLogRow(std::u16string_view line, LogTable& table) {
    if (std::size_t nul = line.find(u'\0'); nul != std::u16string_view::npos) line = line.substr(0, nul);
    std::u16string& text = table.TextForAppend();
    std::size_t fieldStart = text.size();
    bool inQuotes = false;
    bool fieldHasQuote = false;
    for (char16_t ch : line) {
        if (ch == u'"') {
            inQuotes = !inQuotes;
            fieldHasQuote = true;
            text += ch;
        } else if ((ch == u',' || ch == u'\n') && !inQuotes) {
            if (fieldHasQuote) UnquoteFrom(text, fieldStart);
            table.EndField();
            fieldStart = text.size();
            fieldHasQuote = false;
        } else {
            text += ch;
        }
    }
    table.DropFieldsFrom(fieldStart);  // an unterminated last field is not a field
    table.EndRow();
}

}  // namespace zintor
