// Addresses the browser pane is sent to: a page file by its file:// address, and the inline
// message page that asks the user to choose a report log; and which loads the pane allows.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

// The scheme of the pane's own page addresses. The web view loads no file:// address whose
// path is not UTF-8 (a Linux file name may be any bytes), so the page of such a path is
// loaded under this scheme, which the pane serves from the file's bytes.
constexpr std::string_view kBytePathScheme = "zintor-file";

// "file://" and the path, with the bytes that would end or change the meaning of the
// address (blanks, '#', '%', '?', control and non-ASCII bytes) written as %XX escapes, so
// that every path leads to its own file: the address other programs are given.
std::string FileUrlOf(std::string_view path);

// The address the pane loads a page by: FileUrlOf, but for a path that is not UTF-8 the
// same escapes under "zintor-file://".
std::string PageUrlOf(std::string_view pagePath);

// The path of a file:// or zintor-file:// address with its escapes decoded; empty for any
// other address. A '#' part (a place within the page) is dropped.
std::string PathOfFileUrl(std::string_view url);

// The inline message page: the hint centred, in bold grey, one blank on each side. A detail
// (why the log just chosen gave no page) goes on a line of its own under the hint, its
// characters escaped so that it shows as written.
std::string MessagePageUrl(std::string_view hint, std::string_view detail = {});

// The HTML of an inline "about:<html>..." address, or empty when url is not of that form.
std::string InlineHtmlOf(std::string_view url);

// What the browser pane does with a load it is about to make, the last address it was sent
// to being requested. The pane shows one page at a time and keeps no history to step through.
enum class PaneLoad {
    Allow,     // the address asked for, or a place within its page
    Refuse,    // another document: a step through the history (a mouse's back button, a script)
    HandOver,  // a local file that is no page, which only a drop on the pane can bring: the
               // window's drop handler takes it
};
PaneLoad JudgePaneLoad(std::string_view url, std::string_view requested);

}  // namespace zintor
