#include "platform/window/qoHeadless.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoMessageQueue.h"

namespace qo {

namespace {

void ComposeInto(TBitmap& out, TWinControl& window, TPoint at, const TRect& clip) {
    if (!window.Visible()) return;
    const TRect area = IntersectRect(clip, TRect::Bounds(at.X, at.Y, window.Width(), window.Height()));
    if (area.IsEmpty()) return;
    const TqoRegion region(area);
    out.Handle().SelectClipRgn(&region);
    out.Canvas().Draw(at.X, at.Y, window.Surface());
    for (int i = 0; i < window.ControlCount(); ++i) {
        TControl* child = window.Controls(i);
        if (child->IsWindowed())
            ComposeInto(out, *static_cast<TWinControl*>(child), at + child->BoundsRect().TopLeft(), area);
    }
}

TWinControl& RootOf(TControl& control) {
    TWinControl* window = control.IsWindowed() ? static_cast<TWinControl*>(&control) : control.Parent();
    if (!window) throw EqoError("Control has no parent window");
    return *window->TopLevel();
}

} // namespace

void ComposeWindow(TWinControl& window, TBitmap& out) {
    out.SetSize(window.Width(), window.Height());
    out.Canvas().Brush().Color = clBlack;
    out.Canvas().FillRect(out.Raster().Bounds());
    ComposeInto(out, window, {0, 0}, out.Raster().Bounds());
    out.Handle().SelectClipRgn(nullptr);
}

THeadlessHarness::THeadlessHarness() {
    auto backend = std::make_shared<THeadlessBackend>(TTimeSource::tsVirtual);
    fBackend = backend.get();
    SetBackend(std::move(backend));
    MessageQueue().Reset();
    InputReset();
}

THeadlessHarness::~THeadlessHarness() {
    InputReset();
    MessageQueue().Reset();
}

void THeadlessHarness::MouseDown(TControl& control, TPoint p, TMouseButton button, TShiftState shift) {
    DeliverMouseButton(RootOf(control), button, true, control.ClientToScreen(p), shift);
}

void THeadlessHarness::MouseUp(TControl& control, TPoint p, TMouseButton button, TShiftState shift) {
    DeliverMouseButton(RootOf(control), button, false, control.ClientToScreen(p), shift);
}

void THeadlessHarness::MouseMove(TControl& control, TPoint p, TShiftState shift) {
    DeliverMouseMove(RootOf(control), control.ClientToScreen(p), shift);
}

void THeadlessHarness::Click(TControl& control, TPoint p, TMouseButton button, TShiftState shift) {
    MouseDown(control, p, button, shift);
    MouseUp(control, p, button, shift);
}

void THeadlessHarness::DoubleClick(TControl& control, TPoint p, TShiftState shift) {
    Click(control, p, mbLeft, shift);
    Click(control, p, mbLeft, shift);
}

void THeadlessHarness::Wheel(TControl& control, TPoint p, int delta, TShiftState shift) {
    DeliverMouseWheel(RootOf(control), delta, control.ClientToScreen(p), shift);
}

void THeadlessHarness::KeyDown(uint16_t key, TShiftState shift) { DeliverKeyDown(key, shift); }
void THeadlessHarness::KeyUp(uint16_t key, TShiftState shift) { DeliverKeyUp(key, shift); }
void THeadlessHarness::Char(char16_t ch) { DeliverChar(ch); }

void THeadlessHarness::Key(uint16_t key, TShiftState shift, char16_t ch) {
    KeyDown(key, shift);
    if (ch) Char(ch);
    KeyUp(key, shift);
}

void THeadlessHarness::AdvanceTime(int64_t ms) {
    TVirtualClock& clock = fBackend->VirtualClock();
    const int64_t target = clock.Milliseconds() + ms;
    RunUntilIdle();
    for (int64_t due = MessageQueue().NextTimerDue(); due >= 0 && due <= target; due = MessageQueue().NextTimerDue()) {
        if (due > clock.Milliseconds()) clock.Set(due);
        RunUntilIdle();
    }
    clock.Set(target);
    RunUntilIdle();
}

void THeadlessHarness::RunUntilIdle() { MessageQueue().ProcessMessages(); }

void THeadlessHarness::Snapshot(TWinControl& window, TBitmap& out) {
    RunUntilIdle();
    ComposeWindow(window, out);
}

void THeadlessHarness::SaveSnapshot(TWinControl& window, const std::string& pngPath) {
    TBitmap picture;
    Snapshot(window, picture);
    picture.SaveToPNG(pngPath);
}

} // namespace qo
