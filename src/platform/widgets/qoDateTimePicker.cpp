#include "platform/widgets/qoDateTimePicker.h"

#include "platform/core/qoDateFormat.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/widgets/qoDropDownWindow.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>
#include <cctype>

namespace qo {

namespace {
constexpr int Border = 2;

bool StartsWithNoCase(const std::string& text, size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
    return true;
}

int Wrap(int value, int low, int high) {
    const int span = high - low + 1;
    return low + ((value - low) % span + span) % span;
}
} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TCustomControl(owner), fValue(qo::Now()) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 186, 21);
    fDropDown = new TqoDropDownWindow(*this);
    fDropDown->OnCloseUp = [this](TComponent*, bool take) {
        const TqoAlive::TWatch alive = fAlive.Watch();
        Invalidate();
        OnCloseUp.Fire(this);
        if (alive && take) Change(ComposeDateTime(fCalendar->Date(), Time()));
    };
    fCalendar = new TMonthCalendar(fDropDown);
    fCalendar->SetParent(fDropDown);
    fCalendar->OnPick = [this](TComponent*) { CloseUp(true); };
    ParseFormat();
}

TDateTimePicker::~TDateTimePicker() {
    Destroying();
    fDropDown->OnCloseUp.Clear();
}

TDateTime TDateTimePicker::Clamped(TDateTime value) const {
    return ComposeDateTime(fCalendar->ClampDate(value), TimeOf(value));
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    CheckCalendarDate(value);
    fValue = Clamped(value);
    Invalidate();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == fKind) return;
    CloseUp(false);
    fKind = kind;
    ParseFormat();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    fDateFormat = format;
    ParseFormat();
}

void TDateTimePicker::SetShowCheckbox(bool show) {
    fShowCheckbox = show;
    Invalidate();
}

void TDateTimePicker::SetChecked(bool checked) {
    fChecked = checked;
    Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime value) {
    fCalendar->SetMinDate(value);
    fValue = Clamped(fValue);
    Invalidate();
}

void TDateTimePicker::SetMaxDate(TDateTime value) {
    fCalendar->SetMaxDate(value);
    fValue = Clamped(fValue);
    Invalidate();
}

void TDateTimePicker::ParseFormat() {
    const TFormatSettings& settings = FormatSettings();
    const std::string& format = fKind == dtkTime         ? settings.LongTimeFormat
                                : fDateFormat == dfShort ? settings.ShortDateFormat
                                                         : settings.LongDateFormat;
    fSegments.clear();
    bool afterHour = false;
    for (size_t i = 0; i < format.size();) {
        const char c = char(std::tolower(static_cast<unsigned char>(format[i])));
        size_t run = 1;
        TFieldKind kind = fkText;
        if (c == '\'' || c == '"') {
            const size_t end = format.find(format[i], i + 1);
            run = (end == std::string::npos ? format.size() : end + 1) - i;
        } else if (c == 'a') {
            for (std::string_view marker : {"ampm", "am/pm", "a/p"})
                if (StartsWithNoCase(format, i, marker)) {
                    run = marker.size();
                    kind = fkAmPm;
                    break;
                }
        } else if (std::string_view("dmyhns").find(c) != std::string_view::npos) {
            while (i + run < format.size() && std::tolower(static_cast<unsigned char>(format[i + run])) == c) ++run;
            kind = c == 'd'   ? (run <= 2 ? fkDay : fkText)
                   : c == 'm' ? (run <= 2 && afterHour ? fkMinute : fkMonth)
                   : c == 'y' ? fkYear
                   : c == 'h' ? fkHour
                   : c == 'n' ? fkMinute
                              : fkSecond;
        }
        std::string piece = format.substr(i, run);
        if (kind == fkMinute) piece.assign(run, 'n');
        // A lone letter of no field is text, quoted so that it is not read as a format.
        if (kind == fkText && run == 1 && std::isalpha(static_cast<unsigned char>(c))) piece = "\"" + piece + "\"";
        if (kind != fkText) afterHour = kind == fkHour;
        fSegments.push_back({kind, piece});
        i += run;
    }
    const std::vector<int> fields = Fields();
    fField = fields.empty() ? 0 : fields.front();
    fTyped = fTypedDigits = 0;
    Invalidate();
}

std::vector<int> TDateTimePicker::Fields() const {
    std::vector<int> fields;
    for (int i = 0; i < int(fSegments.size()); ++i)
        if (fSegments[size_t(i)].Kind != fkText) fields.push_back(i);
    return fields;
}

std::string TDateTimePicker::SegmentText(int index) const {
    const TSegment& segment = fSegments[size_t(index)];
    if (index == fField && segment.Kind == fkYear && fTypedDigits > 0) return std::to_string(fTyped);
    if (segment.Kind != fkHour || !TwelveHours()) return FormatDateTime(segment.Format, fValue);
    // Apart from its am/pm marker the hour does not know the clock has twelve hours.
    const int hour = (DecodeDateTime(fValue).Hour + 11) % 12 + 1;
    const std::string text = std::to_string(hour);
    return segment.Format.size() >= 2 && hour < 10 ? "0" + text : text;
}

bool TDateTimePicker::TwelveHours() const {
    return std::any_of(fSegments.begin(), fSegments.end(), [](const TSegment& s) { return s.Kind == fkAmPm; });
}

std::string TDateTimePicker::Text() const {
    std::string text;
    for (int i = 0; i < int(fSegments.size()); ++i) text += SegmentText(i);
    return text;
}

int TDateTimePicker::TextLeft() const {
    return Border + 2 + (fShowCheckbox ? qoWidgetPaint::CheckBoxSize + 4 : 0);
}

TRect TDateTimePicker::ButtonRect() const {
    return {Width() - Border - TScrollBar::DefaultThickness, Border, Width() - Border, Height() - Border};
}

std::vector<TDateTimePicker::TSegment> TDateTimePicker::Measured() const {
    TCanvas& canvas = const_cast<TDateTimePicker*>(this)->Canvas();
    canvas.Font() = Font();
    std::vector<TSegment> segments = fSegments;
    int x = TextLeft();
    for (int i = 0; i < int(segments.size()); ++i) {
        segments[size_t(i)].Left = x;
        x += canvas.TextWidth(SegmentText(i));
        segments[size_t(i)].Right = x;
    }
    return segments;
}

bool TDateTimePicker::DroppedDown() const { return fDropDown->IsOpen(); }

void TDateTimePicker::SetDroppedDown(bool open) {
    if (open == DroppedDown()) return;
    if (!open) return CloseUp(false);
    if (fKind != dtkDate) return;
    FinishTyping();
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnDropDown.Fire(this);
    if (!alive || !Showing()) return;
    fCalendar->SetDate(fValue);
    const TSize size = fCalendar->MinimumSize();
    fCalendar->SetBounds(1, 1, size.cx, size.cy);
    fDropDown->DropBelow(size);
    Invalidate();
}

void TDateTimePicker::CloseUp(bool take) { fDropDown->CloseUp(take); }

void TDateTimePicker::Change(TDateTime value) {
    const TDateTime clamped = Clamped(value);
    const bool ticked = fShowCheckbox && !fChecked;
    fChecked = true;
    Invalidate();
    if (clamped == fValue && !ticked) return;
    fValue = clamped;
    OnChange.Fire(this);
}

TDateTime TDateTimePicker::WithField(TFieldKind kind, int value) const {
    TDateParts p = DecodeDateTime(fValue);
    switch (kind) {
    case fkDay: p.Day = value; break;
    case fkMonth: p.Month = std::clamp(value, 1, 12); break;
    case fkYear: p.Year = std::clamp(value, 1, 9999); break;
    case fkHour: p.Hour = std::clamp(value, 0, 23); break;
    case fkMinute: p.Minute = std::clamp(value, 0, 59); break;
    case fkSecond: p.Second = std::clamp(value, 0, 59); break;
    case fkAmPm:
    case fkText: break;
    }
    p.Day = std::clamp(p.Day, 1, DaysInAMonth(p.Year, p.Month));
    return ComposeDateTime(EncodeDate(p.Year, p.Month, p.Day), EncodeTime(p.Hour, p.Minute, p.Second, p.MSec));
}

void TDateTimePicker::StepField(int delta) {
    FinishTyping();
    if (fSegments.empty()) return;
    const TDateParts p = DecodeDateTime(fValue);
    const TFieldKind kind = fSegments[size_t(fField)].Kind;
    switch (kind) {
    case fkDay: return Change(WithField(kind, Wrap(p.Day + delta, 1, DaysInAMonth(p.Year, p.Month))));
    case fkMonth: return Change(WithField(kind, Wrap(p.Month + delta, 1, 12)));
    case fkYear: return Change(WithField(kind, p.Year + delta));
    case fkHour: return Change(WithField(kind, Wrap(p.Hour + delta, 0, 23)));
    case fkMinute: return Change(WithField(kind, Wrap(p.Minute + delta, 0, 59)));
    case fkSecond: return Change(WithField(kind, Wrap(p.Second + delta, 0, 59)));
    case fkAmPm: return Change(WithField(fkHour, (p.Hour + 12) % 24));
    case fkText: return;
    }
}

void TDateTimePicker::TypeDigit(int digit) {
    const TFieldKind kind = fSegments.empty() ? fkText : fSegments[size_t(fField)].Kind;
    if (kind == fkText || kind == fkAmPm) return;
    fTyped = fTyped * 10 + digit;
    ++fTypedDigits;
    if (kind == fkYear) {
        Invalidate();
        if (fTypedDigits == 4) FinishTyping();
        return;
    }
    const int high = kind == fkDay ? 31 : kind == fkMonth ? 12 : kind == fkHour ? 23 : 59;
    const int low = kind == fkDay || kind == fkMonth ? 1 : 0;
    if (fTyped > high) { // starts over with this digit
        fTyped = digit;
        fTypedDigits = 1;
    }
    const int typed = fTyped;
    if (fTypedDigits == 2 || fTyped * 10 > high) fTyped = fTypedDigits = 0;
    if (kind == fkHour && TwelveHours()) {
        // A 12-hour clock: the hour typed keeps the half of the day.
        const bool pm = DecodeDateTime(fValue).Hour >= 12;
        if (typed >= 1 && typed <= 12) Change(WithField(kind, typed % 12 + (pm ? 12 : 0)));
        return;
    }
    if (typed >= low) Change(WithField(kind, typed));
}

void TDateTimePicker::FinishTyping() {
    const bool year = !fSegments.empty() && fSegments[size_t(fField)].Kind == fkYear && fTypedDigits > 0;
    int typed = fTyped;
    // Two digits or fewer name a year of the current century.
    if (year && fTypedDigits <= 2) typed += DecodeDateTime(fValue).Year / 100 * 100;
    fTyped = fTypedDigits = 0;
    Invalidate();
    if (year && typed >= 1) Change(WithField(fkYear, typed));
}

void TDateTimePicker::SelectField(int index) {
    if (index == fField) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    FinishTyping();
    if (!alive) return;
    fField = index;
    Invalidate();
}

void TDateTimePicker::Paint() {
    TCanvas& canvas = Canvas();
    TqoDCSaver saver(canvas);
    TRect rect = ClientRect();
    qoWidgetPaint::Edge(canvas, rect, qoWidgetPaint::edSunken);
    qoWidgetPaint::Fill(canvas, rect, Enabled() ? Color() : clBtnFace);
    if (fShowCheckbox)
        qoWidgetPaint::CheckBox(canvas, {rect.Left + 2, (Height() - qoWidgetPaint::CheckBoxSize) / 2},
                                fChecked ? qoWidgetPaint::cbChecked : qoWidgetPaint::cbUnchecked, Enabled(), false);
    const TRect button = ButtonRect();
    if (fKind == dtkDate) {
        qoWidgetPaint::ArrowButton(canvas, button, qoWidgetPaint::arDown, DroppedDown(), Enabled());
    } else {
        const int middle = (button.Top + button.Bottom) / 2;
        qoWidgetPaint::ArrowButton(canvas, {button.Left, button.Top, button.Right, middle}, qoWidgetPaint::arUp,
                                   false, Enabled());
        qoWidgetPaint::ArrowButton(canvas, {button.Left, middle, button.Right, button.Bottom},
                                   qoWidgetPaint::arDown, false, Enabled());
    }
    canvas.Font() = Font();
    canvas.Brush().Style = TBrushStyle::bsClear;
    const bool active = Enabled() && (!fShowCheckbox || fChecked);
    const int height = canvas.TextHeight("0");
    const int top = (Height() - height) / 2;
    const std::vector<TSegment> segments = Measured();
    for (int i = 0; i < int(segments.size()); ++i) {
        const TSegment& segment = segments[size_t(i)];
        const bool marked = i == fField && segment.Kind != fkText && Focused() && !DroppedDown();
        if (marked) qoWidgetPaint::Fill(canvas, {segment.Left, top, segment.Right, top + height}, clHighlight);
        canvas.Font().Color = marked ? clHighlightText : active ? Font().Color : clGrayText;
        canvas.TextOut(segment.Left, top, SegmentText(i));
    }
}

void TDateTimePicker::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
    if (alive) TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    const TRect buttonRect = ButtonRect();
    if (buttonRect.Contains({x, y})) {
        if (fKind == dtkDate) return SetDroppedDown(!DroppedDown());
        return StepField(y < (buttonRect.Top + buttonRect.Bottom) / 2 ? 1 : -1);
    }
    if (fShowCheckbox && x < TextLeft() - 2) {
        fChecked = !fChecked;
        Invalidate();
        return OnChange.Fire(this);
    }
    const std::vector<TSegment> segments = Measured();
    for (int i = 0; i < int(segments.size()); ++i)
        if (segments[size_t(i)].Kind != fkText && x < segments[size_t(i)].Right) return SelectField(i);
}

void TDateTimePicker::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (!alive || !key) return;
    if (fKind == dtkDate && (key == VK_F4 || ((shift & ssAlt) && (key == VK_DOWN || key == VK_UP)))) {
        SetDroppedDown(!DroppedDown());
        return;
    }
    if (DroppedDown()) {
        if (fCalendar->HandleKey(key)) key = 0;
        return;
    }
    const std::vector<int> fields = Fields();
    const auto at = std::find(fields.begin(), fields.end(), fField);
    switch (key) {
    case VK_LEFT:
        if (at != fields.end() && at != fields.begin()) SelectField(*(at - 1));
        break;
    case VK_RIGHT:
        if (at != fields.end() && at + 1 != fields.end()) SelectField(*(at + 1));
        break;
    case VK_UP: StepField(1); break;
    case VK_DOWN: StepField(-1); break;
    case VK_SPACE:
        if (!fShowCheckbox) return;
        fChecked = !fChecked;
        Invalidate();
        OnChange.Fire(this);
        break;
    default: return;
    }
    key = 0;
}

void TDateTimePicker::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyPress(key);
    if (!alive || DroppedDown()) return;
    if (key >= u'0' && key <= u'9') return TypeDigit(int(key - u'0'));
    const bool amPm = !fSegments.empty() && fSegments[size_t(fField)].Kind == fkAmPm;
    const char16_t lower = key < 128 ? char16_t(std::tolower(int(key))) : key;
    if (!amPm || (lower != u'a' && lower != u'p')) return;
    const int hour = DecodeDateTime(fValue).Hour;
    Change(WithField(fkHour, hour % 12 + (lower == u'p' ? 12 : 0)));
}

void TDateTimePicker::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_KILLFOCUS: {
        // A window on its way out ends typing without a word.
        const TqoAlive::TWatch alive = fAlive.Watch();
        fDropDown->CloseOnFocusLoss();
        if (alive && !IsDestroying() && !TopLevel()->IsDestroying()) FinishTyping();
        if (!alive) return;
        Invalidate();
        break;
    }
    case WM_SETFOCUS: Invalidate(); break;
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
