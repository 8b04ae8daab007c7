// One page being written: the template's sections, the value slots that fill them, and the
// page file, in the page's encoding, which replaces an older page only once it is complete.
// The report run makes one for each page and hands it to each table; nothing of it outlives
// the run.
#pragma once

#include <string>
#include <string_view>

#include "html/PlaceholderSlots.h"
#include "html/TemplateSet.h"
#include "platform/Failure.h"
#include "platform/TextFileWriter.h"

namespace zintor {

class PageWriter {
  public:
    // Pages in the user-interface language uiLanguage (0 Japanese, 1 English), from sections
    // in that language's encoding.
    PageWriter(const PageSections& sections, int uiLanguage);
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    Failure Open(const std::string& path);

    // Steps of a page, used by the run and its tables. A section's slots are emptied before
    // they are filled, so that no section sees a value left from an earlier one.
    void ClearPlaceholderSlots();
    void Set(int slot, std::u16string_view value);
    // Sets a slot to the ASCII text that format(std::string&) appends (a ValueFormat Append
    // function): numbers go into the page without a string of their own.
    template <typename Format>
    void SetText(int slot, Format&& format) {
        scratch_.clear();
        format(scratch_);
        slots_.Set(slot, scratch_);
    }
    void WriteSection(Section section);     // the placeholders filled from the slots, then written
    void WriteRawSection(Section section);  // written unchanged
    int Language() const { return language_; }

    // Puts the complete page in place; the first write that failed otherwise, and the older
    // page stays as it was.
    Failure Commit();
    // After Open: the page is put in place with this modification time.
    void SetModificationTime(const struct timespec& time) { file_.SetModificationTime(time); }

  private:
    const PageSections& sections_;
    int language_;
    TextEncoding encoding_;
    PageSlots slots_;      // in the page's bytes
    std::string scratch_;  // a value being formatted or encoded
    TextFileWriter file_;
};

}  // namespace zintor
