// The figures written as JSON text by hand: integers in decimal, strings escaped, no locale.
#include "report/JsonFigures.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "logs/Calendar.h"
#include "platform/DisplayText.h"
#include "report/GlanceJson.h"
#include "report/LogRow.h"

namespace zintor {
namespace {

constexpr const char* kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The capture time per weekday and per hour of the day, which the page does not add up: a
// step counts for the weekday and hour of its later row, by the page's own rule for days.
struct CaptureByTime {
    std::int64_t weekday[7] = {};
    std::int64_t hour[24] = {};
};

CaptureByTime AddUpCapture(const LogTable& table) {
    CaptureByTime capture;
    std::int64_t previousStamp = 0;
    for (int row = 0; row < table.RowCount(); ++row) {
        LogRow r = DecodeLogRow(table, row);
        if (!r.usable) continue;
        std::int64_t stamp = r.Stamp();
        std::int64_t step = CapturedSeconds(previousStamp, stamp);
        capture.weekday[r.weekday] += step;
        capture.hour[r.hour % 24] += step;
        previousStamp = stamp;
    }
    return capture;
}

void Append(std::string& out, std::int64_t value) {
    char digits[24];
    int n = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
    out.append(digits, static_cast<std::size_t>(n));
}

// "sent": s, "received": r
void AppendTraffic(std::string& out, std::int64_t sent, std::int64_t received) {
    out += "\"sent\": ";
    Append(out, sent);
    out += ", \"received\": ";
    Append(out, received);
}

// {"sent": s, "received": r, "capture_seconds": c}
void AppendSums(std::string& out, std::int64_t sent, std::int64_t received, std::int64_t capture) {
    out += '{';
    AppendTraffic(out, sent, received);
    out += ", \"capture_seconds\": ";
    Append(out, capture);
    out += '}';
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string readable = ReadableUtf8(text);
    std::string out = "\"";
    for (char c : readable) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string JsonFigures(const LogTable& table, const TrafficTotals& t, const Aggregation& run,
                        std::string_view logPath, const MonthGlance* glance) {
    CaptureByTime capture = AddUpCapture(table);
    std::string out;
    out.reserve(64 * 1024);
    out += "{\n  \"format_version\": ";
    Append(out, kJsonFormatVersion);
    out += ",\n  \"log\": " + JsonString(logPath);
    out += ",\n  \"year\": ";
    Append(out, run.reportYear);
    out += ",\n  \"month\": ";
    Append(out, run.reportMonth);
    out += ",\n  \"rows\": {\"read\": ";
    Append(out, table.RowCount());
    out += ", \"skipped\": ";
    Append(out, table.RowCount() - run.usableRows);
    out += "},\n  \"totals\": ";
    AppendSums(out, t.daySend[32], t.dayRecv[32], t.dayCapture[32]);

    out += ",\n  \"days\": [";
    int days = std::clamp(DaysInMonth(run.reportYear, run.reportMonth), 1, 31);
    for (int day = 1; day <= days; ++day) {
        char date[48];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", run.reportYear, run.reportMonth, day);
        int weekday = DayOfWeek(run.reportYear, run.reportMonth, day);
        out += day > 1 ? ",\n    " : "\n    ";
        out += "{\"day\": ";
        Append(out, day);
        out += ", \"date\": \"";
        out += date;
        out += "\", \"weekday\": \"";
        out += kWeekdayNames[weekday >= 0 ? weekday % 7 : 0];
        out += "\", ";
        AppendTraffic(out, t.daySend[day], t.dayRecv[day]);
        out += ", \"capture_seconds\": ";
        Append(out, t.dayCapture[day]);
        out += ",\n     \"hours\": [";
        for (int h = 0; h < 24; ++h) {
            out += h ? ", {\"hour\": " : "{\"hour\": ";
            Append(out, h);
            out += ", ";
            AppendTraffic(out, t.dayHourSend[day][h], t.dayHourRecv[day][h]);
            out += '}';
        }
        out += "]}";
    }
    out += "\n  ],\n  \"weekdays\": [";
    for (int w = 0; w < 7; ++w) {
        out += w ? ",\n    " : "\n    ";
        AppendSums(out, t.weekdaySend[w], t.weekdayRecv[w], capture.weekday[w]);
    }
    out += "\n  ],\n  \"hours\": [";
    for (int h = 0; h < 24; ++h) {
        out += h ? ",\n    " : "\n    ";
        AppendSums(out, t.hourSend[h], t.hourRecv[h], capture.hour[h]);
    }
    out += "\n  ]";
    if (glance) {
        out += ",\n  \"figures\": ";
        AppendGlanceJson(out, *glance);
    }
    out += "\n}\n";
    return out;
}

}  // namespace zintor
