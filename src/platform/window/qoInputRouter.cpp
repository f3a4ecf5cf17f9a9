#include "platform/window/qoInputRouter.h"

#include "platform/window/qoBackend.h"
#include "platform/window/qoWinControl.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <vector>

namespace qo {

namespace {

struct TLastPress {
    TControl* Control = nullptr;
    TMouseButton Button = mbLeft;
    TPoint Screen;
    int64_t Time = 0;
};

struct TInputState {
    std::bitset<256> KeysDown;
    TLastPress LastPress;
    TWinControl* Focused = nullptr;
    // A key whose character and release go nowhere (0: none).
    uint16_t SwallowedKey = 0;
};

TInputState& State() {
    static TInputState state;
    return state;
}

std::vector<TInputWatcher*>& Watchers() {
    static std::vector<TInputWatcher*> watchers;
    return watchers;
}

bool IsWatching(const TInputWatcher* watcher) {
    return std::find(Watchers().begin(), Watchers().end(), watcher) != Watchers().end();
}

// Newest first. A watcher may close (and free) itself or others while it looks:
// only those still watching are asked. Presses reach all; keys stop at the
// first that swallows them, which taker names.
template <class F> bool AskWatchers(bool all, F ask, const TInputWatcher** taker = nullptr) {
    const std::vector<TInputWatcher*> snapshot = Watchers();
    bool swallowed = false;
    for (auto it = snapshot.rbegin(); it != snapshot.rend() && (all || !swallowed); ++it)
        if (IsWatching(*it) && ask(**it)) {
            swallowed = true;
            if (taker) *taker = *it;
        }
    return swallowed;
}

constexpr int DoubleClickDistance = 2;

void SetModifiers(TShiftState shift) {
    auto& keys = State().KeysDown;
    keys[VK_SHIFT] = shift & ssShift;
    keys[VK_CONTROL] = shift & ssCtrl;
    keys[VK_MENU] = shift & ssAlt;
}

UINT ButtonMessage(TMouseButton button, bool down, bool dbl) {
    const UINT base = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    return down ? (dbl ? base + 2 : base) : base + 1;
}

int ButtonKey(TMouseButton button) {
    return button == mbLeft ? VK_LBUTTON : button == mbRight ? VK_RBUTTON : VK_MBUTTON;
}

WPARAM CurrentKeys() {
    return ShiftStateToKeys(CurrentShiftState());
}

LRESULT SendMouse(TControl& target, UINT msg, TPoint screen) {
    return target.Perform(msg, CurrentKeys(), PointToLParam(target.ScreenToClient(screen)));
}

bool IsDoubleClick(const TControl* target, TMouseButton button, TPoint screen) {
    const TLastPress& last = State().LastPress;
    return last.Control == target && last.Button == button && (target->ControlStyle & csDoubleClicks) &&
           Backend().Clock().Milliseconds() - last.Time <= Mouse().DoubleClickTime &&
           std::abs(screen.X - last.Screen.X) <= DoubleClickDistance &&
           std::abs(screen.Y - last.Screen.Y) <= DoubleClickDistance;
}

TCursor CursorOf(const TControl* control) {
    if (Mouse().OverrideCursor() != crDefault) return Mouse().OverrideCursor();
    return control ? control->Cursor() : crDefault;
}

} // namespace

TMouse& Mouse() {
    static TMouse mouse;
    return mouse;
}

class TInputRouter {
public:
    static void SetCursorPos(TPoint p) { Mouse().fCursorPos = p; }
    static void ClearCapture() { Mouse().fCapture = nullptr; }
};

void TMouse::SetCapture(TControl* control) {
    if (control == fCapture) return;
    TControl* old = fCapture;
    fCapture = control;
    if (old) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

void TMouse::SetOverrideCursor(TCursor cursor) {
    fOverrideCursor = cursor;
    Backend().ShowCursor(cursor);
}

TControl* GetCaptureControl() {
    return Mouse().Capture();
}
void SetCaptureControl(TControl* control) {
    Mouse().SetCapture(control);
}
void ReleaseCapture() {
    Mouse().SetCapture(nullptr);
}

TControl* ControlAtScreen(TWinControl& root, TPoint screen) {
    if (!root.Visible() || !root.Enabled()) return nullptr;
    TPoint p = root.ScreenToClient(screen);
    if (!root.ClientRect().Contains(p)) return nullptr;
    TControl* found = &root;
    while (found->IsWindowed()) {
        TWinControl* parent = static_cast<TWinControl*>(found);
        TControl* child = parent->ControlAtPos(parent->ScreenToClient(screen));
        if (!child) break;
        found = child;
    }
    return found;
}

void DeliverMouseButton(TWinControl& root, TMouseButton button, bool down, TPoint screen, TShiftState shift) {
    TInputRouter::SetCursorPos(screen);
    SetModifiers(shift);
    State().KeysDown[ButtonKey(button)] = down;
    if (!down && button == mbLeft && DragSource() && DragFinish(true)) {
        ReleaseCapture();
        return;
    }
    if (DragSource()) return;
    if (down && !GetCaptureControl() &&
        AskWatchers(true, [&](TInputWatcher& w) { return w.PressSeen(root, screen); }))
        return;
    TControl* target = GetCaptureControl() ? GetCaptureControl() : ControlAtScreen(root, screen);
    if (!target) return;
    UINT msg = ButtonMessage(button, down, false);
    if (down) {
        if (!GetCaptureControl() && (target->ControlStyle & csCaptureMouse)) SetCaptureControl(target);
        const bool dbl = IsDoubleClick(target, button, screen);
        if (dbl) msg = ButtonMessage(button, true, true);
        // A third press starts counting again.
        State().LastPress =
            dbl ? TLastPress{} : TLastPress{target, button, screen, Backend().Clock().Milliseconds()};
    }
    SendMouse(*target, msg, screen);
    if (!down && !(CurrentShiftState() & (ssLeft | ssRight | ssMiddle))) ReleaseCapture();
}

void DeliverMouseMove(TWinControl& root, TPoint screen, TShiftState shift) {
    TInputRouter::SetCursorPos(screen);
    SetModifiers(shift);
    if (DragSource()) {
        DragMoveTo(screen);
        return;
    }
    TControl* target = GetCaptureControl() ? GetCaptureControl() : ControlAtScreen(root, screen);
    Backend().ShowCursor(CursorOf(target));
    if (target) SendMouse(*target, WM_MOUSEMOVE, screen);
}

void DeliverMouseWheel(TWinControl& root, int delta, TPoint screen, TShiftState shift) {
    TInputRouter::SetCursorPos(screen);
    SetModifiers(shift);
    TControl* target = GetCaptureControl() ? GetCaptureControl() : ControlAtScreen(root, screen);
    const WPARAM wParam = MakeWheelWParam(delta, CurrentKeys());
    // Unhandled, the wheel goes on to the parent.
    for (TControl* c = target; c; c = c->Parent())
        if (c->Perform(WM_MOUSEWHEEL, wParam, PointToLParam(screen))) break;
}

void DeliverKeyDown(uint16_t key, TShiftState shift) {
    SetModifiers(shift);
    State().KeysDown[key & 0xFF] = true;
    if (key == VK_ESCAPE && DragSource()) {
        DragFinish(false);
        return;
    }
    State().SwallowedKey = 0;
    const TInputWatcher* taker = nullptr;
    if (AskWatchers(false, [&](TInputWatcher& w) { return w.KeySeen(key, shift, true); }, &taker)) {
        // A watcher that took the key and went with it (a message box answered, a
        // menu item chosen) takes the rest of the keystroke along: its character
        // must not reach the window that has the focus again.
        if (!IsWatching(taker)) State().SwallowedKey = key;
        return;
    }
    TWinControl* target = FocusedControl();
    if (!target) return;
    LRESULT wanted = 0;
    if (key == VK_TAB) wanted = DLGC_WANTTAB;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) wanted = DLGC_WANTARROWS;
    if (wanted && !(target->Perform(WM_GETDLGCODE, key, 0) & (wanted | DLGC_WANTALLKEYS)) &&
        target->Parent()) {
        // An unclaimed navigation key moves the focus among the siblings.
        const bool forward = key == VK_TAB ? !(shift & ssShift) : (key == VK_RIGHT || key == VK_DOWN);
        if (TWinControl* next = target->Parent()->FindNextControl(target, forward, key == VK_TAB)) {
            next->SetFocus();
            return;
        }
    }
    target->Perform(WM_KEYDOWN, key, 1);
}

void DeliverKeyUp(uint16_t key, TShiftState shift) {
    SetModifiers(shift);
    State().KeysDown[key & 0xFF] = false;
    if (key == State().SwallowedKey) {
        State().SwallowedKey = 0;
        return;
    }
    if (AskWatchers(false, [&](TInputWatcher& w) { return w.KeySeen(key, shift, false); })) return;
    if (TWinControl* target = FocusedControl()) target->Perform(WM_KEYUP, key, 1);
}

void DeliverChar(char16_t ch) {
    if (State().SwallowedKey) return;
    if (AskWatchers(false, [&](TInputWatcher& w) { return w.CharSeen(ch); })) return;
    if (TWinControl* target = FocusedControl()) target->Perform(WM_CHAR, ch, 1);
}

int16_t GetKeyState(int key) {
    return State().KeysDown[key & 0xFF] ? int16_t(-32768) : int16_t(0);
}

TShiftState CurrentShiftState() {
    const auto& keys = State().KeysDown;
    TShiftState shift = 0;
    if (keys[VK_SHIFT]) shift |= ssShift;
    if (keys[VK_CONTROL]) shift |= ssCtrl;
    if (keys[VK_MENU]) shift |= ssAlt;
    if (keys[VK_LBUTTON]) shift |= ssLeft;
    if (keys[VK_RBUTTON]) shift |= ssRight;
    if (keys[VK_MBUTTON]) shift |= ssMiddle;
    return shift;
}

TWinControl* FocusedControl() {
    return State().Focused;
}

void SetFocusedControl(TWinControl* control) {
    TWinControl* old = State().Focused;
    if (control == old) return;
    State().Focused = control;
    if (old) old->Perform(WM_KILLFOCUS, control ? control->Handle() : 0, 0);
    if (control && State().Focused == control) control->Perform(WM_SETFOCUS, old ? old->Handle() : 0, 0);
}

void AddInputWatcher(TInputWatcher& watcher) {
    RemoveInputWatcher(watcher);
    Watchers().push_back(&watcher);
}

void RemoveInputWatcher(TInputWatcher& watcher) {
    std::erase(Watchers(), &watcher);
}

void InputForget(TControl* control) {
    TInputState& state = State();
    if (Mouse().Capture() == control) TInputRouter::ClearCapture();
    if (state.Focused == control) state.Focused = nullptr;
    if (state.LastPress.Control == control) state.LastPress = {};
    DragForget(control);
}

void InputReset() {
    if (DragSource()) DragFinish(false);
    TInputRouter::ClearCapture();
    TInputRouter::SetCursorPos({});
    State() = TInputState{};
    Mouse() = TMouse{};
}

} // namespace qo
