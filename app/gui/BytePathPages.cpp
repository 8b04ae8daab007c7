// The zintor-file:// scheme: a page read by the bytes of its path and handed to WebKit.
#include "app/gui/BytePathPages.h"

#include <webkit2/webkit2.h>

#include <cstring>
#include <string>

#include "app/window/PageUrl.h"
#include "platform/PathParts.h"
#include "platform/RegularFile.h"

namespace zintor {
namespace {

constexpr const char* kServedKey = "zintor-byte-path-pages";

// The whole page at path (a page may be as large as its template makes it), or the errno
// value (or Failure reason) of why not.
int ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes.max_size() / 2, bytes).error;
}

extern "C" void ServePage(WebKitURISchemeRequest* request, gpointer) {
    std::string path = PathOfFileUrl(webkit_uri_scheme_request_get_uri(request));
    std::string bytes;
    int error = HasExtension(path, ".html") || HasExtension(path, ".htm")
                    ? ReadWholeFile(path, bytes)
                    : Failure::kNotARegularFile;
    if (error != 0) {
        GError* failure = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_FAILED,
                                              error > 0 ? std::strerror(error) : "not a page");
        webkit_uri_scheme_request_finish_error(request, failure);
        g_error_free(failure);
        return;
    }
    gsize size = bytes.size();
    GBytes* data = g_bytes_new(bytes.data(), size);
    GInputStream* stream = g_memory_input_stream_new_from_bytes(data);
    webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(size), "text/html");
    g_object_unref(stream);
    g_bytes_unref(data);
}

}  // namespace

void ServeBytePathPages(WebKitWebContext* context) {
    if (!context || g_object_get_data(G_OBJECT(context), kServedKey)) return;
    g_object_set_data(G_OBJECT(context), kServedKey, GINT_TO_POINTER(1));
    std::string scheme(kBytePathScheme);
    webkit_web_context_register_uri_scheme(context, scheme.c_str(), ServePage, nullptr, nullptr);
}

}  // namespace zintor
