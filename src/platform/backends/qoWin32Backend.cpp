#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/backends/qoWin32Backend.h"

#include "platform/backends/qoRunInWindow.h"
#include "platform/backends/qoWin32Clipboard.h"
#include "platform/core/qoModuleEnd.h"
#include "platform/widgets/qoPopupWindow.h"
#include "platform/widgets/qoWidgetDialogs.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoModal.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

// Outside our namespace, where HWND is the system's.
static const HWND MessageOnly = HWND_MESSAGE;
static const HWND TopMost = HWND_TOPMOST;

namespace qo {

namespace {

const wchar_t* const WindowClass = L"qoWin32Window";
const wchar_t* const WakeClass = L"qoWin32Wake";

const wchar_t* CursorOf(TCursor cursor) {
    switch (cursor) {
    case crHSplit:
    case crSizeWE: return IDC_SIZEWE;
    case crVSplit:
    case crSizeNS: return IDC_SIZENS;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeAll:
    case crDrag:
    case crMultiDrag: return IDC_SIZEALL;
    case crHandPoint: return IDC_HAND;
    case crNo:
    case crNoDrop: return IDC_NO;
    case crIBeam: return IDC_IBEAM;
    case crCross: return IDC_CROSS;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass:
    case crSQLWait: return IDC_WAIT;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    default: return IDC_ARROW;
    }
}

// At the module's end no window may be left whose procedure goes with the
// module: the backend goes, and its windows and classes with it.
void EndNativeWindows() {
    if (dynamic_cast<TWin32Backend*>(&Backend())) SetBackend(nullptr);
}

TShiftState CurrentShift() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

} // namespace

struct TWin32Backend::TShown {
    TWinControl* Root = nullptr;
    ::HWND Window = nullptr;
    TKind Kind = wkNormal;
    // A pop-up that closes on a press outside holds the mouse capture while open.
    bool WantsCapture = false;
    // The DIB section that WM_PAINT copies, selected into its own memory DC.
    HDC MemoryDc = nullptr;
    HBITMAP Dib = nullptr;
    HGDIOBJ Previous = nullptr;
    uint32_t* Bits = nullptr;
    int32_t Width = 0, Height = 0;
    bool Dirty = true;
    int Presents = 0;

    ~TShown() {
        if (MemoryDc) SelectObject(MemoryDc, Previous);
        if (Dib) DeleteObject(Dib);
        if (MemoryDc) DeleteDC(MemoryDc);
    }
    void Resize(int32_t width, int32_t height) {
        if (Dib && width == Width && height == Height) return;
        if (Dib) DeleteObject(SelectObject(MemoryDc, Previous));
        Dib = nullptr;
        Bits = nullptr;
        Width = Height = 0;
        if (!MemoryDc) MemoryDc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top down, as our rasters
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        Dib = CreateDIBSection(MemoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!Dib) return;
        Previous = SelectObject(MemoryDc, Dib);
        Bits = static_cast<uint32_t*>(bits);
        Width = width;
        Height = height;
    }
};

struct TWin32Backend::TNative {
    struct TStyle {
        DWORD Style, ExStyle;
        int Show;
    };
    static TStyle StyleOf(TKind kind) {
        switch (kind) {
        case wkPopup: return {WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, SW_SHOWNOACTIVATE};
        case wkDialog: return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, SW_SHOWNORMAL};
        default: return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, SW_SHOWNORMAL};
        }
    }

    static TWin32Backend* BackendOf(::HWND hwnd) {
        return reinterpret_cast<TWin32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

    static ::LRESULT CALLBACK WindowProc(::HWND hwnd, ::UINT msg, ::WPARAM wParam, ::LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        TWin32Backend* backend = BackendOf(hwnd);
        // Messages of a window that we no longer show (it is being destroyed) go to the default.
        TShown* shown = backend ? backend->FindShown(hwnd) : nullptr;
        if (!shown) return DefWindowProcW(hwnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            backend->Forget(hwnd);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        return Handle(*backend, *shown, msg, wParam, lParam);
    }

    static ::LRESULT CALLBACK WakeProc(::HWND hwnd, ::UINT msg, ::WPARAM wParam, ::LPARAM lParam) {
        // The wake-up only ends the wait; the loop does the rest.
        return msg == WM_APP ? 0 : DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    static LRESULT Handle(TWin32Backend& backend, TShown& shown, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (Input(backend, shown, msg, wParam, lParam)) return 0;
        TWinControl& root = *shown.Root;
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(shown.Window, &paint);
            if (shown.Dib) BitBlt(dc, 0, 0, shown.Width, shown.Height, shown.MemoryDc, 0, 0, SRCCOPY);
            EndPaint(shown.Window, &paint);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: {
            const int width = LOWORD(lParam), height = HIWORD(lParam);
            if (wParam != SIZE_MINIMIZED && (width != root.Width() || height != root.Height()))
                root.SetBounds(root.Left(), root.Top(), width, height);
            return 0;
        }
        case WM_MOVE: FollowMove(shown, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
        case WM_MOUSEACTIVATE:
            if (shown.Kind == wkPopup) return MA_NOACTIVATE;
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && backend.fCursor) {
                ::SetCursor(static_cast<HCURSOR>(backend.fCursor));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (shown.Kind == wkDialog) {
                // Closing a dialog is Escape.
                DeliverKeyDown(VK_ESCAPE, 0);
                DeliverKeyUp(VK_ESCAPE, 0);
                return 0;
            }
            backend.fCloseRequested = true;
            MessageQueue().PostQuitMessage();
            return 0;
        default: break;
        }
        return DefWindowProcW(shown.Window, msg, wParam, lParam);
    }

    // Our screen coordinates are the system's: the client area's corner.
    static void FollowMove(TShown& shown, int left, int top) {
        TWinControl& root = *shown.Root;
        if (!IsIconic(shown.Window) && (left != root.Left() || top != root.Top()))
            root.SetBounds(left, top, root.Width(), root.Height());
    }

    // Mouse and keyboard into the input router (a modal widget piece keeps the
    // other windows from them there).
    static bool Input(TWin32Backend& backend, TShown& shown, UINT msg, WPARAM wParam, LPARAM lParam) {
        const bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
        const bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
        if (!mouse && !key) return false;
        TWinControl& root = *shown.Root;
        const TPoint client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const TShiftState shift = CurrentShift();
        switch (msg) {
        case WM_LBUTTONDOWN: return Button(backend, shown, mbLeft, true, client);
        case WM_LBUTTONUP: return Button(backend, shown, mbLeft, false, client);
        case WM_RBUTTONDOWN: return Button(backend, shown, mbRight, true, client);
        case WM_RBUTTONUP: return Button(backend, shown, mbRight, false, client);
        case WM_MBUTTONDOWN: return Button(backend, shown, mbMiddle, true, client);
        case WM_MBUTTONUP: return Button(backend, shown, mbMiddle, false, client);
        case WM_MOUSEMOVE: DeliverMouseMove(root, root.ClientToScreen(client), shift); return true;
        case WM_MOUSEWHEEL: {
            POINT at{client.X, client.Y}; // screen coordinates for the wheel
            ScreenToClient(shown.Window, &at);
            DeliverMouseWheel(root, GET_WHEEL_DELTA_WPARAM(wParam), root.ClientToScreen({at.x, at.y}), shift);
            return true;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: DeliverKeyDown(uint16_t(wParam), shift); return msg == WM_KEYDOWN;
        case WM_KEYUP:
        case WM_SYSKEYUP: DeliverKeyUp(uint16_t(wParam), shift); return msg == WM_KEYUP;
        case WM_CHAR:
            // Printable characters only, as from every backend; keys carry the rest.
            if (wParam >= 0x20 && wParam != 0x7F) DeliverChar(char16_t(wParam));
            return true;
        default: return false;
        }
    }

    // The native capture follows the buttons, so that a drag goes on outside
    // the window; a pop-up that wants every press keeps it.
    static bool Button(TWin32Backend& backend, TShown& shown, TMouseButton button, bool down, TPoint client) {
        const ::HWND window = shown.Window;
        TWinControl& root = *shown.Root;
        if (down) ::SetCapture(window);
        DeliverMouseButton(root, button, down, root.ClientToScreen(client), CurrentShift());
        // The delivery may have hidden the window: `shown` is not used again.
        const TShown* still = backend.FindShown(window);
        const bool anyDown = ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 ||
                             ::GetKeyState(VK_MBUTTON) < 0;
        if (!down && !anyDown && GetCapture() == window && !(still && still->WantsCapture)) ::ReleaseCapture();
        return true;
    }
};

TWin32Backend::TWin32Backend() = default;

std::unique_ptr<TWin32Backend> TWin32Backend::Open() {
    UseWidgetDialogs();
    const HINSTANCE module = ThisModule();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TNative::WindowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WindowClass;
    WNDCLASSEXW wakeClass = windowClass;
    wakeClass.lpfnWndProc = TNative::WakeProc;
    wakeClass.lpszClassName = WakeClass;
    if (!RegisterClassExW(&windowClass)) return nullptr;
    std::unique_ptr<TWin32Backend> backend(new TWin32Backend);
    if (RegisterClassExW(&wakeClass))
        backend->fWakeWindow = CreateWindowExW(0, WakeClass, L"", 0, 0, 0, 0, 0, MessageOnly, nullptr, module, nullptr);
    if (!backend->fWakeWindow) return nullptr; // the destructor unregisters the classes
    backend->fClipboard = std::make_unique<TWin32Clipboard>(backend->fWakeWindow);
    SetClipboardHost(backend->fClipboard.get());
    AtModuleEnd<&EndNativeWindows>();
    return backend;
}

TWin32Backend::~TWin32Backend() {
    if (fClipboard) SetClipboardHost(nullptr);
    while (!fShown.empty()) Hide(*fShown.begin()->first);
    if (fWakeWindow) DestroyWindow(static_cast<::HWND>(fWakeWindow));
    UnregisterClassW(WakeClass, ThisModule());
    UnregisterClassW(WindowClass, ThisModule());
}

void TWin32Backend::Show(TWinControl& root, const std::string& title) {
    if (!fShown.count(&root)) Create(root, title, wkNormal);
}

void TWin32Backend::Create(TWinControl& root, const std::string& title, TKind kind) {
    const TNative::TStyle style = TNative::StyleOf(kind);
    // The client area lies at the control's bounds (screen coordinates); a
    // frame is kept on the screen, and the control follows the window.
    RECT frame{root.Left(), root.Top(), root.Left() + std::max(1, root.Width()), root.Top() + std::max(1, root.Height())};
    AdjustWindowRectEx(&frame, style.Style, FALSE, style.ExStyle);
    if (kind != wkPopup) {
        const TRect screen = ScreenRect();
        OffsetRect(&frame, std::max(0, screen.Left - int(frame.left)), std::max(0, screen.Top - int(frame.top)));
    }
    // Pop-ups and dialogs belong to our first window: above it, and gone with it.
    ::HWND owner = nullptr;
    auto first = std::find_if(fShown.begin(), fShown.end(), [](const auto& entry) { return entry.second->Kind == wkNormal; });
    if (kind != wkNormal && first != fShown.end()) owner = first->second->Window;
    auto shown = std::make_unique<TShown>();
    shown->Root = &root;
    shown->Kind = kind;
    const auto* popup = dynamic_cast<const TqoPopupWindow*>(&root);
    shown->WantsCapture = kind == wkPopup && popup && popup->SwallowOutsidePress;
    TShown& entry = *fShown.emplace(&root, std::move(shown)).first->second;
    entry.Window = CreateWindowExW(style.ExStyle, WindowClass, Wide(title).c_str(), style.Style, frame.left, frame.top,
                                   frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, ThisModule(),
                                   this);
    if (!entry.Window) {
        fShown.erase(&root);
        return;
    }
    ShowWindow(entry.Window, style.Show);
    POINT origin{0, 0};
    ClientToScreen(entry.Window, &origin);
    TNative::FollowMove(entry, origin.x, origin.y);
    if (entry.WantsCapture) ::SetCapture(entry.Window);
    root.InvalidateRect(root.ClientRect(), true);
}

void TWin32Backend::ShowPopup(TWinControl& popup) {
    auto it = fShown.find(&popup);
    if (it == fShown.end()) {
        Create(popup, "", wkPopup);
        return;
    }
    SetWindowPos(it->second->Window, TopMost, popup.Left(), popup.Top(), std::max(1, popup.Width()),
                 std::max(1, popup.Height()), SWP_NOACTIVATE);
}

void TWin32Backend::HidePopup(TWinControl& popup) { Hide(popup); }

TRect TWin32Backend::ScreenRect() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void TWin32Backend::RunModal(TModalLoop& modal) {
    TWinControl* window = modal.Window();
    const bool dialog = window && window->Visible() && !fShown.count(window);
    if (dialog) Create(*window, modal.Request().Caption, wkDialog);
    TBackend::RunModal(modal);
    if (dialog) Hide(*window);
}

void TWin32Backend::Hide(TWinControl& root) {
    auto it = fShown.find(&root);
    if (it == fShown.end()) return;
    // Out of the table first: what the window receives while it goes is dropped.
    std::unique_ptr<TShown> shown = std::move(it->second);
    fShown.erase(it);
    DestroyWindow(shown->Window);
}

uintptr_t TWin32Backend::WindowOf(const TWinControl& root) const {
    auto it = fShown.find(const_cast<TWinControl*>(&root));
    return it == fShown.end() ? 0 : reinterpret_cast<uintptr_t>(it->second->Window);
}

int TWin32Backend::Presents(const TWinControl& root) const {
    auto it = fShown.find(const_cast<TWinControl*>(&root));
    return it == fShown.end() ? 0 : it->second->Presents;
}

void TWin32Backend::Presented(const TWinControl& root, TBitmap& picture) const {
    picture.SetSize(0, 0);
    auto it = fShown.find(const_cast<TWinControl*>(&root));
    if (it == fShown.end() || !it->second->Bits) return;
    const TShown& shown = *it->second;
    picture.SetSize(shown.Width, shown.Height);
    GdiFlush();
    std::memcpy(picture.Raster().Data(), shown.Bits, size_t(shown.Width) * size_t(shown.Height) * 4);
}

void TWin32Backend::Forget(void* hwnd) {
    for (auto it = fShown.begin(); it != fShown.end(); ++it)
        if (it->second->Window == hwnd) {
            fShown.erase(it);
            return;
        }
}

TWin32Backend::TShown* TWin32Backend::FindShown(void* hwnd) {
    for (auto& [root, shown] : fShown)
        if (shown->Window == hwnd) return shown.get();
    return nullptr;
}

void TWin32Backend::WindowChanged(TWinControl& topLevel) {
    auto it = fShown.find(&topLevel);
    if (it != fShown.end()) it->second->Dirty = true;
}

// Our pixels (0x00RRGGBB, rows top down) are a 32-bit DIB's: a plain copy.
void TWin32Backend::Present(TShown& shown) {
    shown.Dirty = false;
    TBitmap picture;
    ComposeWindow(*shown.Root, picture);
    if (picture.Empty()) return;
    shown.Resize(picture.Width(), picture.Height());
    if (!shown.Bits) return;
    GdiFlush();
    std::memcpy(shown.Bits, picture.Raster().Data(), size_t(shown.Width) * size_t(shown.Height) * 4);
    InvalidateRect(shown.Window, nullptr, FALSE);
    ++shown.Presents;
}

void TWin32Backend::PresentDirty() {
    for (auto& [root, shown] : fShown)
        if (shown->Dirty) Present(*shown);
}

void TWin32Backend::WaitForEvents(int64_t timeoutMs) {
    // Only an idle loop shows its windows: every paint of the round is in.
    PresentDirty();
    const DWORD wait = timeoutMs < 0 ? INFINITE : DWORD(std::min<int64_t>(timeoutMs, 1 << 30));
    MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void TWin32Backend::Wake() {
    // A window that is gone makes the post fail, which is all a late worker can ask.
    PostMessageW(static_cast<::HWND>(fWakeWindow), WM_APP, 0, 0);
}

void TWin32Backend::ShowCursor(TCursor cursor) {
    fCursor = LoadCursorW(nullptr, CursorOf(cursor));
    ::SetCursor(static_cast<HCURSOR>(fCursor));
}

void TWin32Backend::Beep() { MessageBeep(MB_OK); }

bool RunInWin32Window(TWinControl& root, const std::string& title) {
    return !HeadlessRequested() && RunShown(TWin32Backend::Open(), root, title);
}

} // namespace qo
#endif
