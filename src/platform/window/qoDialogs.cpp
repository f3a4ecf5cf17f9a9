#include "platform/window/qoDialogs.h"

#include "platform/window/qoBackend.h"
#include "platform/window/qoModal.h"

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
    TModalRecord request;
    request.Text = text;
    request.Caption = caption;
    request.Flags = flags;
    return RunModalPiece(request);
}

void ShowMessage(const std::string& text) { MessageBox(text, "", MB_OK); }

int TrackPopupMenu(const std::vector<std::string>& items, TPoint screen) {
    TModalRecord request;
    request.Kind = TModalRecord::mkPopupMenu;
    request.Items = items;
    request.Point = screen;
    return RunModalPiece(request);
}

void Beep() { Backend().Beep(); }

} // namespace qo
