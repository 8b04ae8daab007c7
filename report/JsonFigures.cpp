// The figures written as JSON text by hand: integers in decimal, strings escaped, no locale.
#include "report/JsonFigures.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "logs/Calendar.h"
#include "platform/DisplayText.h"
#include "report/GlanceJson.h"

namespace zintor {
namespace {

constexpr const char* kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

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

std::string JsonFigures(const MonthFigures& t, std::string_view logPath,
                        const MonthGlance* glance) {
    std::string out;
    out.reserve(64 * 1024);
    out += "{\n  \"format_version\": ";
    Append(out, kJsonFormatVersion);
    out += ",\n  \"log\": " + JsonString(logPath);
    out += ",\n  \"year\": ";
    Append(out, t.year);
    out += ",\n  \"month\": ";
    Append(out, t.month);
    out += ",\n  \"rows\": {\"read\": ";
    Append(out, t.rowsRead);
    out += ", \"skipped\": ";
    Append(out, t.RowsSkipped());
    out += "},\n  \"totals\": ";
    AppendSums(out, t.monthSend, t.monthRecv, t.monthCapture);

    out += ",\n  \"days\": [";
    int days = std::clamp(DaysInMonth(t.year, t.month), 1, 31);
    for (int day = 1; day <= days; ++day) {
        char date[48];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", t.year, t.month, day);
        int weekday = DayOfWeek(t.year, t.month, day);
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
        AppendSums(out, t.weekdaySend[w], t.weekdayRecv[w], t.weekdayCapture[w]);
    }
    out += "\n  ],\n  \"hours\": [";
    for (int h = 0; h < 24; ++h) {
        out += h ? ",\n    " : "\n    ";
        AppendSums(out, t.hourSend[h], t.hourRecv[h], t.hourCapture[h]);
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
