#pragma once
// A backend on Windows' own windows: top-level controls show in native windows,
// native input reaches them through the input router, and what they paint is
// copied into a DIB section that the window's WM_PAINT puts on the screen.
// Native messages only feed our loop; its order is the same as everywhere.
// Pop-ups are WS_POPUP windows at their screen bounds that never take the
// activation (a menu's holds the mouse capture, so that a press anywhere closes
// it), a message box is an owned dialog window, and the clipboard is the
// system's (CF_UNICODETEXT). Windowed children are composed into their
// top-level window's pixels, as on every backend: one native window per
// top-level control.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoBackend.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace qo {

class TWin32Clipboard;

class TWin32Backend : public TBackend {
public:
    // nullptr when the window classes cannot be registered or no window can be
    // made (no display driver). At the module's end an installed Win32 backend
    // is replaced by a headless one, so that no window outlives the module.
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
    void ShowPopup(TWinControl& popup) override;
    void HidePopup(TWinControl& popup) override;
    // The whole desktop, every monitor.
    TRect ScreenRect() override;
    void Beep() override;
    // A piece with a window that is not shown yet (a message box) shows as a
    // dialog owned by our first window while the nested loop runs.
    void RunModal(TModalLoop& modal) override;

    // Shows a top-level control in a native window whose client area has its
    // bounds; a moved window moves the control.
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
    enum TKind { wkNormal, wkPopup, wkDialog };
    TWin32Backend();
    void PresentDirty();
    void Present(TShown& shown);
    TShown* FindShown(void* hwnd);
    void Create(TWinControl& root, const std::string& title, TKind kind);
    // A window that the system destroyed without us (with its owner): forgotten.
    void Forget(void* hwnd);

    TRealClock fClock;
    void* fWakeWindow = nullptr;
    std::map<TWinControl*, std::unique_ptr<TShown>> fShown;
    std::unique_ptr<TWin32Clipboard> fClipboard;
    void* fCursor = nullptr;
    bool fCloseRequested = false;
};

// Shows root in a native window and runs the message loop until the window is
// closed. False, at once, when no window can be made or when QO_HEADLESS is set
// (to anything but 0).
bool RunInWin32Window(TWinControl& root, const std::string& title);

} // namespace qo
