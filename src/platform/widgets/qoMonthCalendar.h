#pragma once
// The month calendar: the weeks of one month under a title with the month,
// the year and buttons to the months before and after; today is framed and
// named at the foot, week numbers stand at the left when asked. A click on a
// day or on the foot, or the keys (arrows by day and week, the page keys by
// month, Home and End to the month's ends) choose a date within the limits.
// A user's choice fires OnChange when the date moved; a click on a day or the
// foot, Enter or Space fire OnPick too (a drop-down takes its date then).
#include "platform/core/qoDateTime.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

namespace qo {

enum TCalDayOfWeek { dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday,
                     dowLocaleDefault };

// Raises EqoError for a value that is no date of the years 1 to 9999.
void CheckCalendarDate(TDateTime value);
// The week of the year as the calendars of Monday-first locales count it: week
// 1 holds the year's first Thursday.
int IsoWeekOfYear(TDateTime value);

class TMonthCalendar : public TCustomControl {
public:
    explicit TMonthCalendar(TComponent* owner);

    // A whole day.
    TDateTime Date() const { return fDate; }
    // The day of value, moved into the limits; no date at all raises EqoError.
    void SetDate(TDateTime value);
    // 0: no limit. A minimum above the maximum raises EqoError; the date moves into them.
    TDateTime MinDate() const { return fMinDate; }
    TDateTime MaxDate() const { return fMaxDate; }
    void SetDateLimits(TDateTime minDate, TDateTime maxDate);
    void SetMinDate(TDateTime value) { SetDateLimits(value, fMaxDate); }
    void SetMaxDate(TDateTime value) { SetDateLimits(fMinDate, value); }
    // The day of value moved into the limits.
    TDateTime ClampDate(TDateTime value) const;
    bool WeekNumbers() const { return fWeekNumbers; }
    void SetWeekNumbers(bool show);
    TCalDayOfWeek FirstDayOfWeek() const { return fFirstDayOfWeek; }
    void SetFirstDayOfWeek(TCalDayOfWeek day);
    // The day marked as today; 0 follows the system's date.
    TDateTime Today() const;
    void SetToday(TDateTime value);
    // The size that shows everything in the current font.
    TSize MinimumSize() const;
    // A key as the calendar handles it, for an owner that keeps the focus; true when used.
    bool HandleKey(uint16_t key);

    TNotifyEvent OnChange, OnPick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;

private:
    struct TLayout {
        int CellWidth, CellHeight;
        TRect Title, Prev, Next;
        int WeekLeft; // the week numbers' column, left of the days
        int DaysLeft, NamesTop, DaysTop, FootTop;
    };
    TLayout Layout() const;
    // Monday 0 ... Sunday 6.
    int FirstDay() const;
    // The first day the grid shows (the week of the month's first day).
    TDateTime FirstShown() const;
    // The user's choice: moved into the limits, OnChange when it moved, then OnPick when picked.
    void Choose(TDateTime value, bool pick);
    void PaintTitle(TCanvas& canvas, const TLayout& layout);
    void PaintDays(TCanvas& canvas, const TLayout& layout);
    void PaintFoot(TCanvas& canvas, const TLayout& layout);

    TqoAlive fAlive;
    TDateTime fDate;
    TDateTime fMinDate = 0, fMaxDate = 0;
    TDateTime fToday = 0;
    bool fWeekNumbers = false;
    TCalDayOfWeek fFirstDayOfWeek = dowLocaleDefault;
};

} // namespace qo
