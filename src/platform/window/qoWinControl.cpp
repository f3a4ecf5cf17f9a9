#include "platform/window/qoWinControl.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoMessageQueue.h"

#include <algorithm>

namespace qo {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { fHandle = AttachWindowTarget(*this); }

TWinControl::~TWinControl() {
    Destroying();
    InputForget(this);
    // Leaves the parent while still a windowed control, so that it leaves the tab order too.
    if (Parent()) Parent()->RemoveControl(this);
    // The parent does not own its children: they are only let go.
    while (!fControls.empty()) RemoveControl(fControls.back());
    DetachWindowTarget(fHandle);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) { return dynamic_cast<TWinControl*>(FindWindowTarget(hwnd)); }

TWinControl* TWinControl::TopLevel() {
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    return top;
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EListError(index);
    return fControls[size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled) const {
    auto hit = [&](bool windowed) -> TControl* {
        for (auto it = fControls.rbegin(); it != fControls.rend(); ++it) {
            TControl* c = *it;
            if (c->IsWindowed() == windowed && c->Visible() && (allowDisabled || c->Enabled()) &&
                c->BoundsRect().Contains(pos))
                return c;
        }
        return nullptr;
    };
    TControl* control = hit(true);
    return control ? control : hit(false);
}

void TWinControl::InsertControl(TControl* control) {
    fControls.push_back(control);
    control->fParent = this;
    if (control->IsWindowed()) fTabList.push_back(static_cast<TWinControl*>(control));
    if (control->Align() != alNone) AlignChild(control);
    if (control->IsWindowed())
        static_cast<TWinControl*>(control)->InvalidateShowing();
    else
        control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->IsWindowed() && static_cast<TWinControl*>(control)->ContainsControl(FocusedControl()))
        SetFocusedControl(nullptr);
    InvalidateRect(control->BoundsRect(), true);
    std::erase(fControls, control);
    std::erase(fTabList, control);
    control->fParent = nullptr;
    if (control->Align() != alNone) AlignChild(nullptr);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->fTabList;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->fTabList;
    std::erase(list, this);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

bool TWinControl::Focused() const { return FocusedControl() == this; }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EqoError("Cannot focus a disabled or invisible window");
    SetFocusedControl(this);
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    const int count = int(fTabList.size());
    if (count == 0) return nullptr;
    auto at = std::find(fTabList.begin(), fTabList.end(), current);
    int index = at == fTabList.end() ? (forward ? -1 : count) : int(at - fTabList.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : -1) + count) % count;
        TWinControl* candidate = fTabList[size_t(index)];
        if (candidate != current && candidate->CanFocus() && (!checkTabStop || candidate->TabStop))
            return candidate;
    }
    return nullptr;
}

void TWinControl::InvalidateRect(const TRect& rect, bool erase) {
    // A window that does not show is painted when it shows.
    if (Showing()) qo::InvalidateRect(fHandle, &rect, erase);
}

void TWinControl::InvalidateShowing() {
    if (Showing())
        Invalidate();
    else
        MessageQueue().Validate(fHandle);
    for (TControl* control : fControls)
        if (control->IsWindowed()) static_cast<TWinControl*>(control)->InvalidateShowing();
}

void TWinControl::Update() { UpdateWindow(fHandle); }

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::BoundsChanged(bool resized) {
    if (resized)
        Perform(WM_SIZE, 0, PointToLParam({Width(), Height()}));
    else if (Parent())
        Backend().WindowChanged(*TopLevel());
}

TqoDC& TWinControl::WindowDC() {
    if (fSurface.Width() != Width() || fSurface.Height() != Height()) fSurface.SetSize(Width(), Height());
    Backend().WindowChanged(*TopLevel());
    return fSurface.Handle();
}

void TWinControl::VisibleChanged() {
    if (!Visible() && ContainsControl(FocusedControl())) SetFocusedControl(nullptr);
    InvalidateShowing();
    if (Parent()) Backend().WindowChanged(*TopLevel());
}

void TWinControl::EnabledChanged() {
    if (!Enabled() && ContainsControl(FocusedControl())) SetFocusedControl(nullptr);
}

LRESULT TWinControl::WindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Perform(msg, wParam, lParam);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: PaintHandler(); break;
    case WM_ERASEBKGND:
        if (message.WParam) EraseBackground(*reinterpret_cast<TqoDC*>(message.WParam));
        message.Result = 1;
        break;
    case WM_SIZE:
        Invalidate();
        Realign();
        if (!IsLoading()) Resize();
        break;
    case WM_SETFOCUS: DoEnter(); break;
    case WM_KILLFOCUS: DoExit(); break;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        uint16_t key = uint16_t(message.WParam);
        if (message.Msg == WM_KEYDOWN)
            KeyDown(key, CurrentShiftState());
        else
            KeyUp(key, CurrentShiftState());
        break;
    }
    case WM_CHAR: {
        char16_t ch = char16_t(message.WParam);
        KeyPress(ch);
        break;
    }
    default: TControl::WndProc(message); break;
    }
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) { OnKeyDown.Fire(this, key, shift); }
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) { OnKeyUp.Fire(this, key, shift); }
void TWinControl::KeyPress(char16_t& key) { OnKeyPress.Fire(this, key); }

void TWinControl::EraseBackground(TqoDC& dc) {
    TCanvas canvas(&dc);
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintHandler() {
    TRect update;
    bool erase = false;
    if (!MessageQueue().TakeUpdate(fHandle, update, erase) || !Showing()) return;
    update = IntersectRect(update, ClientRect());
    if (update.IsEmpty()) return;
    TqoDC& dc = WindowDC();
    const TqoRegion clip(update);
    dc.SetViewportOrg({0, 0});
    dc.SelectClipRgn(&clip);
    if (erase && !(ControlStyle & csOpaque)) Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    PaintWindow(dc);
    PaintControls(dc);
    dc.SetViewportOrg({0, 0});
    dc.SelectClipRgn(nullptr);
    Backend().WindowChanged(*TopLevel());
}

void TWinControl::PaintControls(TqoDC& dc) {
    const std::optional<TqoRegion> clip = dc.GetClipRgn();
    for (TControl* control : fControls) {
        if (control->IsWindowed() || !control->Visible()) continue;
        TqoRegion region(control->BoundsRect());
        if (clip) region.Intersect(*clip);
        if (region.IsEmpty()) continue;
        dc.SelectClipRgn(&region);
        dc.SetViewportOrg(control->BoundsRect().TopLeft());
        control->PaintControl(dc);
    }
    dc.SetViewportOrg({0, 0});
    dc.SelectClipRgn(clip ? &*clip : nullptr);
}

} // namespace qo
