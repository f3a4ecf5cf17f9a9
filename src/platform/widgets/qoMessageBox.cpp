#include "platform/widgets/qoMessageBox.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>
#include <cctype>

namespace qo {

namespace {
constexpr int Margin = 12, ButtonGap = 6, TextGap = 16, MaxTextWidth = 360, MinWidth = 120;
constexpr uint32_t TextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

std::vector<int> ButtonsOf(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: throw EqoError("Unknown message box buttons");
    }
}
} // namespace

std::string ButtonCaption(int id) {
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "";
    }
}

TMessageBox::TMessageBox(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = (ControlStyle | csOpaque) & ~csClickEvents & ~csDoubleClicks;
    SetVisible(false);
}

TMessageBox::~TMessageBox() {
    Destroying();
    RemoveInputWatcher(*this);
}

void TMessageBox::Setup(const std::string& text, const std::string& caption, uint32_t flags) {
    fButtons = ButtonsOf(flags);
    fText = text;
    SetCaption(caption);
    fFocused = std::clamp(int((flags & MB_DEFMASK) >> 8), 0, int(fButtons.size()) - 1);
    fResult = 0;
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    TRect measured{0, 0, MaxTextWidth, 0};
    canvas.DrawTextW(text, measured, TextFlags | DT_CALCRECT);
    const int buttons = int(fButtons.size()) * (ButtonWidth + ButtonGap) - ButtonGap;
    const int width = std::max({measured.Width(), buttons, MinWidth}) + 2 * Margin;
    fTextRect = TRect::Bounds(Margin, Margin, measured.Width(), measured.Height());
    SetBounds(Left(), Top(), width, Margin + measured.Height() + TextGap + ButtonHeight + Margin);
    Show();
    Invalidate();
    if (!fWatching) AddInputWatcher(*this);
    fWatching = true;
}

TRect TMessageBox::ButtonRect(int index) const {
    const int count = int(fButtons.size());
    const int left = (Width() - (count * (ButtonWidth + ButtonGap) - ButtonGap)) / 2;
    return TRect::Bounds(left + index * (ButtonWidth + ButtonGap), Height() - Margin - ButtonHeight, ButtonWidth,
                         ButtonHeight);
}

int TMessageBox::ButtonAt(TPoint p) const {
    for (int i = 0; i < int(fButtons.size()); ++i)
        if (ButtonRect(i).Contains(p)) return i;
    return -1;
}

void TMessageBox::SetFocusedButton(int index) {
    const int count = int(fButtons.size());
    if (count == 0) return;
    fFocused = (index % count + count) % count;
    Invalidate();
}

int TMessageBox::EscapeAnswer() const {
    if (std::find(fButtons.begin(), fButtons.end(), IDCANCEL) != fButtons.end()) return IDCANCEL;
    return fButtons == std::vector<int>{IDOK} ? IDOK : 0;
}

void TMessageBox::Answer(int result) {
    if (fResult != 0) return;
    fResult = result;
    RemoveInputWatcher(*this);
    fWatching = false;
    Hide();
    OnAnswer.Fire(this);
}

void TMessageBox::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    qoWidgetPaint::Fill(canvas, ClientRect(), clBtnFace);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.DrawTextW(fText, fTextRect, TextFlags);
    for (int i = 0; i < int(fButtons.size()); ++i) {
        TRect rect = ButtonRect(i);
        if (i == fFocused) {
            // The default button's dark frame around its bevel.
            qoWidgetPaint::Frame3D(canvas, rect, SystemColor(COLOR_WINDOWFRAME), SystemColor(COLOR_WINDOWFRAME), 1);
        }
        TRect content = qoWidgetPaint::Button(canvas, rect, i == fPressed);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.DrawTextW(ButtonCaption(fButtons[i]), content, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (i == fFocused) qoWidgetPaint::FocusRect(canvas, {content.Left + 2, content.Top + 2, content.Right - 2, content.Bottom - 2});
    }
}

void TMessageBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    fPressed = ButtonAt({x, y});
    if (fPressed >= 0) SetFocusedButton(fPressed);
}

void TMessageBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const int pressed = fPressed;
    fPressed = -1;
    Invalidate();
    if (button == mbLeft && pressed >= 0 && ButtonAt({x, y}) == pressed) Answer(fButtons[pressed]);
    if (alive) TCustomControl::MouseUp(button, shift, x, y);
}

// While up, a press on any other window goes nowhere but a beep.
bool TMessageBox::PressSeen(TWinControl& root, TPoint) {
    if (&root == this) return false;
    Backend().Beep();
    return true;
}

bool TMessageBox::KeySeen(uint16_t key, TShiftState shift, bool down) {
    if (!down) return true;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        SetFocusedButton(fFocused - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetFocusedButton(fFocused + 1);
        break;
    case VK_TAB:
        SetFocusedButton(fFocused + (shift & ssShift ? -1 : 1));
        break;
    case VK_RETURN:
    case VK_SPACE:
        Answer(fButtons[fFocused]);
        break;
    case VK_ESCAPE:
        if (EscapeAnswer() != 0) Answer(EscapeAnswer());
        break;
    }
    return true;
}

bool TMessageBox::CharSeen(char16_t ch) {
    if (ch > 0x7F || ch == ' ') return true;
    for (int id : fButtons)
        if (std::toupper(ButtonCaption(id)[0]) == std::toupper(static_cast<int>(ch))) {
            Answer(id);
            break;
        }
    return true;
}

} // namespace qo
