// The counters of ROOT/proc/net/dev, each interface's kind from ROOT/sys/class/net.
#pragma once

#include <map>

#include "record/CounterSource.h"

namespace zintor {

class SystemCounters : public CounterSource {
  public:
    // root "" (or "/") reads the system's own files; another folder a copy laid out the same
    // way (a test's tree, a container's view).
    explicit SystemCounters(std::string root);
    bool Read(std::vector<InterfaceReading>& readings, std::string& why) override;

  private:
    InterfaceKind KindOf(const std::string& name) const;
    std::string root_;
    // The kinds of the interfaces of the last reading: a name's link is read once while the
    // interface stays, again when it comes back (perhaps as another device).
    std::map<std::string, InterfaceKind> kinds_;
};

}  // namespace zintor
