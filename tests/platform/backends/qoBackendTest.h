#pragma once
// What the tests of every real backend share: a control to click and a loop
// that runs on the real clock until something happened.
#include "platform/window/qoClock.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoTimer.h"

#include <functional>

namespace qo::test {

// Paints a blue square and counts the clicks it gets; its events fire as usual.
class TTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Clicks = 0;
    TPoint LastDown;

protected:
    void Paint() override {
        Canvas().Brush().Color = clBlue;
        Canvas().FillRect(ClientRect());
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        LastDown = {x, y};
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void Click() override {
        ++Clicks;
        TCustomControl::Click();
    }
};

// Runs the loop until done() or ten seconds passed on the real clock.
inline bool PumpUntil(const std::function<bool()>& done) {
    TTimer tick(nullptr);
    tick.SetInterval(50);
    tick.SetOnTimer([](TComponent*) {});
    const int64_t deadline = qo::GetTickCount() + 10000;
    while (!done() && qo::GetTickCount() < deadline) MessageQueue().HandleMessage();
    return done();
}

} // namespace qo::test
