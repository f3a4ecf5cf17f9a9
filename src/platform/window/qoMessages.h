#pragma once
// Window messages with the numbers and flag values of the Windows API, so that
// a Win32 backend maps them one to one.
#include "platform/core/qoGeometry.h"

#include <cstdint>

namespace qo {

// Handles and message parameters. windows.h, where included first, has its own.
using HWND = uintptr_t;
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

#ifndef WM_PAINT
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETTEXT = 0x000C,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_GETDLGCODE = 0x0087,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_TIMER = 0x0113,
    WM_MOUSEFIRST = 0x0200,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_MOUSELAST = 0x020E,
    WM_CAPTURECHANGED = 0x0215,
    WM_USER = 0x0400,
};

// Key state flags of mouse messages.
enum : WPARAM {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// Answers to WM_GETDLGCODE.
enum : LRESULT {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTCHARS = 0x0080,
};

constexpr int WHEEL_DELTA = 120;
#endif

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Two signed 16-bit coordinates packed as the mouse messages carry them.
constexpr LPARAM PointToLParam(TPoint p) {
    return LPARAM((uint32_t(uint16_t(p.X)) | (uint32_t(uint16_t(p.Y)) << 16)));
}
constexpr TPoint LParamToPoint(LPARAM l) { return {int16_t(uint16_t(l & 0xFFFF)), int16_t(uint16_t((l >> 16) & 0xFFFF))}; }
// The wheel delta sits in the high word of WPARAM, the key flags in the low word.
constexpr WPARAM MakeWheelWParam(int delta, WPARAM keys) { return WPARAM((uint32_t(uint16_t(delta)) << 16) | (keys & 0xFFFF)); }
constexpr int WheelDelta(WPARAM w) { return int16_t(uint16_t((w >> 16) & 0xFFFF)); }

} // namespace qo
