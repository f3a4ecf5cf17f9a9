#include "platform/core/qoDateTime.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"

#include <chrono>
#include <cmath>
#include <algorithm>
#include <ctime>

namespace qo {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date, and back (Hinnant's algorithms).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

constexpr int64_t kEpochFrom1970 = DaysFromCivil(1899, 12, 30);

// Splits a value into a calendar day (relative to the epoch) and milliseconds of the day.
void SplitDateTime(TDateTime value, int64_t& days, int64_t& msecs) {
    if (!std::isfinite(value)) value = 0;
    const double whole = std::trunc(value);
    days = int64_t(whole);
    msecs = RoundInt64(std::fabs(value - whole) * MSecsPerDay);
    if (msecs >= MSecsPerDay) {
        ++days;
        msecs -= MSecsPerDay;
    }
}

TDateTime FromTimePoint(std::chrono::system_clock::time_point tp) {
    const std::time_t t = std::chrono::system_clock::to_time_t(tp);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()).count() % 1000;
    return ComposeDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, int(ms)));
}

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    out = double(DaysFromCivil(year, month, day) - kEpochFrom1970);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out) {
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || msec < 0 ||
        msec >= 1000)
        return false;
    out = (((hour * 60 + minute) * 60 + second) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result)) throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, msec, result)) throw EConvertError("Invalid argument to time encode");
    return result;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    const double day = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return day < 0 ? day - t : day + t;
}

TDateParts DecodeDateTime(TDateTime value) {
    int64_t days, ms;
    SplitDateTime(value, days, ms);
    TDateParts p;
    CivilFromDays(days + kEpochFrom1970, p.Year, p.Month, p.Day);
    p.Hour = int(ms / 3600000);
    p.Minute = int(ms / 60000 % 60);
    p.Second = int(ms / 1000 % 60);
    p.MSec = int(ms % 1000);
    return p;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const TDateParts p = DecodeDateTime(value);
    year = p.Year;
    month = p.Month;
    day = p.Day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    const TDateParts p = DecodeDateTime(value);
    hour = p.Hour;
    minute = p.Minute;
    second = p.Second;
    msec = p.MSec;
}

int DayOfWeek(TDateTime value) {
    int64_t days, ms;
    SplitDateTime(value, days, ms);
    // The epoch was a Saturday.
    const int64_t r = ((days + 6) % 7 + 7) % 7;
    return int(r) + 1;
}

TDateTime DateOf(TDateTime value) {
    int64_t days, ms;
    SplitDateTime(value, days, ms);
    return double(days);
}

TDateTime TimeOf(TDateTime value) {
    int64_t days, ms;
    SplitDateTime(value, days, ms);
    return double(ms) / MSecsPerDay;
}

TDateTime IncMonth(TDateTime value, int months) {
    const TDateParts p = DecodeDateTime(value);
    const int64_t total = int64_t(p.Year) * 12 + (p.Month - 1) + months;
    const int year = int(total / 12);
    const int month = int(total % 12) + 1;
    const int day = std::min(p.Day, DaysInAMonth(year, month));
    return ComposeDateTime(EncodeDate(year, month, day), EncodeTime(p.Hour, p.Minute, p.Second, p.MSec));
}

TDateTime Now() { return FromTimePoint(std::chrono::system_clock::now()); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() { return TimeOf(Now()); }

} // namespace qo
