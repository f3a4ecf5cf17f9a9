#pragma once
// The X11 backend of a test's own virtual display put in place of the
// headless one, and the headless one back afterwards.
#ifndef _WIN32
#include "platform/backends/qoX11Backend.h"
#include "platform/window/qoHeadlessBackend.h"
#include "platform/window/qoMessageQueue.h"

#include <memory>
#include <string>

namespace qo::test {

// Nil when the display does not open.
inline TX11Backend* InstallX11Backend(const std::string& display) {
    std::unique_ptr<TX11Backend> opened = TX11Backend::Open(display.c_str());
    TX11Backend* x11 = opened.get();
    if (!x11) return nullptr;
    SetBackend(std::move(opened));
    MessageQueue().Reset();
    return x11;
}

inline void InstallHeadlessBackend() {
    MessageQueue().Reset();
    SetBackend(std::make_unique<THeadlessBackend>());
}

} // namespace qo::test
#endif
