#ifndef _WIN32
#include "platform/backends/qoX11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <poll.h>

namespace qo {

namespace {
constexpr int FetchTimeoutMs = 1000;
} // namespace

TX11Clipboard::TX11Clipboard(Display* display)
    : fDisplay(display),
      fWindow(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)),
      fClipboard(XInternAtom(display, "CLIPBOARD", False)), fUtf8(XInternAtom(display, "UTF8_STRING", False)),
      fTargets(XInternAtom(display, "TARGETS", False)), fProperty(XInternAtom(display, "QO_CLIPBOARD", False)) {}

TX11Clipboard::~TX11Clipboard() { XDestroyWindow(fDisplay, fWindow); }

void TX11Clipboard::SetClipboardText(std::string_view text) {
    fText = text;
    XSetSelectionOwner(fDisplay, fClipboard, fWindow, CurrentTime);
    fOwner = XGetSelectionOwner(fDisplay, fClipboard) == fWindow;
    XFlush(fDisplay);
}

std::string TX11Clipboard::GetClipboardText() {
    if (fOwner) return fText;
    if (XGetSelectionOwner(fDisplay, fClipboard) == 0) return "";
    XDeleteProperty(fDisplay, fWindow, fProperty);
    XConvertSelection(fDisplay, fClipboard, fUtf8, fProperty, fWindow, CurrentTime);
    XFlush(fDisplay);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FetchTimeoutMs);
    XEvent event;
    while (!XCheckTypedWindowEvent(fDisplay, fWindow, SelectionNotify, &event)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return "";
        pollfd fd{ConnectionNumber(fDisplay), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
    }
    if (event.xselection.property == 0) return "";
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(fDisplay, fWindow, fProperty, 0, 1 << 24, True, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    return text;
}

void TX11Clipboard::AnswerRequest(const void* raw) {
    const XSelectionRequestEvent& request = *static_cast<const XSelectionRequestEvent*>(raw);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // An old client names no property: the target's name serves.
    reply.property = request.property ? request.property : request.target;
    if (request.target == fTargets) {
        const Atom offered[] = {fTargets, fUtf8, XA_STRING};
        XChangeProperty(fDisplay, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (fOwner && (request.target == fUtf8 || request.target == XA_STRING)) {
        XChangeProperty(fDisplay, request.requestor, reply.property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(fText.data()), int(fText.size()));
    } else {
        reply.property = 0;
    }
    XSendEvent(fDisplay, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(fDisplay);
}

bool TX11Clipboard::HandleEvent(const XEvent& event) {
    if (event.xany.window != fWindow) return false;
    if (event.type == SelectionRequest) AnswerRequest(&event.xselectionrequest);
    if (event.type == SelectionClear) {
        fOwner = false;
        fText.clear();
    }
    return true;
}

} // namespace qo
#endif
