// Pages whose paths are not UTF-8, which the web view cannot load as file:// addresses: the
// pane loads them under its own scheme (kBytePathScheme), served from the file's bytes.
#pragma once

typedef struct _WebKitWebContext WebKitWebContext;

namespace zintor {

// Lets the web views of context load zintor-file:// addresses: the page file at the path of
// the address, read whole. Only a page (".html" or ".htm") that is a regular file is served;
// anything else is a failed load. Once per context, however often it is called.
void ServeBytePathPages(WebKitWebContext* context);

}  // namespace zintor
