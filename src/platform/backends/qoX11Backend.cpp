#ifndef _WIN32
#include "platform/backends/qoX11Backend.h"

#include "platform/backends/qoRunInWindow.h"
#include "platform/backends/qoX11Clipboard.h"
#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoPopupWindow.h"
#include "platform/widgets/qoWidgetDialogs.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoModal.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoMessageQueue.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qo {

// The connection, the pipe that wakes a waiting loop, and the shared cursors.
class TX11Display {
public:
    explicit TX11Display(Display* display) : Handle(display) {
        if (pipe(WakePipe) == 0)
            for (int fd : WakePipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        DeleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
        WindowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
        DialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        OpenInputMethod();
    }
    ~TX11Display() {
        if (Im) XCloseIM(Im);
        for (auto& [id, cursor] : Cursors) XFreeCursor(Handle, cursor);
        XCloseDisplay(Handle);
        for (int fd : WakePipe)
            if (fd >= 0) close(fd);
    }
    Cursor CursorFor(TCursor cursor);
    void OpenInputMethod();
    // An input context for a window, so that keys give any character; nullptr
    // without an input method (keys then give Latin-1 only).
    XIC CreateInputContext(Window window) const {
        if (!Im) return nullptr;
        return XCreateIC(Im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, window, XNFocusWindow,
                         window, nullptr);
    }

    Display* Handle;
    int WakePipe[2] = {-1, -1};
    Atom DeleteAtom, WindowType, DialogType;
    XIM Im = nullptr;
    std::map<TCursor, Cursor> Cursors;
};

namespace {
// The user's input method, or the one built into Xlib when that one is not
// running (it still composes and gives UTF-8).
XIM OpenInputMethodOf(Display* display) {
    XSetLocaleModifiers("");
    if (XIM im = XOpenIM(display, nullptr, nullptr, nullptr)) return im;
    XSetLocaleModifiers("@im=none");
    return XOpenIM(display, nullptr, nullptr, nullptr);
}
} // namespace

void TX11Display::OpenInputMethod() { Im = OpenInputMethodOf(Handle); }

struct TX11Backend::TShown {
    TWinControl* Root = nullptr;
    Window Id = 0;
    GC Gc = nullptr;
    XIC Ic = nullptr;
    TKind Kind = wkNormal;
    // A pop-up that closes on a press outside sees every press, ours or not.
    bool WantsGrab = false;
    bool Dirty = true;
    // Pixels put before the first expose are lost.
    bool Exposed = false;
    int Presents = 0;
};

namespace {

unsigned FontCursorOf(TCursor cursor) {
    switch (cursor) {
    case crHSplit:
    case crSizeWE: return XC_sb_h_double_arrow;
    case crVSplit:
    case crSizeNS: return XC_sb_v_double_arrow;
    case crHandPoint: return XC_hand2;
    case crDrag:
    case crMultiDrag: return XC_fleur;
    case crNo:
    case crNoDrop: return XC_X_cursor;
    case crIBeam: return XC_xterm;
    case crCross: return XC_crosshair;
    case crHourGlass:
    case crSQLWait: return XC_watch;
    case crSizeAll: return XC_fleur;
    default: return XC_left_ptr;
    }
}

uint16_t KeySymToVirtualKey(KeySym sym) {
    if (sym >= XK_a && sym <= XK_z) return uint16_t(VK_A + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z) return uint16_t(VK_A + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9) return uint16_t(VK_0 + (sym - XK_0));
    if (sym >= XK_F1 && sym <= XK_F12) return uint16_t(VK_F1 + (sym - XK_F1));
    switch (sym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Prior: return VK_PRIOR;
    case XK_Next: return VK_NEXT;
    case XK_End: return VK_END;
    case XK_Home: return VK_HOME;
    case XK_Left: return VK_LEFT;
    case XK_Up: return VK_UP;
    case XK_Right: return VK_RIGHT;
    case XK_Down: return VK_DOWN;
    case XK_Insert: return VK_INSERT;
    case XK_Delete: return VK_DELETE;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R: return VK_MENU;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Subtract: return VK_SUBTRACT;
    default: return 0;
    }
}

TShiftState ShiftOf(unsigned state) {
    TShiftState shift = 0;
    if (state & ShiftMask) shift |= ssShift;
    if (state & ControlMask) shift |= ssCtrl;
    if (state & Mod1Mask) shift |= ssAlt;
    return shift;
}

bool ButtonOf(unsigned button, TMouseButton& out) {
    switch (button) {
    case Button1: out = mbLeft; return true;
    case Button2: out = mbMiddle; return true;
    case Button3: out = mbRight; return true;
    default: return false;
    }
}

} // namespace

Cursor TX11Display::CursorFor(TCursor cursor) {
    const unsigned shape = FontCursorOf(cursor);
    auto it = Cursors.find(TCursor(shape));
    if (it == Cursors.end()) it = Cursors.emplace(TCursor(shape), XCreateFontCursor(Handle, shape)).first;
    return it->second;
}

std::unique_ptr<TX11Backend> TX11Backend::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display) return nullptr;
    UseWidgetDialogs();
    return std::unique_ptr<TX11Backend>(new TX11Backend(std::make_unique<TX11Display>(display)));
}

TX11Backend::TX11Backend(std::unique_ptr<TX11Display> display)
    : fDisplay(std::move(display)), fClipboard(std::make_unique<TX11Clipboard>(fDisplay->Handle)) {
    SetClipboardHost(fClipboard.get());
}

TX11Backend::~TX11Backend() {
    SetClipboardHost(nullptr);
    while (!fShown.empty()) Hide(*fShown.begin()->first);
}

void TX11Backend::Show(TWinControl& root, const std::string& title) {
    if (!fShown.count(&root)) Create(root, title, wkNormal);
}

TX11Backend::TShown& TX11Backend::Create(TWinControl& root, const std::string& title, TKind kind) {
    Display* display = fDisplay->Handle;
    const int screen = DefaultScreen(display);
    auto shown = std::make_unique<TShown>();
    shown->Root = &root;
    shown->Kind = kind;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.override_redirect = kind == wkPopup;
    attributes.save_under = kind == wkPopup;
    shown->Id = XCreateWindow(display, RootWindow(display, screen), root.Left(), root.Top(),
                              unsigned(std::max(1, root.Width())), unsigned(std::max(1, root.Height())), 0,
                              CopyFromParent, InputOutput, CopyFromParent,
                              CWBackPixel | CWOverrideRedirect | CWSaveUnder, &attributes);
    XStoreName(display, shown->Id, title.c_str());
    XSelectInput(display, shown->Id,
                 ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | KeyReleaseMask | FocusChangeMask);
    XSetWMProtocols(display, shown->Id, &fDisplay->DeleteAtom, 1);
    if (kind == wkDialog) {
        for (auto& [other, owner] : fShown)
            if (owner->Kind == wkNormal) {
                XSetTransientForHint(display, shown->Id, owner->Id);
                break;
            }
        XChangeProperty(display, shown->Id, fDisplay->WindowType, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&fDisplay->DialogType), 1);
        XSizeHints hints{};
        hints.flags = PPosition | PMinSize | PMaxSize;
        hints.x = root.Left();
        hints.y = root.Top();
        hints.min_width = hints.max_width = root.Width();
        hints.min_height = hints.max_height = root.Height();
        XSetWMNormalHints(display, shown->Id, &hints);
    }
    shown->Ic = fDisplay->CreateInputContext(shown->Id);
    shown->Gc = XCreateGC(display, shown->Id, 0, nullptr);
    XMapRaised(display, shown->Id);
    XFlush(display);
    TShown& created = *shown;
    fShown.emplace(&root, std::move(shown));
    root.InvalidateRect(root.ClientRect(), true);
    return created;
}

void TX11Backend::ShowPopup(TWinControl& popup) {
    auto it = fShown.find(&popup);
    if (it != fShown.end()) {
        XMoveResizeWindow(fDisplay->Handle, it->second->Id, popup.Left(), popup.Top(), unsigned(std::max(1, popup.Width())),
                          unsigned(std::max(1, popup.Height())));
        XRaiseWindow(fDisplay->Handle, it->second->Id);
        XFlush(fDisplay->Handle);
        return;
    }
    const auto* base = dynamic_cast<const TqoPopupWindow*>(&popup);
    Create(popup, "", wkPopup).WantsGrab = base && base->SwallowOutsidePress;
}

void TX11Backend::HidePopup(TWinControl& popup) { Hide(popup); }

TRect TX11Backend::ScreenRect() {
    Display* display = fDisplay->Handle;
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

void TX11Backend::RunModal(TModalLoop& modal) {
    TWinControl* window = modal.Window();
    const bool dialog = window && window->Visible() && !fShown.count(window);
    if (dialog) Create(*window, modal.Request().Caption, wkDialog);
    TBackend::RunModal(modal);
    if (dialog) Hide(*window);
}

void TX11Backend::Hide(TWinControl& root) {
    auto it = fShown.find(&root);
    if (it == fShown.end()) return;
    if (it->second->WantsGrab) XUngrabPointer(fDisplay->Handle, CurrentTime);
    if (it->second->Ic) XDestroyIC(it->second->Ic);
    XFreeGC(fDisplay->Handle, it->second->Gc);
    XDestroyWindow(fDisplay->Handle, it->second->Id);
    XFlush(fDisplay->Handle);
    fShown.erase(it);
}

unsigned long TX11Backend::WindowOf(const TWinControl& root) const {
    auto it = fShown.find(const_cast<TWinControl*>(&root));
    return it == fShown.end() ? 0 : it->second->Id;
}

int TX11Backend::Presents(const TWinControl& root) const {
    auto it = fShown.find(const_cast<TWinControl*>(&root));
    return it == fShown.end() ? 0 : it->second->Presents;
}

TX11Backend::TShown* TX11Backend::FindShown(unsigned long window) {
    for (auto& [root, shown] : fShown)
        if (shown->Id == window) return shown.get();
    return nullptr;
}

void TX11Backend::WindowChanged(TWinControl& topLevel) {
    auto it = fShown.find(&topLevel);
    if (it != fShown.end()) it->second->Dirty = true;
}

void TX11Backend::Present(TShown& shown) {
    if (!shown.Exposed) return;
    shown.Dirty = false;
    TBitmap picture;
    ComposeWindow(*shown.Root, picture);
    if (picture.Empty()) return;
    Display* display = fDisplay->Handle;
    const int screen = DefaultScreen(display);
    // Our pixels are 0x00RRGGBB, which is what a 24-bit true-colour visual takes.
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), unsigned(DefaultDepth(display, screen)),
                                 ZPixmap, 0, reinterpret_cast<char*>(picture.Raster().Data()),
                                 unsigned(picture.Width()), unsigned(picture.Height()), 32, 0);
    if (!image) return;
    XPutImage(display, shown.Id, shown.Gc, image, 0, 0, 0, 0, unsigned(picture.Width()), unsigned(picture.Height()));
    image->data = nullptr; // the bitmap owns the pixels
    XDestroyImage(image);
    XSync(display, False);
    ++shown.Presents;
}

void TX11Backend::PresentDirty() {
    for (auto& [root, shown] : fShown)
        if (shown->Dirty) Present(*shown);
}

bool TX11Backend::PollEvents() {
    bool any = false;
    while (XPending(fDisplay->Handle) > 0) {
        XEvent event;
        XNextEvent(fDisplay->Handle, &event);
        // The input method may take a key (a compose sequence in progress).
        if (XFilterEvent(&event, 0)) continue;
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        if (!fClipboard->HandleEvent(event)) HandleEvent(&event);
        any = true;
    }
    return any;
}

void TX11Backend::HandleEvent(void* raw) {
    XEvent& event = *static_cast<XEvent*>(raw);
    TShown* shown = FindShown(event.xany.window);
    if (!shown) return;
    TWinControl& root = *shown->Root;
    switch (event.type) {
    case Expose:
        shown->Exposed = true;
        shown->Dirty = true;
        break;
    case ConfigureNotify:
        FollowConfigure(*shown, event.xconfigure.width, event.xconfigure.height);
        break;
    case ButtonPress:
    case ButtonRelease: {
        const TPoint screen = root.ClientToScreen({event.xbutton.x, event.xbutton.y});
        const TShiftState shift = ShiftOf(event.xbutton.state);
        TMouseButton button;
        if (ButtonOf(event.xbutton.button, button))
            DeliverMouseButton(root, button, event.type == ButtonPress, screen, shift);
        else if (event.type == ButtonPress && (event.xbutton.button == Button4 || event.xbutton.button == Button5))
            DeliverMouseWheel(root, event.xbutton.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA, screen, shift);
        break;
    }
    case MotionNotify:
        DeliverMouseMove(root, root.ClientToScreen({event.xmotion.x, event.xmotion.y}), ShiftOf(event.xmotion.state));
        break;
    case KeyPress:
    case KeyRelease:
        HandleKey(*shown, &event);
        break;
    case MapNotify:
        // Only a viewable window can take the pointer.
        if (shown->WantsGrab)
            XGrabPointer(fDisplay->Handle, shown->Id, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                         GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
        break;
    case FocusIn:
        if (shown->Ic) XSetICFocus(shown->Ic);
        break;
    case FocusOut:
        if (shown->Ic) XUnsetICFocus(shown->Ic);
        break;
    case ClientMessage:
        if (Atom(event.xclient.data.l[0]) == fDisplay->DeleteAtom && shown->Kind == wkDialog) {
            // Closing a dialog is Escape.
            DeliverKeyDown(VK_ESCAPE, 0);
            DeliverKeyUp(VK_ESCAPE, 0);
        } else if (Atom(event.xclient.data.l[0]) == fDisplay->DeleteAtom) {
            fCloseRequested = true;
            MessageQueue().PostQuitMessage();
        }
        break;
    default: break;
    }
}

void TX11Backend::FollowConfigure(TShown& shown, int width, int height) {
    TWinControl& root = *shown.Root;
    int left = root.Left(), top = root.Top();
    if (shown.Kind != wkPopup) {
        Window child = 0;
        XTranslateCoordinates(fDisplay->Handle, shown.Id, DefaultRootWindow(fDisplay->Handle), 0, 0, &left, &top,
                              &child);
    }
    if (left != root.Left() || top != root.Top() || width != root.Width() || height != root.Height())
        root.SetBounds(left, top, width, height);
}

void TX11Backend::HandleKey(TShown& shown, void* raw) {
    XKeyEvent& event = static_cast<XEvent*>(raw)->xkey;
    char text[64] = {};
    KeySym sym = 0;
    int length = 0;
    // The input context reads presses only; a release needs the key alone.
    if (shown.Ic && event.type == KeyPress) {
        Status status = 0;
        length = Xutf8LookupString(shown.Ic, &event, text, sizeof text - 1, &sym, &status);
        if (status != XLookupChars && status != XLookupBoth) length = 0;
        if (status == XLookupChars) sym = 0;
    } else {
        length = XLookupString(&event, text, sizeof text - 1, &sym, nullptr);
        // Without an input context the bytes are Latin-1.
        const std::u16string latin1(text, text + std::max(length, 0));
        const std::string utf8 = Utf16ToUtf8(latin1);
        length = int(std::min(utf8.size(), sizeof text - 1));
        std::copy_n(utf8.data(), length, text);
    }
    const uint16_t key = KeySymToVirtualKey(sym);
    const TShiftState shift = ShiftOf(event.state);
    if (event.type == KeyRelease) {
        if (key) DeliverKeyUp(key, shift);
        return;
    }
    if (key) DeliverKeyDown(key, shift);
    for (char16_t ch : Utf8ToUtf16(std::string_view(text, size_t(std::max(length, 0)))))
        if (ch >= 0x20 && ch != 0x7F) DeliverChar(ch);
}

void TX11Backend::WaitForEvents(int64_t timeoutMs) {
    // Only an idle loop shows its windows: every paint of the round is in.
    PresentDirty();
    if (XPending(fDisplay->Handle) > 0) return;
    pollfd fds[2] = {{ConnectionNumber(fDisplay->Handle), POLLIN, 0}, {fDisplay->WakePipe[0], POLLIN, 0}};
    poll(fds, 2, timeoutMs < 0 ? -1 : int(std::min<int64_t>(timeoutMs, 1 << 30)));
    char drain[64];
    while (read(fDisplay->WakePipe[0], drain, sizeof drain) > 0) {
    }
}

void TX11Backend::Wake() {
    const char byte = 1;
    // A full pipe already wakes the loop.
    [[maybe_unused]] ssize_t written = write(fDisplay->WakePipe[1], &byte, 1);
}

void TX11Backend::ShowCursor(TCursor cursor) {
    const Cursor shape = fDisplay->CursorFor(cursor);
    for (auto& [root, shown] : fShown) XDefineCursor(fDisplay->Handle, shown->Id, shape);
}

void TX11Backend::Beep() { XBell(fDisplay->Handle, 0); }

bool RunInX11Window(TWinControl& root, const std::string& title) {
    return !HeadlessRequested() && RunShown(TX11Backend::Open(), root, title);
}

} // namespace qo
#endif
