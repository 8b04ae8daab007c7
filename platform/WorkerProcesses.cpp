// fork, with the ending signals blocked while the worker's pid is not yet known to the
// handler that passes them on.
#include "platform/WorkerProcesses.h"

#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/EndingSignals.h"
#include "platform/TemporaryFiles.h"

namespace zintor {
namespace {

constexpr int kMaxWorkers = 256;
std::atomic<pid_t> workers[kMaxWorkers];
std::atomic<int> workerCount{0};

// Safe in a signal handler: kill and waitpid only. The workers remove their temporary files
// and end; then the signal, raised again with the handler reset, ends this process.
void PassOnEndingSignal(int signal) {
    int count = workerCount.load();
    for (int i = 0; i < count; ++i)
        if (pid_t pid = workers[i].load(); pid > 0) ::kill(pid, signal);
    for (int i = 0; i < count; ++i)
        if (pid_t pid = workers[i].load(); pid > 0)
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
    ::raise(signal);
}

void PassOnEndingSignals() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // A signal the program was started to ignore stays ignored, in the workers too.
    HandleEndingSignals(PassOnEndingSignal);
}

}  // namespace

int UsableProcessorCount() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

pid_t StartWorkerProcess(const std::function<int()>& work) {
    if (workerCount.load() >= kMaxWorkers) {
        errno = EAGAIN;
        return -1;
    }
    PassOnEndingSignals();
    pid_t pid;
    int error;
    {
        EndingSignalsBlocked blocked;
        pid = ::fork();
        if (pid == 0) {
            // The worker: its own temporary files go with it, as in a single run.
            workerCount.store(0);
            RemoveTemporaryFilesOnSignals();
            ::pthread_sigmask(SIG_SETMASK, &blocked.previous(), nullptr);
            ::_exit(work());
        }
        error = errno;
        if (pid > 0) workers[workerCount.fetch_add(1)].store(pid);
    }
    errno = error;
    return pid;
}

int WaitForWorkerProcesses() {
    int failed = 0;
    int count = workerCount.load();
    for (int i = 0; i < count; ++i) {
        pid_t pid = workers[i].load();
        int status = 0;
        pid_t ended;
        while ((ended = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
        }
        if (ended != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
        workers[i].store(0);
    }
    workerCount.store(0);
    return failed;
}

}  // namespace zintor
