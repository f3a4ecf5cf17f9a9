// The clipboard's text: in-process when no backend serves it, and through a
// backend's system clipboard while one is installed.
#include "platform/widgets/qoClipboard.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

class TFakeHost : public TClipboardHost {
public:
    void SetClipboardText(std::string_view text) override { Text = text; }
    std::string GetClipboardText() override { return Text; }
    std::string Text = "from the system";
};

TEST(Clipboard, KeepsTextInProcessOrGoesThroughTheSystemClipboard) {
    ClipboardSetText("Zeile 1\nÄrger – 中");
    EXPECT_EQ(ClipboardGetText(), "Zeile 1\nÄrger – 中");
    TFakeHost host;
    SetClipboardHost(&host);
    EXPECT_EQ(ClipboardGetText(), "from the system");
    ClipboardSetText("copied");
    EXPECT_EQ(host.Text, "copied");
    SetClipboardHost(nullptr);
    EXPECT_EQ(ClipboardGetText(), "Zeile 1\nÄrger – 中") << "the process's own text was left alone";
    ClipboardSetText("");
}

} // namespace
} // namespace qo
