// Beside the deferred-call queue (tests/data/qoDoLaterLibrary.cpp), the module
// that the Windows tests unload shows a native window that is still open then.
#include "platform/backends/qoWin32Backend.h"
#include "platform/window/qoPanel.h"

#include <cstdint>

extern "C" __declspec(dllexport) uintptr_t ShowNativeWindow() {
    // Made before the backend: it goes after the module's end took its window.
    static qo::TPanel panel(nullptr);
    std::unique_ptr<qo::TWin32Backend> opened = qo::TWin32Backend::Open();
    if (!opened) return 0;
    qo::TWin32Backend& backend = *opened;
    qo::SetBackend(std::move(opened));
    panel.SetBounds(0, 0, 120, 80);
    backend.Show(panel, "open at unload");
    return backend.WindowOf(panel);
}
