// Timer and signals through file descriptors, one poll waiting on both.
#include "record/RecorderLoop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zintor {
namespace {

std::int64_t WallNanos() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * kNanosPerSecond + now.tv_nsec;
}

// The timer goes off once, delay nanoseconds from now on the boot clock.
bool Arm(int timer, std::int64_t delay) {
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(delay / kNanosPerSecond);
    when.it_value.tv_nsec = static_cast<long>(delay % kNanosPerSecond);
    return timerfd_settime(timer, 0, &when, nullptr) == 0;
}

struct Descriptors {
    int timer = -1, signals = -1;
    ~Descriptors() {
        if (timer >= 0) close(timer);
        if (signals >= 0) close(signals);
    }
};

// Waits for the timer or a signal: the signal's number, 0 for the timer, -1 on failure.
int Wait(const Descriptors& d) {
    pollfd fds[2] = {{d.timer, POLLIN, 0}, {d.signals, POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (fds[1].revents & POLLIN) {
            signalfd_siginfo info;
            if (read(d.signals, &info, sizeof info) == sizeof info)
                return static_cast<int>(info.ssi_signo);
        }
        if (fds[0].revents & POLLIN) {
            std::uint64_t expirations;
            if (read(d.timer, &expirations, sizeof expirations) == sizeof expirations) return 0;
        }
    }
}

}  // namespace

int RunRecorderLoop(Recorder& recorder, LogAppender& logs, std::ostream& errors) {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, signal);
    Descriptors d;
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0 ||
        (d.signals = signalfd(-1, &set, SFD_CLOEXEC)) < 0 ||
        (d.timer = timerfd_create(CLOCK_BOOTTIME, TFD_CLOEXEC)) < 0 ||
        !Arm(d.timer, recorder.Start(WallNanos()))) {
        errors << "zintor-record: cannot set up the timer: " << std::strerror(errno) << '\n';
        return 1;
    }
    for (;;) {
        int signal = Wait(d);
        if (signal == SIGHUP) {
            logs.Reopen();
        } else if (signal == 0) {
            if (!Arm(d.timer, recorder.RowDue(WallNanos()))) signal = -1;
        }
        if (signal == SIGTERM || signal == SIGINT) {
            recorder.Stop();
            std::size_t left = logs.Flush();
            if (left == 0) return 0;
            errors << "zintor-record: " << left << " rows could not be written\n";
            return 1;
        }
        if (signal < 0) {
            errors << "zintor-record: the timer failed: " << std::strerror(errno) << '\n';
            recorder.Stop();
            return 1;
        }
    }
}

}  // namespace zintor
