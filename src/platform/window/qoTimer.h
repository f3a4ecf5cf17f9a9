#pragma once
// A timer component: OnTimer every Interval milliseconds of the backend's
// clock while Enabled. It runs only with an interval and a handler.
#include "platform/window/qoComponent.h"
#include "platform/window/qoControl.h"
#include "platform/window/qoMessages.h"

namespace qo {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool enabled);
    uint32_t Interval() const { return fInterval; }
    void SetInterval(uint32_t interval);
    TNotifyEvent OnTimer() const { return fOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

private:
    void UpdateTimer();

    HWND fWindow;
    bool fEnabled = true;
    uint32_t fInterval = 1000;
    TNotifyEvent fOnTimer;
};

} // namespace qo
