// file:// addresses, the inline message page and the loads the pane allows.
#include "app/window/PageUrl.h"

#include "platform/DisplayText.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '-' || c == '_' || c == '.' || c == '~' || c == '+' || c == ',' || c == '=' ||
           c == '@' || c == ':' || c == '&' || c == '!' || c == '$' || c == '(' || c == ')' ||
           c == '*' || c == ';' || c == '\'';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr std::string_view kInlinePrefix = "about:<";

std::string HtmlEscaped(std::string_view text) {
    std::string html;
    for (char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            case '\'':
                html += "&#39;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

}  // namespace

std::string FileUrlOf(std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (char ch : path) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

std::string PageUrlOf(std::string_view pagePath) {
    std::string url = FileUrlOf(pagePath);
    if (ReadableUtf8(pagePath) != pagePath) url.replace(0, 4, kBytePathScheme);
    return url;
}

std::string PathOfFileUrl(std::string_view url) {
    std::size_t colon = url.find("://");
    std::string_view scheme = url.substr(0, colon);
    if (colon == std::string_view::npos || (scheme != "file" && scheme != kBytePathScheme))
        return {};
    url.remove_prefix(colon + 3);
    url = url.substr(0, url.find('#'));
    if (!url.starts_with('/')) {  // "file://host/path": only the local host is ours
        std::size_t slash = url.find('/');
        std::string_view host = url.substr(0, slash);
        if (host != "localhost" || slash == std::string_view::npos) return {};
        url.remove_prefix(slash);
    }
    std::string path;
    for (std::size_t i = 0; i < url.size(); ++i) {
        int hi, lo;
        if (url[i] == '%' && i + 2 < url.size() && (hi = HexValue(url[i + 1])) >= 0 &&
            (lo = HexValue(url[i + 2])) >= 0) {
            path += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            path += url[i];
        }
    }
    return path;
}

std::string MessagePageUrl(std::string_view hint, std::string_view detail) {
    std::string url =
        "about:<html><body><div align=\"center\"><span "
        "style=\"font-weight:bold;color:#aaaaaa;\"> " +
        std::string(hint) + " </span>";
    if (!detail.empty())
        url += "<br><span style=\"color:#888888;\">" + HtmlEscaped(detail) + "</span>";
    return url + "</div></body></html>";
}

std::string InlineHtmlOf(std::string_view url) {
    if (url.substr(0, kInlinePrefix.size()) != kInlinePrefix) return {};
    return std::string(url.substr(6));
}

PaneLoad JudgePaneLoad(std::string_view url, std::string_view requested) {
    std::string path = PathOfFileUrl(url);
    std::string asked = PathOfFileUrl(requested);
    if (!path.empty() && path != asked && !HasExtension(path, ".html") &&
        !HasExtension(path, ".htm")) {
        return PaneLoad::HandOver;
    }
    // An inline page is loaded as about:blank with its text.
    bool same = !InlineHtmlOf(requested).empty() ? url.starts_with("about:blank")
                : path.empty()                   ? url == requested
                                                 : path == asked;
    return same ? PaneLoad::Allow : PaneLoad::Refuse;
}

}  // namespace zintor
