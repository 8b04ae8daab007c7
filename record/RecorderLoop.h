// The recorder running on the system's clocks: asleep on a timer between rows, woken by it
// or by a signal.
#pragma once

#include <ostream>

#include "record/LogAppender.h"
#include "record/Recorder.h"

namespace zintor {

// Runs until SIGTERM or SIGINT, which write the slot in progress as its own row. SIGHUP
// reopens the log. The exit status: 0, or 1 when rows were left unwritten at the end or the
// timer or signals could not be set up.
int RunRecorderLoop(Recorder& recorder, LogAppender& logs, std::ostream& errors);

}  // namespace zintor
