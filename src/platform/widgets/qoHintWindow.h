#pragma once
// The hint window: a pop-up without focus that shows its caption on the
// tooltip background, one line per line break (CR, LF or CR LF). A press
// anywhere hides it and goes on where it was aimed.
#include "platform/widgets/qoPopupWindow.h"

namespace qo {

class THintWindow : public TqoPopupWindow {
public:
    explicit THintWindow(TComponent* owner);

    // The size the text needs, words wrapped at maxWidth, at (0, 0).
    TRect CalcHintRect(int maxWidth, const std::string& text);
    // Shows the text at these screen bounds.
    void ActivateHint(const TRect& screenBounds, const std::string& text);

protected:
    void Paint() override;
};

// Every line break as LF, the one that text drawing knows.
std::string NormalizeLineBreaks(const std::string& text);

} // namespace qo
