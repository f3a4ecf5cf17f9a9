#pragma once
// The hidden window of the deferred-call queue on each system. On Windows it is
// one of the system's own windows, so that a host's message loop, which knows
// nothing of ours, serves it; elsewhere it is one of our window table.
#include "platform/window/qoMessages.h"

namespace qo::dolater {

// The window's two messages (the wake-up and the run); false for any other.
bool HandleMessage(UINT msg);
// Registers the class when it is missing or belongs to another procedure (a
// module loaded before at another place), then makes the window: no caption,
// style 0, no size, no parent. 0 when that fails.
HWND CreateHiddenWindow();
// Any thread. False when the window is gone.
bool Post(HWND window, UINT msg);
// On the user-interface thread: the window and its class go.
void DestroyHiddenWindow(HWND window);

} // namespace qo::dolater
