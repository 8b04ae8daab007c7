// The glance's values in words and units of both languages.
#include "report/GlanceSlots.h"

#include <algorithm>

#include "html/ValueFormat.h"
#include "report/PageTexts.h"

namespace zintor {
namespace {

constexpr std::int64_t kDay = 86400;

// A formatted value without the blanks that right-align it in a table.
std::u16string Bare(std::u16string text) {
    text.erase(0, std::min(text.find_first_not_of(u' '), text.size()));
    return text;
}

std::u16string Size(std::uint64_t bytes) {
    return Bare(FormatSize(static_cast<std::int64_t>(bytes), 0));
}

constexpr std::u16string_view kNone = u"-";

std::u16string Rate(const ExactRate& rate, int unit) {
    return rate.Known() ? Bare(FormatRate(rate.PerSecond(), unit)) : std::u16string(kNone);
}

// Seconds as days with one decimal, to the nearest tenth: 9.6.
std::u16string Days(std::int64_t seconds) {
    std::int64_t tenths = (seconds * 10 + kDay / 2) / kDay;
    return Join(Decimal(tenths / 10), u".", Decimal(tenths % 10));
}

std::u16string_view CountsWords(AllowanceCounts counts, bool english) {
    switch (counts) {
        case AllowanceCounts::kReceived:
            return english ? u"received" : u"受信";
        case AllowanceCounts::kSent:
            return english ? u"sent" : u"送信";
        case AllowanceCounts::kBoth:
            break;
    }
    return english ? u"sent and received" : u"送受信";
}

void SetAllowanceSlots(PageWriter& page, const MonthGlance& glance, bool english) {
    page.Set(kAllowLevel, AllowanceLevelClass(glance));
    if (!glance.hasAllowance) return;
    const AllowanceUse& use = glance.allowance;
    page.Set(kAllow, Size(use.plan.bytes));
    page.Set(kAllowUsed, Size(use.used));
    page.Set(kAllowLeft, Size(use.left));
    page.Set(kAllowPer, Bare(FormatShare(static_cast<std::int64_t>(use.used),
                                         static_cast<std::int64_t>(use.plan.bytes))));
    page.Set(kAllowDay, Size(use.perDay));
    page.Set(
        kAllowW,
        Decimal(static_cast<std::int64_t>(std::min<std::uint64_t>(use.PerMille(), 1000) / 10)));
    page.Set(kAllowCounts, CountsWords(use.plan.counts, english));
}

}  // namespace

std::u16string StampLabel(const MonthGlance& glance, std::int64_t stamp, int language) {
    std::int64_t day = stamp / kDay, second = stamp % kDay;
    std::u16string time = Join(Decimal(second / 3600, 2), u":", Decimal(second / 60 % 60, 2), u":",
                               Decimal(second % 60, 2));
    if (language != 0)
        return Join(Decimal(day, 2), u".", MonthAbbreviation(glance.month), u" ", time);
    return Join(Decimal(glance.month, 2), u"月", Decimal(day, 2), u"日 ", time);
}

std::u16string EstimateNote(const MonthEstimate& e, int language) {
    bool english = language != 0;
    switch (e.basis) {
        case EstimateBasis::kGiven: {
            std::u16string share = Bare(FormatShare(e.captureSeconds, e.elapsedSeconds));
            if (english)
                return Join(u"from the first ", Days(e.elapsedSeconds), u" of ",
                            Decimal(e.monthSeconds / kDay), u" days, capture time ", share);
            return Join(Decimal(e.monthSeconds / kDay), u"日のうち最初の", Days(e.elapsedSeconds),
                        u"日分から (記録時間 ", share, u")");
        }
        case EstimateBasis::kMonthComplete:
            return english ? u"none: the month is complete" : u"なし (月末まで記録済み)";
        case EstimateBasis::kTooEarly:
            return english ? u"none: less than a day of the month has passed"
                           : u"なし (月初から1日未満)";
        case EstimateBasis::kTooLittleCapture: {
            std::u16string share = Bare(FormatShare(e.captureSeconds, e.elapsedSeconds));
            if (english)
                return Join(u"none: capture time covers only ", share, u" of the month so far");
            return Join(u"なし (記録時間が経過時間の", share, u"のみ)");
        }
    }
    return {};
}

std::u16string_view AllowanceLevelClass(const MonthGlance& glance) {
    if (!glance.hasAllowance) return u"unset";
    switch (glance.allowance.level) {
        case AllowanceLevel::kFrom80:
            return u"warn";
        case AllowanceLevel::kOver100:
            return u"over";
        case AllowanceLevel::kBelow80:
            break;
    }
    return u"ok";
}

void SetGlanceSlots(PageWriter& page, const MonthGlance& glance) {
    int language = page.Language();
    const IntervalResult& in = glance.interval;
    auto at = [&](const PeakRate& peak) {
        return peak.rate.Known() ? StampLabel(glance, peak.stamp, language) : std::u16string(kNone);
    };
    page.Set(kPeakSend, Rate(in.peakSent.rate, 0));
    page.Set(kPeakRecv, Rate(in.peakReceived.rate, 0));
    page.Set(kPeakSendAt, at(in.peakSent));
    page.Set(kPeakRecvAt, at(in.peakReceived));
    page.Set(kPctlSend, Rate(in.percentile.sent, 0));
    page.Set(kPctlRecv, Rate(in.percentile.received, 0));
    page.Set(kPctlBilled, Rate(in.percentile.Billed(), 0));
    page.Set(kPctlMbps, Rate(in.percentile.Billed(), 3));
    bool estimate = in.estimate.Given();
    page.Set(kEstSend, estimate ? Size(in.estimate.sent) : std::u16string(kNone));
    page.Set(kEstRecv, estimate ? Size(in.estimate.received) : std::u16string(kNone));
    page.Set(kEstNote, EstimateNote(in.estimate, language));
    SetAllowanceSlots(page, glance, language != 0);
}

}  // namespace zintor
