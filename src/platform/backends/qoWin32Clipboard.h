#pragma once
// The clipboard on Windows: text as CF_UNICODETEXT, owned through a window of
// the backend. Lines end in CR LF there, as other programs expect, and in LF
// on our side.
#include "platform/widgets/qoClipboard.h"

namespace qo {

class TWin32Clipboard : public TClipboardHost {
public:
    // owner: the HWND that owns what we put on the clipboard.
    explicit TWin32Clipboard(void* owner) : fOwner(owner) {}

    // Nothing changes when another program keeps the clipboard open.
    void SetClipboardText(std::string_view text) override;
    // Empty when there is no text or the clipboard stays busy.
    std::string GetClipboardText() override;

private:
    bool Open();

    void* fOwner;
};

} // namespace qo
