#include "platform/window/qoBackend.h"

#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/window/qoMessageQueue.h"
#endif

namespace qo {

bool TBackend::PollEvents() {
#ifdef _WIN32
    bool any = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (msg.message == WM_QUIT) {
            MessageQueue().PostQuitMessage();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return any;
#else
    return false;
#endif
}

} // namespace qo
