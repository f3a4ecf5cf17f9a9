#include "platform/window/qoControl.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoWinControl.h"

namespace qo {

namespace {
struct TKeyFlag {
    WPARAM Key;
    TShiftState Shift;
};
constexpr TKeyFlag KeyFlags[] = {{MK_SHIFT, ssShift},
                                 {MK_CONTROL, ssCtrl},
                                 {MK_LBUTTON, ssLeft},
                                 {MK_RBUTTON, ssRight},
                                 {MK_MBUTTON, ssMiddle}};
} // namespace

TShiftState KeysToShiftState(WPARAM keys) {
    // Mouse messages carry no Alt flag: it comes from the key state.
    TShiftState shift = GetKeyState(VK_MENU) < 0 ? ssAlt : 0;
    for (const TKeyFlag& flag : KeyFlags)
        if (keys & flag.Key) shift |= flag.Shift;
    return shift;
}

WPARAM ShiftStateToKeys(TShiftState shift) {
    WPARAM keys = 0;
    for (const TKeyFlag& flag : KeyFlags)
        if (shift & flag.Shift) keys |= flag.Key;
    return keys;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    Destroying();
    InputForget(this);
    if (fParent) fParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == fParent) return;
    if (parent == this || (IsWindowed() && parent && static_cast<TWinControl*>(this)->ContainsControl(parent)))
        throw EqoError("Control cannot have itself as parent");
    if (fParent) fParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == fLeft && top == fTop && width == fWidth && height == fHeight) return;
    const bool resized = width != fWidth || height != fHeight;
    if (!IsWindowed() && fParent) fParent->InvalidateRect(BoundsRect(), true);
    fLeft = left;
    fTop = top;
    fWidth = width;
    fHeight = height;
    if (!IsWindowed() && fParent) fParent->InvalidateRect(BoundsRect(), true);
    BoundsChanged(resized);
    RequestAlign();
}

void TControl::UpdateBoundsRect(const TRect& r) {
    fLeft = r.Left;
    fTop = r.Top;
    fWidth = r.Width();
    fHeight = r.Height();
}

void TControl::BoundsChanged(bool resized) {
    if (resized) {
        Invalidate();
        if (!IsLoading()) Resize();
    }
}

void TControl::RequestAlign() {
    if (fParent && fAlign != alNone) fParent->AlignChild(this);
}

TPoint TControl::ClientOrigin() const {
    TPoint origin{fLeft, fTop};
    for (const TWinControl* p = fParent; p; p = p->Parent()) origin = origin + TPoint{p->Left(), p->Top()};
    return origin;
}

void TControl::SetAlign(TAlign align) {
    if (align == fAlign) return;
    const bool wasAligned = fAlign != alNone;
    fAlign = align;
    if (fParent && (wasAligned || align != alNone)) fParent->AlignChild(this);
}

void TControl::SetVisible(bool visible) {
    if (visible == fVisible) return;
    fVisible = visible;
    if (fParent) fParent->InvalidateRect(BoundsRect(), true);
    VisibleChanged();
    RequestAlign();
}

bool TControl::Showing() const {
    if (!fVisible) return false;
    return !fParent || fParent->Showing();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == fEnabled) return;
    fEnabled = enabled;
    EnabledChanged();
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color == fColor) return;
    fColor = color;
    Invalidate();
}

void TControl::SetFont(const TFont& font) {
    if (font == fFont) return;
    fFont = font;
    FontChanged();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == fCaption) return;
    fCaption = caption;
    Invalidate();
}

void TControl::BeginDrag(bool immediate, int threshold) { DragBegin(*this, immediate, threshold); }
bool TControl::Dragging() const { return DragSource() == this; }
void TControl::EndDrag(bool drop) {
    if (Dragging()) DragFinish(drop);
}

void TControl::Invalidate() {
    if (fParent && fVisible) fParent->InvalidateRect(BoundsRect(), true);
}

void TControl::Update() {
    if (fParent) fParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) HandleMouse(message);
}

namespace {
TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return mbMiddle;
    default: return mbLeft;
    }
}
} // namespace

void TControl::HandleMouse(TMessage& message) {
    const UINT msg = message.Msg;
    const TShiftState shift = KeysToShiftState(message.WParam);
    const TPoint p = LParamToPoint(message.LParam);
    const TMouseButton button = ButtonOf(msg);
    switch (msg) {
    case WM_MOUSEMOVE: MouseMove(shift, p.X, p.Y); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
        if (button == mbLeft && DragMode == dmAutomatic && !IsDesigning()) {
            BeginDrag(Mouse().DragImmediate, -1);
            break;
        }
        const TqoAlive::TWatch alive = fAlive.Watch();
        if (dbl && button == mbLeft && (ControlStyle & csClickEvents)) DblClick();
        if (!alive) break;
        if (!dbl && button == mbLeft && (ControlStyle & csClickEvents)) fClicked = true;
        MouseDown(button, shift | (dbl ? ssDouble : 0), p.X, p.Y);
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool clicked = button == mbLeft && fClicked;
        if (button == mbLeft) fClicked = false;
        const TqoAlive::TWatch alive = fAlive.Watch();
        MouseUp(button, shift, p.X, p.Y);
        if (alive && clicked && ClientRect().Contains(p)) Click();
        break;
    }
    case WM_MOUSEWHEEL:
        message.Result = DoMouseWheel(shift, WheelDelta(message.WParam), p) ? 1 : 0;
        break;
    default: break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseDown.Fire(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove.Fire(this, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseUp.Fire(this, button, shift, x, y);
}
void TControl::Click() { OnClick.Fire(this); }
void TControl::DblClick() { OnDblClick.Fire(this); }

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    OnMouseWheel.Fire(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::Resize() { OnResize.Fire(this); }

void TControl::DoStartDrag() { OnStartDrag.Fire(this); }

bool TControl::DragOver(TComponent* source, int x, int y, TDragState state) {
    // Without a handler nothing is accepted.
    bool accept = bool(OnDragOver);
    if (accept) OnDragOver(this, source, x, y, state, accept);
    return accept;
}

void TControl::DragDrop(TComponent* source, int x, int y) { OnDragDrop.Fire(this, source, x, y); }
void TControl::DoEndDrag(TComponent* target, int x, int y) { OnEndDrag.Fire(this, target, x, y); }

} // namespace qo
