#include "platform/widgets/qoMonthCalendar.h"

#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>
#include <cmath>

namespace qo {

namespace {
constexpr int Margin = 2;
constexpr int Rows = 6;
const TDateTime FirstValid = -693593; // 0001-01-01
const TDateTime LastValid = 2958465;  // 9999-12-31

bool IsValidDate(TDateTime value) { return std::isfinite(value) && value >= FirstValid && value < LastValid + 1; }

// Monday 0 ... Sunday 6.
int MondayBased(TDateTime day) { return (DayOfWeek(day) + 5) % 7; }

// The same day months later, or the day itself when that leaves the years 1 to 9999.
TDateTime ShiftMonths(TDateTime day, int months) {
    int year, month, d;
    DecodeDate(day, year, month, d);
    const int target = year * 12 + month - 1 + months;
    if (target < 12 || target >= 10000 * 12) return day;
    return IncMonth(day, months);
}

TColor CaptionColor() { return SystemColor(COLOR_ACTIVECAPTION); }
} // namespace

void CheckCalendarDate(TDateTime value) {
    if (!IsValidDate(value))
        throw EqoError("Not a date of the years 1 to 9999: " + std::to_string(value));
}

int IsoWeekOfYear(TDateTime value) {
    const TDateTime day = DateOf(value);
    const TDateTime thursday = day - MondayBased(day) + 3;
    int year, month, d;
    DecodeDate(thursday, year, month, d);
    return int((thursday - EncodeDate(year, 1, 1)) / 7) + 1;
}

TMonthCalendar::TMonthCalendar(TComponent* owner) : TCustomControl(owner), fDate(qo::Date()) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    const TSize size = MinimumSize();
    SetBounds(0, 0, size.cx, size.cy);
}

void TMonthCalendar::SetDate(TDateTime value) {
    CheckCalendarDate(value);
    fDate = ClampDate(value);
    Invalidate();
}

void TMonthCalendar::SetDateLimits(TDateTime minDate, TDateTime maxDate) {
    CheckCalendarDate(minDate);
    CheckCalendarDate(maxDate);
    if (minDate != 0 && maxDate != 0 && DateOf(minDate) > DateOf(maxDate))
        throw EqoError("The minimum date " + FormatDateTime("ddddd", minDate) + " lies after the maximum date " +
                       FormatDateTime("ddddd", maxDate));
    fMinDate = minDate == 0 ? 0 : DateOf(minDate);
    fMaxDate = maxDate == 0 ? 0 : DateOf(maxDate);
    fDate = ClampDate(fDate);
    Invalidate();
}

TDateTime TMonthCalendar::ClampDate(TDateTime value) const {
    TDateTime day = DateOf(value);
    if (fMinDate != 0) day = std::max(day, fMinDate);
    if (fMaxDate != 0) day = std::min(day, fMaxDate);
    return day;
}

void TMonthCalendar::SetWeekNumbers(bool show) {
    fWeekNumbers = show;
    Invalidate();
}

void TMonthCalendar::SetFirstDayOfWeek(TCalDayOfWeek day) {
    fFirstDayOfWeek = day;
    Invalidate();
}

TDateTime TMonthCalendar::Today() const { return fToday != 0 ? fToday : qo::Date(); }

void TMonthCalendar::SetToday(TDateTime value) {
    if (value != 0) CheckCalendarDate(value);
    fToday = DateOf(value);
    Invalidate();
}

int TMonthCalendar::FirstDay() const {
    if (fFirstDayOfWeek != dowLocaleDefault) return fFirstDayOfWeek;
    return CurrentLocale() == LOCALE_EN_US ? dowSunday : dowMonday;
}

TDateTime TMonthCalendar::FirstShown() const {
    int year, month, day;
    DecodeDate(fDate, year, month, day);
    const TDateTime first = EncodeDate(year, month, 1);
    return first - (MondayBased(first) - FirstDay() + 7) % 7;
}

TMonthCalendar::TLayout TMonthCalendar::Layout() const {
    TCanvas& canvas = const_cast<TMonthCalendar*>(this)->Canvas();
    canvas.Font() = Font();
    TLayout l{};
    int widest = canvas.TextWidth("00");
    for (const std::string& name : FormatSettings().ShortDayNames) widest = std::max(widest, canvas.TextWidth(name));
    l.CellWidth = widest + 6;
    l.CellHeight = canvas.TextHeight("0") + 3;
    const int columns = 7 + (fWeekNumbers ? 1 : 0);
    const int titleHeight = l.CellHeight + 8;
    l.Title = TRect::Bounds(Margin, Margin, columns * l.CellWidth, titleHeight);
    const int button = titleHeight - 4;
    l.Prev = TRect::Bounds(l.Title.Left + 2, l.Title.Top + 2, button, button);
    l.Next = TRect::Bounds(l.Title.Right - 2 - button, l.Title.Top + 2, button, button);
    l.WeekLeft = Margin;
    l.DaysLeft = Margin + (fWeekNumbers ? l.CellWidth : 0);
    l.NamesTop = l.Title.Bottom + 2;
    l.DaysTop = l.NamesTop + l.CellHeight + 2;
    l.FootTop = l.DaysTop + Rows * l.CellHeight + 2;
    return l;
}

TSize TMonthCalendar::MinimumSize() const {
    const TLayout l = Layout();
    return {l.Title.Right + Margin, l.FootTop + l.CellHeight + 2 + Margin};
}

void TMonthCalendar::Choose(TDateTime value, bool pick) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const TDateTime day = ClampDate(value);
    if (day != fDate) {
        fDate = day;
        Invalidate();
        OnChange.Fire(this);
        if (!alive) return;
    }
    if (pick) OnPick.Fire(this);
}

bool TMonthCalendar::HandleKey(uint16_t key) {
    int year, month, day;
    DecodeDate(fDate, year, month, day);
    TDateTime target;
    switch (key) {
    case VK_LEFT: target = fDate - 1; break;
    case VK_RIGHT: target = fDate + 1; break;
    case VK_UP: target = fDate - 7; break;
    case VK_DOWN: target = fDate + 7; break;
    case VK_PRIOR: target = ShiftMonths(fDate, -1); break;
    case VK_NEXT: target = ShiftMonths(fDate, 1); break;
    case VK_HOME: target = fDate - (day - 1); break;
    case VK_END: target = fDate + (DaysInAMonth(year, month) - day); break;
    case VK_RETURN:
    case VK_SPACE: Choose(fDate, true); return true;
    default: return false;
    }
    Choose(IsValidDate(target) ? target : fDate, false);
    return true;
}

void TMonthCalendar::Paint() {
    TCanvas& canvas = Canvas();
    TqoDCSaver saver(canvas);
    qoWidgetPaint::Fill(canvas, ClientRect(), Color());
    canvas.Font() = Font();
    canvas.Brush().Style = TBrushStyle::bsClear;
    const TLayout layout = Layout();
    PaintTitle(canvas, layout);
    PaintDays(canvas, layout);
    PaintFoot(canvas, layout);
}

void TMonthCalendar::PaintTitle(TCanvas& canvas, const TLayout& l) {
    qoWidgetPaint::Fill(canvas, l.Title, CaptionColor());
    qoWidgetPaint::ArrowButton(canvas, l.Prev, qoWidgetPaint::arLeft, false, Enabled());
    qoWidgetPaint::ArrowButton(canvas, l.Next, qoWidgetPaint::arRight, false, Enabled());
    canvas.Font().Style = fsBold;
    canvas.Font().Color = SystemColor(COLOR_CAPTIONTEXT);
    TRect title = l.Title;
    canvas.DrawTextW(FormatDateTime("mmmm yyyy", fDate), title, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.Font().Style = 0;
    canvas.Font().Color = CaptionColor();
    const int first = FirstDay();
    for (int i = 0; i < 7; ++i) {
        TRect cell = TRect::Bounds(l.DaysLeft + i * l.CellWidth, l.NamesTop, l.CellWidth, l.CellHeight);
        const std::string& name = FormatSettings().ShortDayNames[size_t((first + i + 1) % 7)];
        canvas.DrawTextW(name, cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    qoWidgetPaint::Fill(canvas, {l.DaysLeft, l.DaysTop - 2, l.Title.Right, l.DaysTop - 1}, clWindowText);
    if (fWeekNumbers)
        qoWidgetPaint::Fill(canvas, {l.DaysLeft - 2, l.DaysTop, l.DaysLeft - 1, l.FootTop - 2}, clWindowText);
}

void TMonthCalendar::PaintDays(TCanvas& canvas, const TLayout& l) {
    int year, month, day;
    DecodeDate(fDate, year, month, day);
    const TDateTime first = FirstShown(), today = Today();
    const int thursday = (dowThursday - FirstDay() + 7) % 7;
    for (int row = 0; row < Rows; ++row) {
        const int top = l.DaysTop + row * l.CellHeight;
        if (fWeekNumbers && IsValidDate(first + row * 7 + thursday)) {
            TRect cell = TRect::Bounds(l.WeekLeft, top, l.CellWidth - 3, l.CellHeight);
            canvas.Font().Color = CaptionColor();
            canvas.DrawTextW(std::to_string(IsoWeekOfYear(first + row * 7 + thursday)), cell,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        for (int column = 0; column < 7; ++column) {
            const TDateTime date = first + row * 7 + column;
            if (!IsValidDate(date)) continue;
            int y, m, d;
            DecodeDate(date, y, m, d);
            TRect cell = TRect::Bounds(l.DaysLeft + column * l.CellWidth, top, l.CellWidth, l.CellHeight);
            const bool chosen = date == fDate, outside = m != month || ClampDate(date) != date;
            if (chosen) qoWidgetPaint::Fill(canvas, cell.Inflate(-1, 0), Enabled() ? clHighlight : clBtnShadow);
            if (date == today) {
                TRect frame = cell.Inflate(-1, 0);
                qoWidgetPaint::Frame3D(canvas, frame, clRed, clRed, 1);
            }
            canvas.Font().Color = chosen ? clHighlightText : outside || !Enabled() ? clGrayText : Font().Color;
            canvas.DrawTextW(std::to_string(d), cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

void TMonthCalendar::PaintFoot(TCanvas& canvas, const TLayout& l) {
    TRect mark = TRect::Bounds(l.DaysLeft + 4, l.FootTop + 2, l.CellWidth - 8, l.CellHeight - 2);
    qoWidgetPaint::Frame3D(canvas, mark, clRed, clRed, 1);
    canvas.Font().Style = fsBold;
    canvas.Font().Color = Enabled() ? Font().Color : clGrayText;
    TRect text{l.DaysLeft + l.CellWidth + 2, l.FootTop + 1, l.Title.Right, l.FootTop + l.CellHeight + 1};
    canvas.DrawTextW("Today: " + FormatDateTime("ddddd", Today()), text,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TMonthCalendar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft || !Enabled()) return;
    const TLayout l = Layout();
    const TPoint p{x, y};
    if (l.Prev.Contains(p)) return Choose(ShiftMonths(fDate, -1), false);
    if (l.Next.Contains(p)) return Choose(ShiftMonths(fDate, 1), false);
    if (y >= l.FootTop && y < l.FootTop + l.CellHeight + 2 && x >= l.DaysLeft) return Choose(Today(), true);
    const int column = x - l.DaysLeft, row = y - l.DaysTop;
    if (column < 0 || row < 0 || column >= 7 * l.CellWidth || row >= Rows * l.CellHeight) return;
    const TDateTime date = FirstShown() + row / l.CellHeight * 7 + column / l.CellWidth;
    if (IsValidDate(date) && ClampDate(date) == date) Choose(date, true);
}

void TMonthCalendar::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (alive && key && HandleKey(key)) key = 0;
}

void TMonthCalendar::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
