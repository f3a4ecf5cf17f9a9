#include "gantt/qoGraphHintWindow.h"

#include "data/qoDoLater.h"
#include "platform/window/qoInputRouter.h"

namespace qo {

namespace {
constexpr uint32_t ShowAfter = 1000, HideAfter = 5000;
constexpr int InitialWidth = 120, InitialHeight = 30;
// The gap between the owner's bottom edge and a hint shown below it.
constexpr int BelowGap = 4;

TTimer* NewTimer(TComponent* owner, uint32_t interval, TNotifyEvent handler) {
    TTimer* timer = new TTimer(owner);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetOnTimer(std::move(handler));
    return timer;
}

void Restart(TTimer& timer) {
    timer.SetEnabled(false);
    timer.SetEnabled(true);
}

} // namespace

TGraphHintWindow::TGraphHintWindow(TComponent* owner)
    : THintWindow(owner),
      fHideTimer(NewTimer(this, HideAfter, TNotifyEvent::Bind(this, &TGraphHintWindow::DoHide))),
      fShowTimer(NewTimer(this, ShowAfter, TNotifyEvent::Bind(this, &TGraphHintWindow::DoShow))) {
    SetBounds(0, 0, InitialWidth, InitialHeight);
}

TGraphHintWindow::~TGraphHintWindow() {
    Destroying();
    TDoLater::NeverMind(DoLaterMethod<&TGraphHintWindow::DoShowAsync>(this));
    TDoLater::NeverMind(DoLaterMethod<&TGraphHintWindow::DoHideAsync>(this));
}

void TGraphHintWindow::ShowSlowHintFor(TqoExposable* object, int x, int y) {
    if (object && object != fHintObject) {
        Restart(*fShowTimer);
        fHintObject = object;
        const TqoAlive::TWatch alive = fAlive.Watch();
        // A copy: the handler may free the window, and itself with it.
        const TOnUpdateTextEvent handler = OnUpdateTextEvent;
        handler.Fire(this, object);
        if (!alive) return;
    } else if (!object) {
        // A hint still waiting to show would show for nothing.
        fShowTimer->SetEnabled(false);
        ClosePopup();
    }
    Place(x, y);
    fHintObject = object;
}

void TGraphHintWindow::ShowMoveInfo(const std::string& text1, const std::string& text2, const std::string& text3,
                                    int x, int y) {
    SetCaption(text1 + '\r' + text2 + '\r' + text3);
    ShowDirect(x, y);
}

void TGraphHintWindow::ShowDirect(int x, int y) {
    Popup(fStaticPos ? StaticBounds() : BoundsAt(x, y));
    fShowTimer->SetEnabled(false);
    fHideTimer->SetEnabled(false);
}

void TGraphHintWindow::DoShow(TComponent*) {
    TDoLater::DoLater(DoLaterMethod<&TGraphHintWindow::DoShowAsync>(this), nullptr);
    fShowTimer->SetEnabled(false);
}

void TGraphHintWindow::DoHide(TComponent*) {
    TDoLater::DoLater(DoLaterMethod<&TGraphHintWindow::DoHideAsync>(this), nullptr);
    fShowTimer->SetEnabled(false);
    fHideTimer->SetEnabled(false);
}

void TGraphHintWindow::DoShowAsync(void*) {
    if (!ParentFormActive()) return;
    Popup(BoundsRect());
    Restart(*fHideTimer);
}

// The hint never takes the focus, so hiding leaves none to clear.
void TGraphHintWindow::DoHideAsync(void*) { ClosePopup(); }

void TGraphHintWindow::Place(int x, int y) {
    const TRect bounds = fStaticPos ? StaticBounds() : BoundsAt(x, y);
    if (IsOpen())
        Popup(bounds);
    else
        SetBoundsRect(bounds);
}

TRect TGraphHintWindow::StaticBounds() const {
    const TPoint origin = OwnerOrigin();
    return fStaticPosRect.Offset(origin.X, origin.Y);
}

TRect TGraphHintWindow::BoundsAt(int x, int y) const {
    const TPoint origin = OwnerOrigin();
    const TControl* owner = OwnerControl();
    const int top = fShowBelowOwner ? origin.Y + (owner ? owner->Height() : 0) + BelowGap : origin.Y + y;
    return TRect::Bounds(origin.X + x, top, Width(), Height());
}

TPoint TGraphHintWindow::OwnerOrigin() const {
    const TControl* owner = OwnerControl();
    return owner ? owner->ClientOrigin() : TPoint{};
}

// The form of the owner is active when it holds the keyboard focus, or when
// no window does. (The platform knows the active window only by its focus.)
bool TGraphHintWindow::ParentFormActive() const {
    TWinControl* focused = FocusedControl();
    if (!focused) return true;
    TControl* owner = OwnerControl();
    TWinControl* window = owner && owner->IsWindowed() ? static_cast<TWinControl*>(owner)
                          : owner                      ? owner->Parent()
                                                       : nullptr;
    return window && window->TopLevel() == focused->TopLevel();
}

} // namespace qo
