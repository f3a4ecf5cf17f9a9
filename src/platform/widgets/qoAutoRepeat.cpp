#include "platform/widgets/qoAutoRepeat.h"

#include "platform/window/qoMessageQueue.h"

namespace qo {

void TqoAutoRepeat::Start() {
    fRunning = true;
    SetTimer(fWindow, TimerId, fFirstDelay);
}

void TqoAutoRepeat::Stop() {
    if (!fRunning) return;
    fRunning = false;
    KillTimer(fWindow, TimerId);
}

bool TqoAutoRepeat::Tick(const TMessage& message) {
    if (message.Msg != WM_TIMER || message.WParam != TimerId) return false;
    if (fRunning) SetTimer(fWindow, TimerId, fRepeatDelay);
    return true;
}

} // namespace qo
