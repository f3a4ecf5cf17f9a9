#pragma once
// Windows by handle: window classes registered by name, top-level windows
// without a parent (hidden ones serve as message targets), and the send and
// post functions of the Windows API.
#include "platform/window/qoMessages.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qo {

// What a handle leads to: a control, a window of a registered class, or an
// allocated message target.
class TWindowTarget {
public:
    virtual ~TWindowTarget() = default;
    virtual LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

struct TWndClass {
    std::string ClassName;
    WNDPROC WndProc = nullptr;
};

// Class names compare without regard to case. Registering a name twice fails;
// unregistering fails while windows of the class exist.
bool RegisterClass(const TWndClass& wndClass);
bool UnregisterClass(const std::string& className);
bool GetClassInfo(const std::string& className, TWndClass& out);

// 0 when the class is not registered. The window receives WM_CREATE. Windows of
// a class are message targets only: they are never shown, whatever the parent.
HWND CreateWindow(const std::string& className, const std::string& caption, uint32_t style, const TRect& bounds,
                  HWND parent);
// Sends WM_DESTROY; posted messages, paints and timers of the window are dropped.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
std::string GetWindowText(HWND hwnd);

// Runs the window's procedure now; from another thread the call is carried to
// the user-interface thread and waits there. 0 for an unknown window.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Any thread. False for an unknown window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A message target of our own, without a class.
using TWndMethod = std::function<void(TMessage&)>;
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND hwnd);

// Controls enter and leave the window table through these.
HWND AttachWindowTarget(TWindowTarget& target);
void DetachWindowTarget(HWND hwnd);
TWindowTarget* FindWindowTarget(HWND hwnd);

} // namespace qo
