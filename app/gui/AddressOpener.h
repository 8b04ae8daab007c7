// Opening an address (a web address or a local file's file:// address) with the desktop's
// default handler, as the About box's link does.
#pragma once

#include <functional>
#include <string>

namespace zintor {

// True when a handler was started for the address; false when the desktop has none or the
// file does not exist.
bool OpenWithDefaultHandler(const std::string& address);

// The opener in use: OpenWithDefaultHandler unless replaced (tests).
std::function<bool(const std::string&)>& AddressOpener();

}  // namespace zintor
