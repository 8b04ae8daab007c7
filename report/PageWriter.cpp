// Filling and writing sections into the page file.
#include "report/PageWriter.h"

namespace zintor {

PageWriter::PageWriter(const TemplateSet& sections, int uiLanguage)
    : sections_(sections), language_(uiLanguage), file_(EncodingForLanguage(uiLanguage)) {}

Failure PageWriter::Open(const std::string& path) { return file_.Open(path); }

void PageWriter::ClearPlaceholderSlots() { slots_.Clear(); }

void PageWriter::Set(int slot, std::u16string_view value) { slots_.Set(slot, value); }

void PageWriter::WriteSection(Section section) {
    FillPlaceholders(sections_[section], slots_, filledText_);
    file_.Write(filledText_);
}

void PageWriter::WriteRawSection(Section section) { file_.Write(sections_[section]); }

Failure PageWriter::Commit() { return file_.Commit(); }

}  // namespace zintor
