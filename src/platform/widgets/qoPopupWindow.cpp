#include "platform/widgets/qoPopupWindow.h"

#include "platform/window/qoBackend.h"

#include <algorithm>

namespace qo {

TqoPopupWindow::TqoPopupWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    ControlStyle |= csOpaque;
}

TqoPopupWindow::~TqoPopupWindow() {
    Destroying();
    RemoveInputWatcher(*this);
    if (fOpen) Backend().HidePopup(*this);
}

void TqoPopupWindow::Popup(const TRect& screenBounds) {
    const TRect screen = Backend().ScreenRect();
    const int width = std::min(screenBounds.Width(), screen.Width());
    const int height = std::min(screenBounds.Height(), screen.Height());
    const int left = std::clamp(screenBounds.Left, screen.Left, screen.Right - width);
    const int top = std::clamp(screenBounds.Top, screen.Top, screen.Bottom - height);
    SetBounds(left, top, width, height);
    fOpen = true;
    Show();
    Invalidate();
    AddInputWatcher(*this);
    Backend().ShowPopup(*this);
}

void TqoPopupWindow::ClosePopup() {
    if (!fOpen) return;
    fOpen = false;
    RemoveInputWatcher(*this);
    Hide();
    Backend().HidePopup(*this);
    OnClosePopup.Fire(this);
}

bool TqoPopupWindow::PressSeen(TWinControl& root, TPoint screen) {
    if (&root == this && ClientRect().Contains(ScreenToClient(screen))) return false;
    const bool swallow = SwallowOutsidePress;
    ClosePopup();
    return swallow;
}

bool TqoPopupWindow::KeySeen(uint16_t key, TShiftState, bool down) {
    if (key != VK_ESCAPE) return false;
    if (down) ClosePopup();
    return true;
}

} // namespace qo
