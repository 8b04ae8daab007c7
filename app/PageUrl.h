// Addresses the browser pane is sent to: a page file by its file:// address, and the inline
// message page that asks the user to choose a report log.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

// "file://" and the path, with the bytes that would end or change the meaning of the
// address (blanks, '#', '%', '?', control and non-ASCII bytes) written as %XX escapes, so
// that every page path leads to its own file.
std::string PageUrlOf(std::string_view pagePath);

// The path of a file:// address with its escapes decoded; empty for any other address.
// A '#' part (a place within the page) is dropped.
std::string PathOfFileUrl(std::string_view url);

// The inline message page: the hint centred, in bold grey, one blank on each side. A detail
// (why the log just chosen gave no page) goes on a line of its own under the hint, its
// characters escaped so that it shows as written.
std::string MessagePageUrl(std::string_view hint, std::string_view detail = {});

// The HTML of an inline "about:<html>..." address, or empty when url is not of that form.
std::string InlineHtmlOf(std::string_view url);

}  // namespace zintor
