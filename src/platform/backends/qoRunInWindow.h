#pragma once
// What running a control in a window of a real backend comes to, on every
// system: the backend installed for the run, the window shown, the loop run
// until the window is closed, and everything as it was before.
#include "platform/window/qoBackend.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoWinControl.h"

#include <memory>
#include <string>

namespace qo {

// QO_HEADLESS set to anything but 0: no window is wanted.
bool HeadlessRequested();

// False, at once, when the backend could not be opened (nullptr).
template <class TWindowBackend>
bool RunShown(std::unique_ptr<TWindowBackend> opened, TWinControl& root, const std::string& title) {
    if (!opened) return false;
    TWindowBackend& backend = *opened;
    std::shared_ptr<TBackend> previous = SetBackend(std::move(opened));
    backend.Show(root, title);
    if (backend.WindowOf(root)) MessageQueue().Run();
    backend.Hide(root);
    SetBackend(std::move(previous));
    return true;
}

} // namespace qo
