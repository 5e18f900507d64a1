// Date-time numbers: days since 30 December 1899 00:00 local time, with the
// time of day as the fraction (one second is 1/86400).
#pragma once

#include <chrono>
#include <functional>

namespace bxl {

// A clock handing out date-time numbers; replaced in tests.
using DateTimeClock = std::function<double()>;

// Date-time number of a calendar date and time of day.
double dateTimeNumber(int year, int month, int day, int hour, int minute, int second, int millisecond);

// The local date-time number of a point in time, to the millisecond.
double localDateTimeNumber(std::chrono::system_clock::time_point tp);

// The PC clock, in local time.
double localDateTimeNow();

// A calendar date and time of day, to the second.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The calendar date and time a date-time number stands for, to the whole
// second (of the nearest millisecond, as the number stores it); false for a
// number that is not finite or lies outside the years 1 to 9999.
bool calendarTime(double dateTime, CalendarTime& out);

}  // namespace bxl
