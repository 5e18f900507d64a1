#include "model/log/DateTime.h"

#include <ctime>

namespace bxl {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

double dateTimeNumber(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                           daysFromCivil(1899, 12, 30);
    const long long ms = ((static_cast<long long>(hour) * 60 + minute) * 60 + second) * 1000LL + millisecond;
    return static_cast<double>(days) + static_cast<double>(ms) / 86400000.0;
}

double localDateTimeNumber(std::chrono::system_clock::time_point tp) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(tp.time_since_epoch()).count();
    long long secs = ms / 1000;
    long long rem = ms % 1000;
    if (rem < 0) {
        rem += 1000;
        secs -= 1;
    }
    const std::time_t tt = static_cast<std::time_t>(secs);
    std::tm local{};
    localtime_r(&tt, &local);
    return dateTimeNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec, static_cast<int>(rem));
}

double localDateTimeNow() {
    return localDateTimeNumber(std::chrono::system_clock::now());
}

}  // namespace bxl
