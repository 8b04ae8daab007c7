// Worker processes that share a batch of work between the processor cores. Each worker is a
// forked copy of the program that removes its temporary files on Ctrl+C, SIGTERM or SIGHUP
// as a single run does; an ending signal that reaches the program itself is passed on to
// the workers and waited for, so that none is left writing when the program has ended.
#pragma once

#include <sys/types.h>

#include <functional>

namespace zintor {

// The processor cores this process may run on (at least 1).
int UsableProcessorCount();

// Starts a worker that runs work and ends with the status it returns, without returning here
// (no destructors, no flushing of the program's buffers: flush them before). The worker's
// pid, or -1 with errno set when no process could be started.
pid_t StartWorkerProcess(const std::function<int()>& work);

// Waits for every worker started; the number of those that did not end with status 0.
int WaitForWorkerProcesses();

}  // namespace zintor
