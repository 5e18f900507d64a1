#include "model/Format.h"

#include <cstdio>

#include "model/ParamTable.h"

namespace bxl {
namespace {

std::string printf2(const char* fmt, auto... args) {
    char buf[kFormatTextMax + 1];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::string formatDate(int32_t v) {
    int32_t y = 12;
    // Whole four-year cycles (a leap year and three common ones, as the walk
    // starts on a leap year) are taken at once, so that a huge day count does
    // not walk year by year; the result is the same.
    if (v > 0) {
        y += 4 * (v / 1461);
        v %= 1461;
    }
    for (;;) {
        const int32_t len = (y % 4 == 0) ? 366 : 365;
        if (v < len) break;
        v -= len;
        ++y;
    }
    static constexpr int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int32_t m = 1;
    for (;;) {
        int32_t len = kMonthDays[m - 1] + ((m == 2 && y % 4 == 0) ? 1 : 0);
        // A negative day count stops at once; months never run past December
        // because the year walk leaves v below the year's length.
        if (v < len || m == 12) break;
        v -= len;
        ++m;
    }
    return printf2("%2d-%d-20%02d", v + 1, m, y);
}

std::string formatOption(const char* list, int32_t v) {
    // Counting a negative value down never reaches zero, so the walk would
    // only end at the end of the list (and could run the counter below the
    // smallest 32-bit value on the way): it shows the value itself.
    if (v < 0) return printf2("[%d]", v);
    const char* p = list;
    int32_t c = v;
    while (c != 0) {
        if (*p == '\0') return printf2("[%d]", v);
        ++p;
        if (*p == '#') {
            ++p;
            --c;
        }
    }
    std::string out;
    while (*p != '\0' && out.size() < kFormatTextMax) {
        out.push_back(*p);
        if (p[1] == '#') break;
        ++p;
    }
    return out;
}

}  // namespace

std::string formatWith(int32_t f, const char* u, int32_t v) {
    if (u == nullptr) u = "";
    if (f == kFormatTimeOfDay) return printf2("%d:%02d", v / 60, v % 60);
    if (f == kFormatDate) return formatDate(v);
    if (f == kFormatOptionList) return formatOption(u, v);

    const int32_t t = (f / 10) % 10;
    const int32_t d = f % 10;
    // Wrapping multiplication, as the unit's own 32-bit arithmetic does.
    const auto scale = [&](int32_t m) {
        return static_cast<int32_t>(static_cast<uint32_t>(v) * static_cast<uint32_t>(m));
    };
    if (t == 1)
        v = scale(10);
    else if (t == 2)
        v = scale(100);
    else if (t == 3)
        v = scale(1000);

    // Magnitudes are taken as 64-bit so that the most negative value keeps
    // its digits instead of overflowing.
    const int64_t w = v;
    if (d == 1) {
        if (w < 0) return printf2("-%lld.%lld %s", (long long)(-w / 10), (long long)(-w % 10), u);
        return printf2("%lld.%lld %s", (long long)(w / 10), (long long)(w % 10), u);
    }
    if (d == 2) {
        if (w < 0) return printf2("-%lld.%02lld %s", (long long)(-w / 100), (long long)(-w % 100), u);
        return printf2("%lld.%02lld %s", (long long)(w / 100), (long long)(w % 100), u);
    }
    return printf2("%d %s", v, u);
}

std::string formatValue(int row, int32_t v) {
    if (row < 0 || row >= kParamRowCount) return printf2("%d ", v);
    const ParamRow& r = kParamTable[row];
    return formatWith(r.format, r.unit, v);
}

}  // namespace bxl
