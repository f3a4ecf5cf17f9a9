#pragma once
// The clipboard's text, in and out (UTF-8). Headless it lives in the process;
// a backend with a system clipboard (the X11 CLIPBOARD selection) serves it
// instead while it is installed.
#include <string>
#include <string_view>

namespace qo {

void ClipboardSetText(std::string_view text);
std::string ClipboardGetText();

// What a backend with a system clipboard offers.
class TClipboardHost {
public:
    virtual ~TClipboardHost() = default;
    virtual void SetClipboardText(std::string_view text) = 0;
    virtual std::string GetClipboardText() = 0;
};
// nullptr: back to the in-process clipboard.
void SetClipboardHost(TClipboardHost* host);

} // namespace qo
