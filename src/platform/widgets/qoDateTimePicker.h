#pragma once
// The date-time picker: a date or a time of day written in the locale's
// format, edited field by field. Left and Right choose a field, Up and Down
// step it round within its range, digits type it; the value stays within the
// limits. In date mode a button (or F4, Alt+Down) drops down a month calendar
// in a pop-up; a day clicked there, or Enter, takes its date and Escape leaves
// the value as it was. In time mode two arrow buttons step the chosen field.
// With ShowCheckbox a check box at the left says whether a value is set at
// all: Space or a click toggles it, editing a field ticks it. A user's change
// fires OnChange; setting the value from code fires nothing.
#include "platform/widgets/qoDropDownWindow.h"
#include "platform/widgets/qoMonthCalendar.h"

#include <string>
#include <vector>

namespace qo {


enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TCustomControl {
public:
    explicit TDateTimePicker(TComponent* owner);
    ~TDateTimePicker() override;

    // The date moves into the limits; no date of the years 1 to 9999 raises EqoError.
    TDateTime DateTime() const { return fValue; }
    void SetDateTime(TDateTime value);
    TDateTime Date() const { return DateOf(fValue); }
    void SetDate(TDateTime date) { SetDateTime(ComposeDateTime(DateOf(date), TimeOf(fValue))); }
    TDateTime Time() const { return TimeOf(fValue); }
    void SetTime(TDateTime time) { SetDateTime(ComposeDateTime(DateOf(fValue), TimeOf(time))); }
    TDateTimeKind Kind() const { return fKind; }
    void SetKind(TDateTimeKind kind);
    TDTDateFormat DateFormat() const { return fDateFormat; }
    void SetDateFormat(TDTDateFormat format);
    bool ShowCheckbox() const { return fShowCheckbox; }
    void SetShowCheckbox(bool show);
    bool Checked() const { return fChecked; }
    void SetChecked(bool checked);
    // The calendar's limits (0: none); a minimum above the maximum raises EqoError.
    TDateTime MinDate() const { return fCalendar->MinDate(); }
    TDateTime MaxDate() const { return fCalendar->MaxDate(); }
    void SetMinDate(TDateTime value);
    void SetMaxDate(TDateTime value);
    bool WeekNumbers() const { return fCalendar->WeekNumbers(); }
    void SetWeekNumbers(bool show) { fCalendar->SetWeekNumbers(show); }
    TCalDayOfWeek FirstDayOfWeek() const { return fCalendar->FirstDayOfWeek(); }
    void SetFirstDayOfWeek(TCalDayOfWeek day) { fCalendar->SetFirstDayOfWeek(day); }

    // The text as it shows, and the field the keys edit (its index among the fields).
    std::string Text() const;
    int FieldIndex() const { return fField; }
    bool DroppedDown() const;
    // Opens the calendar below the box (date mode only) at its minimum size, or closes it.
    void SetDroppedDown(bool open);
    TMonthCalendar& Calendar() const { return *fCalendar; }
    TqoDropDownWindow& DropDown() const { return *fDropDown; }

    TNotifyEvent OnChange, OnDropDown, OnCloseUp;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override { Invalidate(); }

private:
    enum TFieldKind { fkText, fkDay, fkMonth, fkYear, fkHour, fkMinute, fkSecond, fkAmPm };
    // A piece of the format: a field the keys edit, or text (separators, day names).
    struct TSegment {
        TFieldKind Kind;
        std::string Format;
        int Left = 0, Right = 0;
    };
    void ParseFormat();
    // The value with its date moved into the limits.
    TDateTime Clamped(TDateTime value) const;
    // A segment's text; a year being typed shows its digits so far.
    std::string SegmentText(int index) const;
    bool TwelveHours() const;
    // The segments with their extent from the text's left end.
    std::vector<TSegment> Measured() const;
    TRect ButtonRect() const;
    int TextLeft() const;
    std::vector<int> Fields() const;
    void SelectField(int index);
    // Steps the current field round its range.
    void StepField(int delta);
    void TypeDigit(int digit);
    // Ends typing into the field (a short year gets its century).
    void FinishTyping();
    // Sets one field of the value; out-of-range parts are moved into range.
    TDateTime WithField(TFieldKind kind, int value) const;
    // A user's change: moved into the limits, ticked, OnChange when it moved.
    void Change(TDateTime value);
    void CloseUp(bool take);

    TqoAlive fAlive;
    TDateTime fValue;
    TDateTimeKind fKind = dtkDate;
    TDTDateFormat fDateFormat = dfShort;
    bool fShowCheckbox = false;
    bool fChecked = true;
    std::vector<TSegment> fSegments;
    int fField = 0; // index into fSegments of the current field
    int fTyped = 0, fTypedDigits = 0;
    TqoDropDownWindow* fDropDown;
    TMonthCalendar* fCalendar;
};

} // namespace qo
