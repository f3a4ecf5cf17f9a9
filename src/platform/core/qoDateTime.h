#pragma once
// Date-time values are days since 1899-12-30 00:00; the fraction is the time
// of day. Before the epoch the whole part counts days back and the fraction
// still adds time forward (-1.25 is 1899-12-29 06:00).
#include <cstdint>

namespace qo {

using TDateTime = double;

constexpr int64_t MSecsPerDay = 86400000;
constexpr double OneHour = 1.0 / 24;
constexpr double OneMinute = 1.0 / (24 * 60);
constexpr double OneSecond = 1.0 / (24 * 60 * 60);
constexpr double OneMillisecond = 1.0 / MSecsPerDay;

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
    friend bool operator==(const TDateParts&, const TDateParts&) = default;
};

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

// Years 1 to 9999. The Try forms report bad arguments; the plain forms raise
// EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// Adds a time of day to a date the way the calendar reads it (also before the epoch).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Decoding rounds to the millisecond; a time that rounds up to midnight
// belongs to the next day.
TDateParts DecodeDateTime(TDateTime value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// The calendar date with the time cut off, and the time of day alone.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Adds months, keeping the time and clamping the day to the new month's length.
TDateTime IncMonth(TDateTime value, int months = 1);

TDateTime Now();
TDateTime Date();
TDateTime Time();

} // namespace qo
