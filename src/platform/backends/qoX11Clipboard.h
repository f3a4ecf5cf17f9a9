#pragma once
// The clipboard on X11: the CLIPBOARD selection, owned through a window of its
// own that is never shown. Text goes out as UTF8_STRING (or STRING) to whoever
// asks; text from another owner is fetched and waited for, at most a second.
#include "platform/widgets/qoClipboard.h"

#include <string>

// Xlib's own names, without its macros in every file that sees this one.
struct _XDisplay;
union _XEvent;

namespace qo {

class TX11Clipboard : public TClipboardHost {
public:
    explicit TX11Clipboard(_XDisplay* display);
    ~TX11Clipboard() override;

    void SetClipboardText(std::string_view text) override;
    std::string GetClipboardText() override;
    // True when the event was for the clipboard's window.
    bool HandleEvent(const _XEvent& event);

private:
    void AnswerRequest(const void* request);

    _XDisplay* fDisplay;
    unsigned long fWindow;
    unsigned long fClipboard, fUtf8, fTargets, fProperty;
    std::string fText;
    bool fOwner = false;
};

} // namespace qo
