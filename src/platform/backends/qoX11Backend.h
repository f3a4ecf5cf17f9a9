#pragma once
// A backend on an X11 display: top-level controls show in windows of their
// own, real mouse and keyboard input reaches them through the input router,
// and what they paint goes to the screen whenever the loop falls idle.
#include "platform/window/qoBackend.h"

#include <map>
#include <memory>
#include <string>

namespace qo {

class TX11Display;

class TX11Backend : public TBackend {
public:
    // nullptr when the display cannot be opened (nullptr: $DISPLAY).
    static std::unique_ptr<TX11Backend> Open(const char* displayName = nullptr);
    ~TX11Backend() override;

    TClock& Clock() override { return fClock; }
    bool PollEvents() override;
    void WaitForEvents(int64_t timeoutMs) override;
    void Wake() override;
    void WindowChanged(TWinControl& topLevel) override;
    void ShowCursor(TCursor cursor) override;
    void Beep() override;

    // Shows a top-level control in a window of its own, at its bounds.
    void Show(TWinControl& root, const std::string& title);
    void Hide(TWinControl& root);
    // The X window id of a shown control, 0 otherwise.
    unsigned long WindowOf(const TWinControl& root) const;
    // How often the control's pixels went to the screen.
    int Presents(const TWinControl& root) const;
    // Set when the user closed a window; the default ends the message loop.
    bool CloseRequested() const { return fCloseRequested; }

private:
    struct TShown;
    explicit TX11Backend(std::unique_ptr<TX11Display> display);
    void PresentDirty();
    void Present(TShown& shown);
    void HandleEvent(void* event);
    TShown* FindShown(unsigned long window);

    TRealClock fClock;
    std::unique_ptr<TX11Display> fDisplay;
    std::map<TWinControl*, std::unique_ptr<TShown>> fShown;
    bool fCloseRequested = false;
};

// Shows root in a window on $DISPLAY and runs the message loop until the
// window is closed. False, at once, when there is no display or when
// QO_HEADLESS is set (to anything but 0).
bool RunInX11Window(TWinControl& root, const std::string& title);

} // namespace qo
