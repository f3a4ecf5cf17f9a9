// Visible time: hidden weekdays and hours take no time on the scale.
#include "platform/core/qoDateTime.h"
#include "scale/qoScaler.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace qo {

namespace {

// 1 = Sunday ... 7 = Saturday, from the calendar day that holds the instant
// (the day before the epoch's Sunday was a Saturday).
int WeekdayOf(TDateTime value) {
    const int64_t day = int64_t(std::floor(value));
    return int(((day % 7) + 7 + 6) % 7) + 1;
}

int HourOf(TDateTime value) {
    const double time = value - std::floor(value);
    return std::min(23, int(std::floor(time * 24 + 1e-9)));
}

const double kTenSeconds = 10 * OneSecond;

} // namespace

bool TqoDateScaler::IsHiddenDay(TDateTime day) const {
    return (fHiddenDays >> (WeekdayOf(day) - 1)) & 1;
}

double TqoDateScaler::VisibleTimeForDay(TDateTime day) const {
    if (IsHiddenDay(day)) return 0;
    return (24.0 - fHiddenHoursCount) / 24.0;
}

double TqoDateScaler::VisibleTimeForWeek() {
    if (fVisibleTimeForWeekOutOfDate) {
        const TDateTime first = EncodeDate(2002, 1, 1);
        fVisibleTimeForWeek = 0;
        for (int i = 0; i < 7; ++i) fVisibleTimeForWeek += VisibleTimeForDay(first + i);
        fVisibleTimeForWeekOutOfDate = false;
    }
    return fVisibleTimeForWeek;
}

double TqoDateScaler::VisibleTimeForPartOfDay(TDateTime day, double length, TDateTime start) const {
    if (IsHiddenDay(day)) return 0;
    // A whole day (or more) counts as the day's visible time, not as its length.
    if (length >= 1) return VisibleTimeForDay(day);
    if (length <= 0 || fHiddenHoursCount == 0) return std::max(length, 0.0);
    const double from = (start - std::floor(start)) * 24;
    const double to = std::min(24.0, from + length * 24);
    double hours = 0;
    for (int h = int(std::floor(from)); h < to; ++h)
        if (!IsHiddenHour(h)) hours += std::min<double>(to, h + 1) - std::max<double>(from, h);
    return hours / 24;
}

double TqoDateScaler::DateDiffToVisibleTime(TDateTime a, TDateTime b) {
    if (b < a) return -DateDiffToVisibleTime(b, a);
    const double dayA = std::floor(a), dayB = std::floor(b);
    if (fHiddenDaysCount == 0 && fHiddenHoursCount == 0) return b - a;
    if (dayA == dayB) return VisibleTimeForPartOfDay(dayA, b - a, a);
    double result =
        VisibleTimeForPartOfDay(dayA, dayA + 1 - a, a) + VisibleTimeForPartOfDay(dayB, b - dayB, dayB);
    double day = dayA + 1;
    while (day < dayB) {
        const double remaining = dayB - day;
        if (remaining > 13 && WeekdayOf(day) == 1) {
            const double weeks = std::floor(remaining / 7);
            result += weeks * VisibleTimeForWeek();
            day += weeks * 7;
        } else {
            result += VisibleTimeForDay(day);
            day += 1;
        }
    }
    return std::min(result, b - a);
}

TDateTime TqoDateScaler::VisibleTimeToTrueTime_High(TDateTime value) const {
    for (;;) {
        if (IsHiddenDay(value))
            value = std::floor(value) + 1;
        else if (const int h = HourOf(value); IsHiddenHour(h))
            value = std::floor(value) + (h + 1) / 24.0;
        else
            return value;
    }
}

TDateTime TqoDateScaler::VisibleTimeToTrueTime_Low(TDateTime value) const {
    for (;;) {
        if (value < 0) return 0;
        if (IsHiddenDay(value))
            value = std::floor(value) - OneMillisecond;
        else if (const int h = HourOf(value); IsHiddenHour(h))
            value = std::floor(value) + h / 24.0 - OneMillisecond;
        else
            return value;
    }
}

TDateTime TqoDateScaler::VisibleTimeDiffToTrueTime(TDateTime base, double visible) {
    // Hidden stretches are walked over piece by piece until the remainder is small.
    for (int guard = 0; guard < 10000; ++guard) {
        TDateTime d = std::max(base + visible, 0.0);
        const double v = DateDiffToVisibleTime(base, d);
        if (std::fabs(visible - v) < kTenSeconds) return d;
        if (v == 0) d = visible > 0 ? VisibleTimeToTrueTime_High(d) : VisibleTimeToTrueTime_Low(d);
        if (d == base) return d; // nothing further to go (the date 0 reached)
        base = d;
        visible -= v;
    }
    return base;
}

void TqoDateScaler::CountHidden() {
    fHiddenDaysCount = std::popcount(fHiddenDays & 0x7F);
    fHiddenHoursCount = std::popcount(fHiddenHours & 0xFFFFFF);
    fVisibleTimeForWeekOutOfDate = true;
    fOldStart = fOldStop = -1;
}

void TqoDateScaler::SetHiddenDays(TqoHiddenDays days) {
    SetHidden(fHiddenDays, days & 0x7F, fHiddenDaysCount, 7);
}

void TqoDateScaler::SetHiddenHours(TqoHiddenHours hours) {
    SetHidden(fHiddenHours, hours & 0xFFFFFF, fHiddenHoursCount, 24);
}

void TqoDateScaler::SetHidden(uint32_t& set, uint32_t value, const int& count, int all) {
    set = value;
    CountHidden();
    // Hiding everything would leave no time to show: nothing is hidden instead.
    if (count == all) {
        set = 0;
        CountHidden();
    }
    // The range stays as the host set it; only the time per pixel changes, and a resize keeps the new one.
    CalcDrawMode();
    fOldScale = Scale();
    RangeChanged();
}

} // namespace qo
