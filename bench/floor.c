/* The floor of the command-line run: the same whole job done as plainly as C allows, for
 * measurement only (bench/run.sh builds it with cc -O2; it is not part of zintor).
 *
 *     floor TEMPLATE LOG PAGE
 *
 * Reads the template and cuts it into its sections, maps the log, adds its rows up per day,
 * hour, weekday and day-hour with capture time (steps of 1 to 61 seconds), and writes a page of
 * the same shape (every table, every row, every placeholder filled with a figure of the same
 * width) into a temporary file beside PAGE, then renames it over PAGE. Rows are taken as the
 * traffic monitor writes them (digits, commas, LF or CR LF); comments and odd rows are passed
 * over, nothing is decoded, no failure is put into words. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

enum { kSections = 13, kMaxPieces = 64 };
static const char* const kNames[] = {"html_header", "body_header", "body_main1", "body_main2",
                                     "body_main3",  "body_main4",  "body_main5", "body_main6",
                                     "body_main7",  "body_main8",  "body_main9", "body_footer",
                                     "html_footer"};

/* A section: literal pieces, each followed by a placeholder (its name's first letters). */
struct Piece {
    const char* text;
    size_t size;
    char slot[16]; /* the placeholder's name, empty after the last piece */
};
struct Section {
    char* text;
    size_t size;
    struct Piece pieces[kMaxPieces];
    int count;
};
static struct Section sections[kSections];

static char* read_all(const char* path, size_t* size) {
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) exit(1);
    char* buf = malloc((size_t)st.st_size + 1);
    size_t got = 0;
    for (ssize_t n; got < (size_t)st.st_size; got += (size_t)n)
        if ((n = read(fd, buf + got, (size_t)st.st_size - got)) <= 0) break;
    close(fd);
    buf[got] = '\0';
    *size = got;
    return buf;
}

static void cut_template(char* t, size_t size) {
    int current = -1;
    for (char *line = t, *end = t + size; line < end;) {
        char* lf = memchr(line, '\n', (size_t)(end - line));
        if (!lf) break;
        size_t len = (size_t)(lf - line);
        if (len && line[len - 1] == '\r') --len;
        if (*line == ';' || *line == '#' || *line == '!') {
            for (int s = 0; s < kSections; ++s) {
                size_t n = strlen(kNames[s]);
                char* at = memmem(line, len, kNames[s], n);
                if (at && at + n + 6 <= line + len && memcmp(at + n, "_start", 6) == 0) current = s;
                if (at && at + n + 4 <= line + len && memcmp(at + n, "_end", 4) == 0) current = -1;
            }
        } else if (current >= 0) {
            struct Section* s = &sections[current];
            s->text = realloc(s->text, s->size + len + 2);
            memcpy(s->text + s->size, line, len);
            memcpy(s->text + s->size + len, "\r\n", 2);
            s->size += len + 2;
        }
        line = lf + 1;
    }
    for (int k = 0; k < kSections; ++k) {
        struct Section* s = &sections[k];
        const char *p = s->text, *end = s->text + s->size;
        while (s->count < kMaxPieces - 1) {
            const char* a = p < end ? memchr(p, '$', (size_t)(end - p)) : NULL;
            const char* b = a ? memchr(a + 1, '$', (size_t)(end - a - 1)) : NULL;
            if (!b || b - a - 1 >= 16) break;
            struct Piece* piece = &s->pieces[s->count++];
            piece->text = p;
            piece->size = (size_t)(a - p);
            memcpy(piece->slot, a + 1, (size_t)(b - a - 1));
            piece->slot[b - a - 1] = '\0';
            p = b + 1;
        }
        struct Piece* last = &s->pieces[s->count++];
        last->text = p;
        last->size = (size_t)(end - p);
        last->slot[0] = '\0';
    }
}

/* The page buffer. */
static char* out;
static size_t outSize, outCap;
static void put(const char* text, size_t n) {
    if (outSize + n > outCap) {
        outCap = (outSize + n) * 2;
        out = realloc(out, outCap);
    }
    memcpy(out + outSize, text, n);
    outSize += n;
}

/* value / 10^decimals, right-aligned in width, then suffix: integer arithmetic only. */
static void put_fixed(int64_t value, int decimals, int width, const char* suffix) {
    char digits[32];
    int n = 0;
    uint64_t v = value < 0 ? (uint64_t)-value : (uint64_t)value;
    do {
        digits[n++] = (char)('0' + v % 10);
        v /= 10;
        if (n == decimals) digits[n++] = '.';
    } while (v || n <= decimals + 1);
    if (value < 0) digits[n++] = '-';
    char text[48];
    int len = 0;
    while (len + n < width) text[len++] = ' ';
    while (n) text[len++] = digits[--n];
    put(text, (size_t)len);
    put(suffix, strlen(suffix));
}

/* The figures of one row of a table. */
struct Row {
    const char* label;
    int64_t send, recv, whole, capture;
};

static void put_value(const char* slot, const struct Row* r) {
    int recv = slot[0] == 'R';
    int64_t b = recv ? r->recv : r->send;
    const char* unit = slot[0] == 'S' || slot[0] == 'R' ? strchr(slot, '_') : NULL;
    if (!strcmp(slot, "TITLE") || !strcmp(slot, "BODYTITLE") || !strcmp(slot, "DATE") ||
        !strcmp(slot, "TIME") || !strcmp(slot, "NAMETAG") || !strcmp(slot, "HREFTAG")) {
        put(r->label, strlen(r->label));
    } else if (!strcmp(slot, "CAP_TIME")) {
        char text[32];
        int64_t s = r->capture;
        put(text,
            (size_t)snprintf(text, sizeof text, "%lldh %02lldm %02llds ", (long long)(s / 3600),
                             (long long)(s / 60 % 60), (long long)(s % 60)));
    } else if (!unit) {
        put_fixed(b * 10 / 1048576, 1, 9, " MB");
    } else if (!strcmp(unit, "_KB")) {
        put_fixed(b * 10 / 1024, 1, 9, " KB");
    } else if (!strcmp(unit, "_MB")) {
        put_fixed(b * 10 / 1048576, 1, 9, " MB");
    } else if (!strcmp(unit, "_GB")) {
        put_fixed(b * 100 / 1073741824, 2, 9, " GB");
    } else if (!strcmp(unit, "_PER")) {
        put_fixed(r->whole ? b * 1000 / r->whole : 0, 1, 3, "%");
    } else if (!strcmp(unit, "_H")) {
        put_fixed(b / 1048576 / 64, 0, 1, "");
    } else {
        int64_t perSecond = r->capture ? b * 100 / r->capture : 0;
        put_fixed(perSecond / 1024, 2, 9, " KB/s");
    }
}

static void put_section(int k, const struct Row* r) {
    const struct Section* s = &sections[k];
    for (int i = 0; i < s->count; ++i) {
        put(s->pieces[i].text, s->pieces[i].size);
        if (s->pieces[i].slot[0]) put_value(s->pieces[i].slot, r);
    }
}

/* The table frame: heading, rows, total, capture time, speed, end. */
static void put_table(const char* title, int daily, int rows, const int64_t* send,
                      const int64_t* recv, char labels[][24], int64_t totalSend, int64_t totalRecv,
                      int64_t capture) {
    struct Row head = {title, 0, 0, 0, 0};
    put_section(1, &head);
    for (int i = 0; i < rows; ++i) {
        struct Row r = {labels[i], send[i], recv[i], totalSend, capture};
        put_section(daily ? 2 : 3, &r);
    }
    struct Row total = {"Total", totalSend, totalRecv, 0, capture};
    put_section(4, &total);
    if (daily) {
        struct Row average = {"Average daily", totalSend / rows, totalRecv / rows, 0, capture};
        put_section(4, &average);
    }
    put_section(5, &total);
    put_section(6, &total);
    put_section(11, &total);
}

static int64_t daySend[33], dayRecv[33], dayCapture[33], hourSend[25], hourRecv[25];
static int64_t dayHourSend[32][25], dayHourRecv[32][25], weekdaySend[8], weekdayRecv[8];

static int weekday_of(int y, int m, int d) {
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) --y;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

static const char* number(const char* p, const char* end, int64_t* value) {
    int64_t v = 0;
    while (p < end && *p >= '0' && *p <= '9') v = v * 10 + (*p++ - '0');
    *value = v;
    return p;
}

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    size_t templateSize, logSize;
    char* t = read_all(argv[1], &templateSize);
    cut_template(t, templateSize);
    /* The log is mapped, not copied: its pages come straight from the file cache. */
    int logFd = open(argv[2], O_RDONLY | O_CLOEXEC);
    struct stat logStat;
    if (logFd < 0 || fstat(logFd, &logStat) != 0) return 1;
    logSize = (size_t)logStat.st_size;
    const char* log =
        logSize ? mmap(NULL, logSize, PROT_READ, MAP_PRIVATE | MAP_POPULATE, logFd, 0) : "";
    if (log == MAP_FAILED) return 1;

    int year = 0, month = 0, lastDate = -1, weekday = 0, rows = 0;
    int64_t previous = 0;
    for (const char *p = log, *end = log + logSize; p < end && rows < 65535;) {
        const char* lf = memchr(p, '\n', (size_t)(end - p));
        if (!lf) break;
        int64_t date, time, sent, received;
        const char* q = number(p, lf, &date);
        if (q < lf && *q == ',') q = number(q + 1, lf, &time);
        if (q < lf && *q == ',') q = number(q + 1, lf, &sent);
        if (q < lf && *q == ',') q = number(q + 1, lf, &received);
        if (q != p && (q == lf || *q == '\r' || *q == ',')) {
            ++rows;
            int d = (int)(date % 100), h = (int)(time / 10000 % 24);
            if (date != lastDate) {
                year = (int)(date / 10000);
                month = (int)(date / 100 % 100);
                weekday = weekday_of(year, month, d);
                lastDate = (int)date;
            }
            daySend[d] += sent, daySend[32] += sent, dayRecv[d] += received,
                dayRecv[32] += received;
            hourSend[h] += sent, hourSend[24] += sent, hourRecv[h] += received;
            hourRecv[24] += received;
            dayHourSend[d][h] += sent, dayHourSend[d][24] += sent;
            dayHourRecv[d][h] += received, dayHourRecv[d][24] += received;
            weekdaySend[weekday] += sent, weekdaySend[7] += sent;
            weekdayRecv[weekday] += received, weekdayRecv[7] += received;
            int64_t stamp = d * 86400 + h * 3600 + time / 100 % 100 * 60 + time % 100;
            int64_t step = stamp - previous;
            if (previous > 0 && step >= 1 && step <= 61)
                dayCapture[d] += step, dayCapture[32] += step;
            previous = stamp;
        }
        p = lf + 1;
    }

    char title[64], labels[31][24], hours[24][24], days[7][24];
    snprintf(title, sizeof title, "Traffic Reports %04d-%02d", year, month);
    for (int d = 0; d < 31; ++d) snprintf(labels[d], 24, "%02d. (Mon)", d + 1);
    for (int h = 0; h < 24; ++h) snprintf(hours[h], 24, "%02d:00 - %02d:59", h, h);
    for (int w = 0; w < 7; ++w) snprintf(days[w], 24, "Wednesday");
    struct Row head = {title, 0, 0, 0, 0};
    put_section(0, &head);
    put_table(title, 1, 31, daySend + 1, dayRecv + 1, labels, daySend[32], dayRecv[32],
              dayCapture[32]);
    put_table(title, 0, 7, weekdaySend, weekdayRecv, days, weekdaySend[7], weekdayRecv[7],
              dayCapture[32]);
    put_table(title, 0, 24, hourSend, hourRecv, hours, hourSend[24], hourRecv[24], dayCapture[32]);
    for (int d = 1; d <= 31; ++d)
        if (dayHourSend[d][24] || dayHourRecv[d][24])
            put_table(labels[d - 1], 0, 24, dayHourSend[d], dayHourRecv[d], hours,
                      dayHourSend[d][24], dayHourRecv[d][24], dayCapture[d]);
    put_section(12, &head);

    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.XXXXXX", argv[3]);
    int fd = mkostemp(temporary, O_CLOEXEC);
    if (fd < 0) return 1;
    for (size_t done = 0; done < outSize;) {
        ssize_t n = write(fd, out + done, outSize - done);
        if (n <= 0) return 1;
        done += (size_t)n;
    }
    if (close(fd) != 0 || rename(temporary, argv[3]) != 0) return 1;
    return 0;
}
