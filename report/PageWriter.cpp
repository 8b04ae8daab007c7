// Filling and writing sections into the page file.
#include "report/PageWriter.h"

namespace zintor {

PageWriter::PageWriter(const PageSections& sections, int uiLanguage)
    : sections_(sections),
      language_(uiLanguage),
      encoding_(EncodingForLanguage(uiLanguage)),
      file_(encoding_) {}

Failure PageWriter::Open(const std::string& path) { return file_.Open(path); }

void PageWriter::ClearPlaceholderSlots() { slots_.Clear(); }

// The value is cut as a slot of characters cuts it, then encoded as the page is.
void PageWriter::Set(int slot, std::u16string_view value) {
    if (std::size_t nul = value.find(u'\0'); nul != value.npos) value = value.substr(0, nul);
    if (value.size() > PageSlots::kMaxValue) value = value.substr(0, PageSlots::kMaxValue);
    scratch_.clear();
    EncodeLinesAppend(encoding_, value, scratch_);
    slots_.Assign(slot, scratch_);
}

namespace {

struct FileOut {
    TextFileWriter& file;
    void Append(std::string_view bytes) { file.WriteBytes(bytes); }
};

}  // namespace

void PageWriter::WriteSection(Section section) {
    FileOut out{file_};
    FillPlaceholdersInto<char>(sections_[section], slots_, out);
}

void PageWriter::WriteRawSection(Section section) { file_.WriteBytes(sections_[section]); }

Failure PageWriter::Commit() { return file_.Commit(); }

}  // namespace zintor
