#pragma once
// Driving the window system without a display: input at client coordinates of
// any control, virtual time, running the loop until idle, and pictures of
// windows as they would show on a screen.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoWinControl.h"

#include <string>

namespace qo {

// The window with its visible windowed children on top, clipped as a screen shows them.
void ComposeWindow(TWinControl& window, TBitmap& out);

class THeadlessHarness {
public:
    // Installs a fresh headless backend on virtual time and starts from an empty
    // loop and no input state.
    THeadlessHarness();
    ~THeadlessHarness();
    THeadlessHarness(const THeadlessHarness&) = delete;
    THeadlessHarness& operator=(const THeadlessHarness&) = delete;

    THeadlessBackend& Backend() { return *fBackend; }

    // Mouse input at a point of control's client area; it reaches whatever
    // control shows there, or the one holding the capture.
    void MouseDown(TControl& control, TPoint p, TMouseButton button = mbLeft, TShiftState shift = 0);
    void MouseUp(TControl& control, TPoint p, TMouseButton button = mbLeft, TShiftState shift = 0);
    void MouseMove(TControl& control, TPoint p, TShiftState shift = 0);
    void Click(TControl& control, TPoint p, TMouseButton button = mbLeft, TShiftState shift = 0);
    void DoubleClick(TControl& control, TPoint p, TShiftState shift = 0);
    void Wheel(TControl& control, TPoint p, int delta, TShiftState shift = 0);
    // Keys go to the focused control.
    void KeyDown(uint16_t key, TShiftState shift = 0);
    void KeyUp(uint16_t key, TShiftState shift = 0);
    void Char(char16_t ch);
    // Down and up; a printable character in between.
    void Key(uint16_t key, TShiftState shift = 0, char16_t ch = 0);

    // What a user's resizing of a top-level window does.
    void Resize(TWinControl& window, int width, int height) { window.SetBounds(window.Left(), window.Top(), width, height); }

    // Moves virtual time on, firing every timer that falls due on the way, in order.
    void AdvanceTime(int64_t ms);
    void RunUntilIdle();

    // Runs the loop until idle first, so that the picture is up to date.
    void Snapshot(TWinControl& window, TBitmap& out);
    void SaveSnapshot(TWinControl& window, const std::string& pngPath);

private:
    THeadlessBackend* fBackend;
};

} // namespace qo
