// Template loading: directive lines, section markers, content pieces.
#include "html/TemplateSet.h"

#include <cerrno>
#include <new>
#include <type_traits>

#include "platform/AsciiText.h"
#include "platform/FileSystem.h"
#include "platform/TextFileReader.h"

namespace zintor {
namespace {

// The markers in the order they are tested; the last one found in a line decides.
struct Marker {
    std::u16string_view text;
    int section;  // 0: an end marker
};
constexpr Marker kMarkers[] = {
    {u"html_header_start", 1},  {u"html_header_end", 0},    {u"body_header_start", 2},
    {u"body_header_end", 0},    {u"body_main1_start", 3},   {u"body_main1_end", 0},
    {u"body_main2_start", 4},   {u"body_main2_end", 0},     {u"body_main3_start", 5},
    {u"body_main3_end", 0},     {u"body_main4_start", 6},   {u"body_main4_end", 0},
    {u"body_main5_start", 7},   {u"body_main5_end", 0},     {u"body_main6_start", 8},
    {u"body_main6_end", 0},     {u"body_main7_start", 9},   {u"body_main7_end", 0},
    {u"body_main8_start", 10},  {u"body_main8_end", 0},     {u"body_main9_start", 11},
    {u"body_main9_end", 0},     {u"body_footer_start", 12}, {u"body_footer_end", 0},
    {u"html_footer_start", 13}, {u"html_footer_end", 0},
};

std::u16string_view UpToNul(std::u16string_view line) {
    std::size_t nul = line.find(u'\0');
    return nul == std::u16string_view::npos ? line : line.substr(0, nul);
}

}  // namespace

void TemplateSet::Clear() {
    for (auto& s : sections) s.clear();
}

void PageSections::Clear() {
    for (auto& s : sections) std::string().swap(s);
}

void TemplateParser::AddPiece(std::u16string_view piece) {
    auto index = static_cast<std::size_t>(current_ - 1);
    if (text_) {
        text_->sections[index].append(piece);
        text_->sections[index] += u'\n';
    } else {
        EncodeLinesAppend(encoding_, piece, bytes_->sections[index]);
        bytes_->sections[index] += "\r\n";
    }
}

void TemplateParser::AddLine(std::u16string_view line) {
    if (line.empty()) return;
    char16_t first = line.front();
    if (first == u'!' || first == u'#' || first == u';') {
        std::u16string lower(UpToNul(line));
        for (char16_t& ch : lower) ch = AsciiLower(ch);
        for (const Marker& m : kMarkers)
            if (lower.find(m.text) != std::u16string::npos) current_ = m.section;
        return;
    }
    if (current_ == 0) return;
    line = UpToNul(line);
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'\r' || line[i] == u'\n') {
            AddPiece(line.substr(pieceStart, i - pieceStart));
            pieceStart = i + 1;
        }
    }
}

namespace {

template <typename Target>
Failure LoadInto(const std::string& path, TextEncoding encoding, Target& target) {
    target.Clear();
    if (!FileExists(path)) return {Failure::kTemplateMissing, path, ENOENT};
    TextFileReader reader(encoding);
    Failure failure = reader.Open(path);
    try {
        TemplateParser parser = [&] {
            if constexpr (std::is_same_v<Target, PageSections>)
                return TemplateParser(target, encoding);
            else
                return TemplateParser(target);
        }();
        std::u16string line;
        while (!failure && reader.ReadLine(line)) parser.AddLine(line);
        failure = reader.Failed();
    } catch (const std::bad_alloc&) {
        failure = {Failure::kRead, path, Failure::kOutOfMemory};
    }
    if (!failure) return {};
    target.Clear();
    failure.what = Failure::kReadTemplate;
    return failure;
}

}  // namespace

Failure LoadTemplateFile(const std::string& path, TextEncoding encoding, TemplateSet& target) {
    return LoadInto(path, encoding, target);
}

Failure LoadTemplateFile(const std::string& path, TextEncoding encoding, PageSections& target) {
    return LoadInto(path, encoding, target);
}

}  // namespace zintor
