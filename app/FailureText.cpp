// The words of each failure, in one place.
#include "app/FailureText.h"

#include <cstring>

#include "html/UiLanguage.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

std::string ReasonText(int error) {
    switch (error) {
        case Failure::kNotARegularFile:
            return "not a regular file";
        case Failure::kOutOfMemory:
            return "not enough memory";
        case Failure::kRowsTooLarge:
            return "its rows take more than 64 MB";
        case Failure::kFileChanged:
            return "the file changed while it was read";
        case Failure::kTooFewRows:
            return "the log holds fewer than 2 data rows";
        case Failure::kNoUsableRow:
            return "no row of the log holds a usable date and time";
        case Failure::kLogChanged:
            return "the log changed while it was read";
        case Failure::kPageIsTheLog:
            return "that is the log itself";
        case Failure::kLineBreak:
            return "a section, key or value holds a line break or is empty";
        case Failure::kUntrustedLink:
            return "the link is in a folder others can write to and is not yours";
        default:
            return std::strerror(error);
    }
}

}  // namespace

std::string FailureText(const Failure& f) {
    switch (f.what) {
        case Failure::kNone:
            return {};
        case Failure::kTemplateMissing:
            return std::string(kTemplateNotFound);
        case Failure::kReadTemplate:
            return "cannot read the template " + f.path + ": " + ReasonText(f.error);
        case Failure::kNotAReportLog:
            return "not a report log (its name must contain \"vorlix_report\" and \".log\"): " +
                   f.path;
        case Failure::kRead:
            return "cannot read " + f.path + ": " + ReasonText(f.error);
        case Failure::kWrite:
            return "cannot write " + f.path + ": " + ReasonText(f.error);
        case Failure::kReplace:
            return "cannot replace " + f.path + ": " + ReasonText(f.error);
        case Failure::kCreateBeside:
            return "cannot create a file beside " + f.path + ": " + ReasonText(f.error);
        case Failure::kNoPage:
            return "no page written to " + f.path + ": " + ReasonText(f.error);
        case Failure::kNoFigures:
            return "no figures from " + f.path + ": " + ReasonText(f.error);
    }
    return {};
}

std::string EnglishReasonText(int error) { return ReasonText(error); }

std::string FailureText(const Failure& failure, int uiLanguage) {
    return uiLanguage == kJapanese ? JapaneseFailureText(failure) : FailureText(failure);
}

}  // namespace zintor
