#pragma once
// What a held arrow button does: one step at the press, the next after a first
// delay, then one every repeat delay until it is let go.
#include "platform/window/qoMessages.h"

namespace qo {

class TqoAutoRepeat {
public:
    TqoAutoRepeat(HWND window, uint32_t firstDelay, uint32_t repeatDelay)
        : fWindow(window), fFirstDelay(firstDelay), fRepeatDelay(repeatDelay) {}
    ~TqoAutoRepeat() { Stop(); }
    TqoAutoRepeat(const TqoAutoRepeat&) = delete;
    TqoAutoRepeat& operator=(const TqoAutoRepeat&) = delete;

    void Start();
    void Stop();
    // True for this repeat's WM_TIMER, which arms the next one.
    bool Tick(const TMessage& message);

private:
    static constexpr uintptr_t TimerId = 0x5245; // "RE"
    HWND fWindow;
    uint32_t fFirstDelay, fRepeatDelay;
    bool fRunning = false;
};

} // namespace qo
