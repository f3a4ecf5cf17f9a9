#include "platform/widgets/qoClipboard.h"

namespace qo {

namespace {
struct TClipboard {
    TClipboardHost* Host = nullptr;
    std::string Text;
};

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
} // namespace

void ClipboardSetText(std::string_view text) {
    TClipboard& clipboard = Clipboard();
    if (clipboard.Host)
        clipboard.Host->SetClipboardText(text);
    else
        clipboard.Text = text;
}

std::string ClipboardGetText() {
    TClipboard& clipboard = Clipboard();
    return clipboard.Host ? clipboard.Host->GetClipboardText() : clipboard.Text;
}

void SetClipboardHost(TClipboardHost* host) { Clipboard().Host = host; }

} // namespace qo
