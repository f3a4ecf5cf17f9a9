#include "platform/window/qoDialogs.h"

#include "platform/window/qoBackend.h"

namespace qo {

int FirstButtonOf(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
    return Backend().MessageBox(text, caption, flags);
}

void ShowMessage(const std::string& text) { MessageBox(text, "", MB_OK); }

int TrackPopupMenu(const std::vector<std::string>& items, TPoint screen) {
    return Backend().PopupMenu(items, screen);
}

void Beep() { Backend().Beep(); }

} // namespace qo
