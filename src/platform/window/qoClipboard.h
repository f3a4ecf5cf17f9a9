#pragma once
// The clipboard's text, in and out. Without a display it lives in the process;
// a backend with a clipboard of its own (X11: the CLIPBOARD selection) stands
// behind the same two calls.
#include <string>

namespace qo::qoClipboard {

void SetText(const std::string& text);
std::string GetText();

} // namespace qo::qoClipboard
