#pragma once
// A backend on Windows' own windows: top-level controls show in native windows,
// native input reaches them through the input router, and what they paint is
// copied into a DIB section that the window's WM_PAINT puts on the screen.
// Native messages only feed our loop; its order is the same as everywhere.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoBackend.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace qo {

class TWin32Backend : public TBackend {
public:
    // nullptr when the window classes cannot be registered or no window can be
    // made (no display driver).
    static std::unique_ptr<TWin32Backend> Open();
    // Destroys the windows still shown and unregisters the classes, so that the
    // module can be unloaded afterwards.
    ~TWin32Backend() override;

    TClock& Clock() override { return fClock; }
    void WaitForEvents(int64_t timeoutMs) override;
    // Any thread: a message posted to the backend's hidden window.
    void Wake() override;
    void WindowChanged(TWinControl& topLevel) override;
    void ShowCursor(TCursor cursor) override;
    void Beep() override;

    // Shows a top-level control in a native window whose client area has its bounds.
    void Show(TWinControl& root, const std::string& title);
    void Hide(TWinControl& root);
    // The native window (an HWND) of a shown control, 0 otherwise.
    uintptr_t WindowOf(const TWinControl& root) const;
    // How often the control's pixels went to its window, and the last of them.
    int Presents(const TWinControl& root) const;
    void Presented(const TWinControl& root, TBitmap& picture) const;
    // Set when the user closed a window; the default ends the message loop.
    bool CloseRequested() const { return fCloseRequested; }

private:
    struct TShown;
    // The window procedures and what they need of the system's types.
    struct TNative;
    TWin32Backend() = default;
    void PresentDirty();
    void Present(TShown& shown);
    TShown* FindShown(void* hwnd);

    TRealClock fClock;
    void* fWakeWindow = nullptr;
    std::map<TWinControl*, std::unique_ptr<TShown>> fShown;
    void* fCursor = nullptr;
    bool fCloseRequested = false;
};

// Shows root in a native window and runs the message loop until the window is
// closed. False, at once, when no window can be made or when QO_HEADLESS is set
// (to anything but 0).
bool RunInWin32Window(TWinControl& root, const std::string& title);

} // namespace qo
