#pragma once
// A backend on an X11 display: top-level controls show in windows of their
// own, real mouse and keyboard input (text through the input method, so any
// character) reaches them through the input router, and what they paint goes
// to the screen whenever the loop falls idle. Pop-ups are override-redirect
// windows at their screen bounds, a message box is a modal dialog window, and
// the clipboard is the CLIPBOARD selection.
#include "platform/window/qoBackend.h"

#include <map>
#include <memory>
#include <string>

namespace qo {

class TX11Clipboard;
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
    void ShowPopup(TWinControl& popup) override;
    void HidePopup(TWinControl& popup) override;
    TRect ScreenRect() override;
    void Beep() override;
    // A piece with a window that is not shown yet (a message box) shows as a
    // dialog over the other windows while the nested loop runs.
    void RunModal(TModalLoop& modal) override;

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
    enum TKind { wkNormal, wkPopup, wkDialog };
    TShown& Create(TWinControl& root, const std::string& title, TKind kind);
    void HandleKey(TShown& shown, void* event);
    // Our screen coordinates are the display's: a moved window moves its control.
    void FollowConfigure(TShown& shown, int width, int height);

    TRealClock fClock;
    std::unique_ptr<TX11Display> fDisplay;
    std::unique_ptr<TX11Clipboard> fClipboard;
    std::map<TWinControl*, std::unique_ptr<TShown>> fShown;
    bool fCloseRequested = false;
};

// Shows root in a window on $DISPLAY and runs the message loop until the
// window is closed. False, at once, when there is no display or when
// QO_HEADLESS is set (to anything but 0).
bool RunInX11Window(TWinControl& root, const std::string& title);

} // namespace qo
