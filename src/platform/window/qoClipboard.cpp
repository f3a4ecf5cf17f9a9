#include "platform/window/qoClipboard.h"

namespace qo::qoClipboard {

namespace {
std::string& Store() {
    static std::string text;
    return text;
}
} // namespace

void SetText(const std::string& text) { Store() = text; }

std::string GetText() { return Store(); }

} // namespace qo::qoClipboard
