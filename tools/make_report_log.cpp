// make_report_log: writes a realistic traffic-monitor report log for one month.
//
// One row per measuring interval, "YYYYMMDD,HHMMSS,sent,recv" with CR LF line ends, as the
// monitor writes it. The traffic follows a daily rhythm (quiet nights,
// busy evenings), is quieter at weekends, varies from day to day, and now and then carries a
// large download or upload spread over a few minutes. The monitor is switched off a few times
// a month, so the log has gaps of minutes to hours. The output depends on the options only:
// the random numbers come from our own generator and distributions rather than the standard
// ones, whose results differ between standard libraries, so a seed gives the same bytes with
// any compiler (given a maths library that rounds exp, log, pow and cos alike).
//
// --max writes the largest log the report reader holds: exactly 65,535 rows spread evenly over
// all 31 days of a 31-day month (40 or 41 seconds apart), without gaps.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kMaxLogRows = 65535;  // capacity of the report reader's table
constexpr double kPi = 3.14159265358979323846;

// splitmix64: small, fast and fully specified, unlike the standard distributions.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform integer in [0, n).
    std::uint64_t Below(std::uint64_t n) { return n == 0 ? 0 : Next() % n; }
    // Standard normal (Box-Muller).
    double Normal() {
        double u1 = 1.0 - Uniform();  // (0, 1]
        double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
    }
    // A positive factor around 1 whose logarithm is normal with the given spread.
    double LogNormalFactor(double sigma) {
        return std::exp(sigma * Normal() - 0.5 * sigma * sigma);
    }
    // Log-uniform in [lo, hi]: sizes and durations spread over orders of magnitude.
    double LogUniform(double lo, double hi) { return lo * std::pow(hi / lo, Uniform()); }

  private:
    std::uint64_t state_;
};

struct Options {
    int year = 2026;
    int month = 11;
    bool monthGiven = false;
    int interval = 60;       // seconds between rows
    long long maxRows = -1;  // -1: no limit
    std::uint64_t seed = 1;
    bool maximal = false;
    std::string outputPath;  // empty: standard output
};

constexpr std::string_view kUsage =
    "Usage: make_report_log [OPTIONS]\n"
    "Writes a traffic-monitor report log (YYYYMMDD,HHMMSS,sent,recv; CR LF) for one month.\n"
    "  --year Y        year, 1..9999 (default 2026)\n"
    "  --month M       month, 1..12 (default 11; with --max, 12)\n"
    "  --interval S    seconds between rows, 1..86400 (default 60)\n"
    "  --rows N        write at most N rows (default: no limit)\n"
    "  --seed N        seed of the traffic and the gaps (default 1)\n"
    "  --max           maximal log: exactly 65535 rows spread over all 31 days of a\n"
    "                  31-day month, no gaps (--interval and --rows do not apply)\n"
    "  -o, --output F  write to file F instead of standard output\n"
    "  --help          show this text\n";

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// Returns 0 on success, 2 on a usage error (message already printed), -1 for --help.
int ParseOptions(int argc, char** argv, Options& opt) {
    bool intervalGiven = false, rowsGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return -1;
        if (arg == "--max") {
            opt.maximal = true;
            continue;
        }
        bool takesValue = arg == "--year" || arg == "--month" || arg == "--interval" ||
                          arg == "--rows" || arg == "--seed" || arg == "-o" || arg == "--output";
        if (!takesValue) {
            std::cerr << "make_report_log: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        }
        if (i + 1 >= argc) {
            std::cerr << "make_report_log: " << arg << " needs a value\n";
            return 2;
        }
        std::string_view value = argv[++i];
        bool ok = true;
        if (arg == "--year") {
            ok = ParseNumber(value, opt.year) && opt.year >= 1 && opt.year <= 9999;
        } else if (arg == "--month") {
            ok = ParseNumber(value, opt.month) && opt.month >= 1 && opt.month <= 12;
            opt.monthGiven = true;
        } else if (arg == "--interval") {
            ok = ParseNumber(value, opt.interval) && opt.interval >= 1 &&
                 opt.interval <= kSecondsPerDay;
            intervalGiven = true;
        } else if (arg == "--rows") {
            ok = ParseNumber(value, opt.maxRows) && opt.maxRows >= 0;
            rowsGiven = true;
        } else if (arg == "--seed") {
            ok = ParseNumber(value, opt.seed);
        } else {
            opt.outputPath = value;
            ok = !value.empty();
        }
        if (!ok) {
            std::cerr << "make_report_log: bad value '" << value << "' for " << arg << '\n';
            return 2;
        }
    }
    if (opt.maximal && (intervalGiven || rowsGiven)) {
        std::cerr << "make_report_log: --max fixes the rows and their spacing; drop --interval and "
                     "--rows\n";
        return 2;
    }
    return 0;
}

using namespace std::chrono;

int DaysInMonth(int year, int month) {
    return static_cast<int>(static_cast<unsigned>(
        year_month_day_last(std::chrono::year(year), month_day_last(std::chrono::month(month)))
            .day()));
}

// Share of the evening peak per hour of the day on a working day: almost nothing at night,
// a slow rise through the day, the peak from 20:00 to 22:00.
constexpr double kHourShape[24] = {0.35, 0.18, 0.09, 0.05, 0.04, 0.04, 0.06, 0.16,
                                   0.28, 0.38, 0.42, 0.45, 0.52, 0.46, 0.44, 0.45,
                                   0.50, 0.56, 0.70, 0.86, 1.00, 1.00, 0.84, 0.60};

// Activity (0..1) at second s of the day, interpolated between the hour midpoints.
double DailyRhythm(int secondOfDay) {
    double hourPos = secondOfDay / 3600.0 - 0.5;
    int h0 = static_cast<int>(std::floor(hourPos));
    double frac = hourPos - h0;
    double a = kHourShape[(h0 + 24) % 24];
    double b = kHourShape[(h0 + 25) % 24];
    return a + (b - a) * frac;
}

// A large transfer that fills the next rows at its own speed until its bytes are sent.
struct Burst {
    double bytesLeft = 0;
    double bytesPerSecond = 0;
};

// An interval of the month [start, end) in which the monitor was off.
struct Gap {
    long long start;
    long long end;
};

class LogWriter {
  public:
    explicit LogWriter(const Options& opt)
        : opt_(opt), rnd_(opt.seed), days_(DaysInMonth(opt.year, opt.month)) {
        first_ = sys_days(std::chrono::year(opt.year) / opt.month / 1);
        dayFactor_.resize(days_ + 1);
        sendDayFactor_.resize(days_ + 1);
        for (int d = 1; d <= days_; ++d) {
            dayFactor_[d] = rnd_.LogNormalFactor(0.3);
            sendDayFactor_[d] = rnd_.LogNormalFactor(0.4);
        }
    }

    // The monitor is off a few times a month: 3 to 6 gaps of 5 minutes to 9 hours.
    void PlanGaps() {
        long long monthSeconds = static_cast<long long>(days_) * kSecondsPerDay;
        int count = 3 + static_cast<int>(rnd_.Below(4));
        for (int i = 0; i < count; ++i) {
            long long length = static_cast<long long>(rnd_.LogUniform(300, 9 * 3600.0));
            long long start = static_cast<long long>(
                rnd_.Below(static_cast<std::uint64_t>(monthSeconds - length)));
            gaps_.push_back({start, start + length});
        }
    }

    // Adds the row of the interval of the given length that ends at second t of the month
    // (rows come in ascending t); nothing while the monitor is off.
    void Row(long long t, int seconds) {
        for (const Gap& g : gaps_)
            if (t >= g.start && t < g.end) {
                // Transfers do not go on while nobody watches them.
                download_ = upload_ = Burst{};
                return;
            }
        int day = static_cast<int>(t / kSecondsPerDay) + 1;
        int secondOfDay = static_cast<int>(t % kSecondsPerDay);
        year_month_day date(first_ + days(day - 1));
        unsigned wd = weekday(sys_days(date)).c_encoding();  // 0 Sunday .. 6 Saturday
        bool weekend = wd == 0 || wd == 6;

        double activity = DailyRhythm(secondOfDay) * dayFactor_[day] * (weekend ? 0.4 : 1.0);
        // Background chatter (name lookups, keep-alives, updates) runs day and night; what is
        // sent is partly requests and acknowledgements of what is received, partly video calls
        // in working hours.
        double recvRate = 900 + activity * 180000 * rnd_.LogNormalFactor(0.7);
        double sendRate = 350 + recvRate * 0.06 * sendDayFactor_[day] * rnd_.LogNormalFactor(0.5);
        int hour = secondOfDay / 3600;
        if (!weekend && hour >= 9 && hour < 17)
            sendRate += 20000 * sendDayFactor_[day] * rnd_.LogNormalFactor(0.8);

        // New large transfers, more likely while the machine is in use: about one download
        // every day or two and one upload a week.
        double perSecondDownload = (0.15 + activity) / kSecondsPerDay;
        if (download_.bytesLeft <= 0 && rnd_.Uniform() < perSecondDownload * seconds)
            download_ = {rnd_.LogUniform(90.0 * (1 << 20), 1.6 * (1 << 30)),
                         rnd_.Uniform(2.5e6, 11e6)};
        if (upload_.bytesLeft <= 0 && rnd_.Uniform() < perSecondDownload * seconds / 6)
            upload_ = {rnd_.LogUniform(40.0 * (1 << 20), 400.0 * (1 << 20)),
                       rnd_.Uniform(0.6e6, 2.5e6)};

        double down = Drain(download_, seconds);
        double up = Drain(upload_, seconds);
        // Each side of a large transfer acknowledges what it gets: about 2% in the other direction.
        double recv = recvRate * seconds + down + up * 0.02;
        double sent = sendRate * seconds + up + down * 0.02;

        char line[64];
        int n = std::snprintf(line, sizeof line, "%04d%02u%02u,%02d%02d%02d,%u,%u\r\n", opt_.year,
                              static_cast<unsigned>(date.month()),
                              static_cast<unsigned>(date.day()), secondOfDay / 3600,
                              secondOfDay / 60 % 60, secondOfDay % 60, Bytes(sent), Bytes(recv));
        out_.append(line, static_cast<std::size_t>(n));
        ++rows_;
    }

    long long Rows() const { return rows_; }
    int Days() const { return days_; }
    Random& Rnd() { return rnd_; }
    const std::string& Text() const { return out_; }

  private:
    static double Drain(Burst& b, int seconds) {
        if (b.bytesLeft <= 0) return 0;
        double part = std::min(b.bytesLeft, b.bytesPerSecond * seconds);
        b.bytesLeft -= part;
        return part;
    }
    // A row holds an unsigned 32-bit count of bytes.
    static unsigned Bytes(double x) {
        if (!(x > 0)) return 0;
        return x >= 4294967295.0 ? 4294967295u : static_cast<unsigned>(x);
    }

    const Options& opt_;
    Random rnd_;
    int days_;
    sys_days first_;
    std::vector<double> dayFactor_;      // how busy each day is
    std::vector<double> sendDayFactor_;  // how much of it is sending
    std::vector<Gap> gaps_;
    Burst download_, upload_;
    std::string out_;
    long long rows_ = 0;
};

bool WriteAll(const std::string& text, const std::string& path) {
    std::FILE* f = path.empty() ? stdout : std::fopen(path.c_str(), "wb");
    if (!f) {
        std::cerr << "make_report_log: cannot open " << path << ": " << std::strerror(errno)
                  << '\n';
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = (std::fflush(f) == 0) && ok;
    if (f != stdout) ok = (std::fclose(f) == 0) && ok;
    if (!ok)
        std::cerr << "make_report_log: cannot write " << (path.empty() ? "standard output" : path)
                  << '\n';
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    int parsed = ParseOptions(argc, argv, opt);
    if (parsed == -1) {
        std::cout << kUsage;
        return 0;
    }
    if (parsed != 0) return parsed;
    if (opt.maximal && !opt.monthGiven) opt.month = 12;

    LogWriter log(opt);
    long long monthSeconds = static_cast<long long>(log.Days()) * kSecondsPerDay;
    if (opt.maximal) {
        if (log.Days() != 31) {
            std::cerr << "make_report_log: --max needs a month of 31 days\n";
            return 2;
        }
        // Row i at floor(i * month / rows): evenly spread, the first at 00:00:00 on the 1st,
        // the last in the final minute of the 31st.
        long long prev = 0;
        for (long long i = 0; i < kMaxLogRows; ++i) {
            long long t = i * monthSeconds / kMaxLogRows;
            log.Row(t, i == 0 ? 40 : static_cast<int>(t - prev));
            prev = t;
        }
    } else {
        log.PlanGaps();
        // The monitor starts at some second of the first interval and, like any timer on a busy
        // machine, now and then slips by a second.
        long long t =
            static_cast<long long>(log.Rnd().Below(static_cast<std::uint64_t>(opt.interval)));
        int step = opt.interval;
        while (t < monthSeconds && (opt.maxRows < 0 || log.Rows() < opt.maxRows)) {
            log.Row(t, step);
            step = opt.interval + (opt.interval >= 10 && log.Rnd().Uniform() < 0.02 ? 1 : 0);
            t += step;
        }
    }
    return WriteAll(log.Text(), opt.outputPath) ? 0 : 1;
}
