#include "platform/window/qoTimer.h"

#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoWindows.h"

namespace qo {

namespace {
constexpr uintptr_t TimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    fWindow = AllocateHWnd([this](TMessage& message) {
        if (message.Msg == WM_TIMER && fEnabled) fOnTimer.Fire(this);
    });
}

TTimer::~TTimer() {
    Destroying();
    DeallocateHWnd(fWindow);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == fEnabled) return;
    fEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t interval) {
    if (interval == fInterval) return;
    fInterval = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    fOnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(fWindow, TimerId);
    if (fInterval != 0 && fEnabled && fOnTimer) SetTimer(fWindow, TimerId, fInterval);
}

} // namespace qo
