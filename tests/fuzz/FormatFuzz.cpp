// Value formatting fed arbitrary (row, value) pairs, and arbitrary display
// format codes with the units and option lists of the table.
//
// Input: records of 10 bytes, little-endian: a row selector (16 bits, taken
// modulo the table's rows), a raw value (32 bits) and a format code (32 bits).
//
// Invariants: no text is longer than 199 characters, and each text is the one
// the formatting rules give, worked out here step by step with 64-bit
// counters: the time of day, the date walked year by year and month by month
// (for day counts too large to walk, adding four years' days adds four to the
// year and keeps day and month), the option list counted entry by entry, and
// the numbers with their sign, scale and decimals.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "model/Format.h"
#include "model/ParamTable.h"

using namespace bxl;

namespace {

constexpr int64_t kDateWalkLimit = 200'000;  // days walked year by year here
constexpr int64_t kFourYears = 1461;

std::string cut(std::string s) {
    if (s.size() > kFormatTextMax) s.resize(kFormatTextMax);
    return s;
}

template <typename... Args>
std::string print(const char* format, Args... args) {
    char buf[1024];
    std::snprintf(buf, sizeof buf, format, args...);
    return cut(buf);
}

std::string walkDate(int64_t v) {
    int64_t y = 12;
    for (;;) {
        const int64_t length = y % 4 == 0 ? 366 : 365;
        if (v < length) break;
        v -= length;
        ++y;
    }
    static constexpr int64_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int64_t m = 1;
    for (;;) {
        const int64_t length = kMonthDays[m - 1] + (m == 2 && y % 4 == 0 ? 1 : 0);
        if (v < length) break;
        v -= length;
        ++m;
    }
    return print("%2lld-%lld-20%02lld", static_cast<long long>(v + 1), static_cast<long long>(m),
                 static_cast<long long>(y));
}

std::string countOption(const char* list, int32_t v) {
    const char* p = list;
    int64_t c = v;
    while (c != 0) {
        if (*p == '\0') return print("[%d]", v);
        ++p;
        if (*p == '#') {
            ++p;
            --c;
        }
    }
    std::string out;
    while (*p != '\0') {
        out.push_back(*p);
        if (p[1] == '#') break;
        ++p;
    }
    return cut(out);
}

std::string number(int32_t f, const char* u, int32_t v) {
    const int32_t t = (f / 10) % 10;
    const int32_t d = f % 10;
    const uint32_t factor = t == 1 ? 10 : t == 2 ? 100 : t == 3 ? 1000 : 1;
    const auto scaled = static_cast<int32_t>(static_cast<uint32_t>(v) * factor);  // 32-bit, wrapping
    const auto w = static_cast<long long>(scaled);
    if (d == 1)
        return w < 0 ? print("-%lld.%lld %s", -w / 10, -w % 10, u) : print("%lld.%lld %s", w / 10, w % 10, u);
    if (d == 2)
        return w < 0 ? print("-%lld.%02lld %s", -w / 100, -w % 100, u)
                     : print("%lld.%02lld %s", w / 100, w % 100, u);
    return print("%d %s", scaled, u);
}

// The year printed at the end of a date text.
long long yearOf(const std::string& date) {
    return std::stoll(date.substr(date.rfind("-20") + 3));
}

void check(int32_t f, const char* u, int32_t v, const std::string& text) {
    FUZZ_CHECK(text.size() <= kFormatTextMax);
    if (f == kFormatTimeOfDay) {
        FUZZ_CHECK(text == print("%d:%02d", v / 60, v % 60));
    } else if (f == kFormatDate) {
        if (v <= kDateWalkLimit) {
            FUZZ_CHECK(text == walkDate(v));
        } else {
            const std::string base = walkDate(v % kFourYears);
            FUZZ_CHECK(text.substr(0, text.rfind("-20")) == base.substr(0, base.rfind("-20")));
            FUZZ_CHECK(yearOf(text) == yearOf(base) + 4 * (v / kFourYears));
        }
    } else if (f == kFormatOptionList) {
        FUZZ_CHECK(text == countOption(u, v));
    } else {
        FUZZ_CHECK(text == number(f, u, v));
    }
}

int32_t wordAt(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    for (; size >= 10; data += 10, size -= 10) {
        const int row = (data[0] | data[1] << 8) % kParamRowCount;
        const int32_t value = wordAt(data + 2);
        const int32_t format = wordAt(data + 6);
        const ParamRow& r = kParamTable[row];
        const char* unit = r.unit != nullptr ? r.unit : "";
        check(r.format, unit, value, formatValue(row, value));
        check(format, unit, value, formatWith(format, unit, value));
    }
    return 0;
}
