#include "model/log/DateTime.h"

#include <cmath>
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

// The proleptic Gregorian date of a day counted from 1 January 1970.
void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
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

bool calendarTime(double dateTime, CalendarTime& out) {
    // Years 1 to 9999 lie within these day numbers.
    if (!std::isfinite(dateTime) || dateTime < -693593.0 || dateTime >= 2958466.0) return false;
    // Whole milliseconds first, so that a time a hair below a full second
    // (as the fraction of a day stores it) shows that second.
    const auto ms = static_cast<long long>(std::floor(dateTime * 86400000.0 + 0.5));
    long long days = ms / 86400000;
    long long rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        days -= 1;
    }
    civilFromDays(days + daysFromCivil(1899, 12, 30), out.year, out.month, out.day);
    const long long secs = rest / 1000;
    out.hour = static_cast<int>(secs / 3600);
    out.minute = static_cast<int>(secs / 60 % 60);
    out.second = static_cast<int>(secs % 60);
    return true;
}

}  // namespace bxl
