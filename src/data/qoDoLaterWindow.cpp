#include "data/qoDoLaterWindow.h"

#include "data/qoDoLater.h"

#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/window/qoBackend.h"
#else
#include "platform/window/qoWindows.h"
#endif

namespace qo::dolater {

#ifdef _WIN32

namespace {

const wchar_t* const NativeClass = L"TDoLaterWindow";

::LRESULT CALLBACK NativeProc(::HWND hwnd, ::UINT msg, ::WPARAM wParam, ::LPARAM lParam) {
    return HandleMessage(msg) ? 0 : DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

HWND CreateHiddenWindow() {
    const HINSTANCE module = ThisModule();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(module, NativeClass, &existing) && existing.lpfnWndProc != &NativeProc)
        UnregisterClassW(NativeClass, module);
    if (!GetClassInfoExW(module, NativeClass, &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = NativeProc;
        windowClass.hInstance = module;
        windowClass.lpszClassName = NativeClass;
        if (!RegisterClassExW(&windowClass)) return 0;
    }
    return reinterpret_cast<HWND>(CreateWindowExW(0, NativeClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr, module, nullptr));
}

bool Post(HWND window, UINT msg) {
    if (!PostMessageW(reinterpret_cast<::HWND>(window), msg, 0, 0)) return false;
    // Our own loop may be waiting on its backend rather than on the thread's messages.
    WakeBackend();
    return true;
}

void DestroyHiddenWindow(HWND window) {
    DestroyWindow(reinterpret_cast<::HWND>(window));
    // A class left behind would point into a module that may be unloaded.
    UnregisterClassW(NativeClass, ThisModule());
}

#else

namespace {

LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return HandleMessage(msg) ? 0 : DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

HWND CreateHiddenWindow() {
    TWndClass existing;
    if (GetClassInfo(DoLaterWindowClass, existing) && existing.WndProc != &WindowProc)
        UnregisterClass(DoLaterWindowClass);
    if (!GetClassInfo(DoLaterWindowClass, existing) && !RegisterClass({DoLaterWindowClass, &WindowProc})) return 0;
    return CreateWindow(DoLaterWindowClass, "", 0, TRect(), 0);
}

bool Post(HWND window, UINT msg) { return PostMessage(window, msg, 0, 0); }

void DestroyHiddenWindow(HWND window) {
    DestroyWindow(window);
    UnregisterClass(DoLaterWindowClass);
}

#endif

} // namespace qo::dolater
