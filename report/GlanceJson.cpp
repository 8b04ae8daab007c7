// The glance written as JSON text by hand, as the rest of the figures are.
#include "report/GlanceJson.h"

#include <cstdio>
#include <string_view>

namespace zintor {
namespace {

void Number(std::string& out, std::string_view name, std::uint64_t value, bool first = false) {
    char text[64];
    int n = std::snprintf(text, sizeof text, "%s\"%.*s\": %llu", first ? "" : ", ",
                          static_cast<int>(name.size()), name.data(),
                          static_cast<unsigned long long>(value));
    out.append(text, static_cast<std::size_t>(n));
}

void Word(std::string& out, std::string_view name, std::string_view value) {
    out += ", \"";
    out += name;
    out += "\": \"";
    out += value;
    out += '"';
}

// {"bytes": b, "seconds": s, "bytes_per_second": b / s}
void Rate(std::string& out, const ExactRate& rate) {
    out += '{';
    Number(out, "bytes", rate.bytes, true);
    Number(out, "seconds", static_cast<std::uint64_t>(rate.seconds));
    Number(out, "bytes_per_second", rate.FlooredPerSecond());
}

// A rate with the date and time of its row.
void PeakJson(std::string& out, const MonthGlance& g, const PeakRate& peak) {
    Rate(out, peak.rate);
    std::int64_t day = peak.stamp / 86400, second = peak.stamp % 86400;
    char text[96];
    std::snprintf(text, sizeof text,
                  ", \"date\": \"%04d-%02d-%02d\", \"time\": \"%02d:%02d:%02d\"}", g.year, g.month,
                  static_cast<int>(day), static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    out += text;
}

void Peak(std::string& out, const MonthGlance& g) {
    const IntervalResult& in = g.interval;
    if (!in.peakSent.rate.Known()) {
        out += "null";
        return;
    }
    out += "{\"sent\": ";
    PeakJson(out, g, in.peakSent);
    out += ", \"received\": ";
    PeakJson(out, g, in.peakReceived);
    out += '}';
}

void Percentile(std::string& out, const Percentile95& p) {
    if (p.bins == 0) {
        out += "null";
        return;
    }
    out += '{';
    Number(out, "bins", static_cast<std::uint64_t>(p.bins), true);
    out += ", \"sent\": ";
    Rate(out, p.sent);
    out += "}, \"received\": ";
    Rate(out, p.received);
    out += "}, \"billed\": ";
    Rate(out, p.Billed());
    Word(out, "direction", p.BilledIsSent() ? "sent" : "received");
    out += "}}";
}

void Estimate(std::string& out, const MonthEstimate& e) {
    if (!e.Given()) {
        out += "null";
        return;
    }
    out += '{';
    Number(out, "sent", e.sent, true);
    Number(out, "received", e.received);
    Number(out, "elapsed_seconds", static_cast<std::uint64_t>(e.elapsedSeconds));
    Number(out, "capture_seconds", static_cast<std::uint64_t>(e.captureSeconds));
    Number(out, "month_seconds", static_cast<std::uint64_t>(e.monthSeconds));
    out += '}';
}

std::string_view LevelWord(AllowanceLevel level) {
    switch (level) {
        case AllowanceLevel::kFrom80:
            return "from_80";
        case AllowanceLevel::kOver100:
            return "over_100";
        case AllowanceLevel::kBelow80:
            break;
    }
    return "below_80";
}

void Allowance(std::string& out, const MonthGlance& g) {
    if (!g.hasAllowance) {
        out += "null";
        return;
    }
    const AllowanceUse& use = g.allowance;
    out += '{';
    Number(out, "bytes", use.plan.bytes, true);
    Word(out, "counts", AllowanceCountsWord(use.plan.counts));
    Number(out, "used", use.used);
    Number(out, "left", use.left);
    Number(out, "over", use.over);
    Number(out, "share_per_mille", use.PerMille());
    Number(out, "remaining_days", static_cast<std::uint64_t>(use.remainingDays));
    Number(out, "per_remaining_day", use.perDay);
    Word(out, "level", LevelWord(use.level));
    out += '}';
}

}  // namespace

void AppendGlanceJson(std::string& out, const MonthGlance& glance) {
    out += "{\n    \"peak\": ";
    Peak(out, glance);
    out += ",\n    \"percentile95\": ";
    Percentile(out, glance.interval.percentile);
    out += ",\n    \"estimate\": ";
    Estimate(out, glance.interval.estimate);
    out += ",\n    \"allowance\": ";
    Allowance(out, glance);
    out += "\n  }";
}

}  // namespace zintor
