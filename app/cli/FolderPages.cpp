// The logs are handed out one at a time from a counter the workers share, so that a slow
// log holds up no other; each worker reports every log it finished on a pipe.
#include "app/cli/FolderPages.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <ostream>

#include "app/AllowanceSettings.h"
#include "app/ErrorLine.h"
#include "app/FailureText.h"
#include "app/cli/CommandLine.h"
#include "logs/ReportLogList.h"
#include "platform/FileSystem.h"
#include "platform/WorkerProcesses.h"
#include "report/ReportGenerator.h"

namespace zintor {
namespace {

constexpr std::uint32_t kWritten = 0x80000000u;  // with a log's index: its page was written

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The worker's loop: the next log not taken yet, its page, its report. A failure's line goes
// to standard error in one write, so that the lines of several workers never mix.
int WritePagesFromQueue(const std::vector<std::string>& logs, std::atomic<std::uint32_t>& next,
                        int reports) {
    ReportGenerator generator;
    generator.SetAllowance(ReadProgramAllowance(ModulePath()));
    for (;;) {
        std::uint32_t index = next.fetch_add(1);
        if (index >= logs.size()) return 0;
        Failure failure = generator.WriteLogPage(logs[index]);
        if (failure) {
            std::string line = CommandLineFailureLine(failure);
            if (failure.what == Failure::kTemplateMissing)
                line = kErrorLinePrefix + logs[index] + ": " + line;
            WriteAll(STDERR_FILENO, line.data(), line.size());
        }
        std::uint32_t report = index | (failure ? 0 : kWritten);
        if (!WriteAll(reports, &report, sizeof report)) return 1;
    }
}

// The shared counter: a page of memory that the forked workers all see.
struct SharedCounter {
    void* page = MAP_FAILED;
    SharedCounter() {
        page = ::mmap(nullptr, sizeof(std::atomic<std::uint32_t>), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (page != MAP_FAILED) new (page) std::atomic<std::uint32_t>(0);
    }
    ~SharedCounter() {
        if (page != MAP_FAILED) ::munmap(page, sizeof(std::atomic<std::uint32_t>));
    }
    std::atomic<std::uint32_t>* get() const {
        return page == MAP_FAILED ? nullptr : static_cast<std::atomic<std::uint32_t>*>(page);
    }
};

}  // namespace

// A page carries the modification time its log had when it was read. Any other time, older
// or newer, means the log changed after that read (rows appended while the page was being
// written) or was replaced (by a copy keeping an older time), or the page came another way.
bool PageNeedsWriting(const std::string& logPath) {
    struct stat log, page;
    if (::stat(logPath.c_str(), &log) != 0) return true;
    if (::stat(ReportGenerator::PagePathOf(logPath).c_str(), &page) != 0) return true;
    return page.st_mtim.tv_sec != log.st_mtim.tv_sec || page.st_mtim.tv_nsec != log.st_mtim.tv_nsec;
}

int RunFolderPages(const std::string& folder, std::ostream& out, std::ostream& err, int workers) {
    if (int error = FolderAccess(folder)) {
        err << kErrorLinePrefix << FailureText({Failure::kRead, folder, error}) << '\n';
        return 1;
    }
    // Every log of the folder: the side menu's limit is for a menu, not for this run.
    std::vector<std::string> logs = ListReportLogs(folder, kNoLogLimit);
    SortReportLogs(logs);
    std::vector<std::string> needed;
    for (const std::string& log : logs)
        if (PageNeedsWriting(log)) needed.push_back(log);
    const std::size_t upToDate = logs.size() - needed.size();
    std::size_t written = 0;

    SharedCounter counter;
    int reports[2] = {-1, -1};
    if (!needed.empty() && counter.get() && ::pipe2(reports, O_CLOEXEC) == 0) {
        if (workers <= 0) workers = UsableProcessorCount();
        workers = static_cast<int>(std::min<std::size_t>(workers, needed.size()));
        out.flush();
        err.flush();
        for (int i = 0; i < workers; ++i) {
            if (StartWorkerProcess([&] {
                    ::close(reports[0]);
                    return WritePagesFromQueue(needed, *counter.get(), reports[1]);
                }) < 0)
                break;
        }
        ::close(reports[1]);
        std::vector<bool> done(needed.size());
        std::uint32_t report;
        std::size_t have = 0;
        for (;;) {
            ssize_t n =
                ::read(reports[0], reinterpret_cast<char*>(&report) + have, sizeof report - have);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            have += static_cast<std::size_t>(n);
            if (have < sizeof report) continue;
            have = 0;
            std::uint32_t index = report & ~kWritten;
            if (index < needed.size() && !done[index]) {
                done[index] = true;
                if (report & kWritten) ++written;
            }
        }
        ::close(reports[0]);
        WaitForWorkerProcesses();
        // A log no worker finished (none could start, or one was ended by a crash).
        for (std::size_t i = 0; i < needed.size(); ++i)
            if (!done[i])
                err << kErrorLinePrefix << needed[i]
                    << ": its page's run ended without an answer\n";
    } else if (!needed.empty()) {
        err << kErrorLinePrefix << "cannot start the page runs: " << std::strerror(errno) << '\n';
    }
    const std::size_t failed = needed.size() - written;
    out << written << " pages written, " << upToDate << " up to date, " << failed << " failed\n";
    errno = 0;
    out.flush();
    if (!out)
        err << kErrorLinePrefix
            << FailureText({Failure::kWrite, "standard output", errno ? errno : EIO}) << '\n';
    return failed == 0 && out ? 0 : 1;
}

}  // namespace zintor
