// Failed toolkit checks go to standard error instead of a modal box.
#include "app/gui/AssertReport.h"

#include <cstdio>

#include <wx/debug.h>
#include <wx/string.h>

#include "app/ErrorLine.h"

namespace zintor {
namespace {

void WriteAssert(const wxString& file, int line, const wxString& function,
                 const wxString& condition, const wxString& message) {
    std::fprintf(stderr, "%stoolkit check failed: %s(%d) in %s: %s%s%s\n", kErrorLinePrefix,
                 file.utf8_str().data(), line, function.utf8_str().data(),
                 condition.utf8_str().data(), message.empty() ? "" : ": ",
                 message.utf8_str().data());
}

}  // namespace

void ReportAssertsOnStandardError() { wxSetAssertHandler(WriteAssert); }

}  // namespace zintor
