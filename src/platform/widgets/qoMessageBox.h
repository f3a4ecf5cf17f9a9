#pragma once
// The message box: a text and the buttons that its flags ask for (OK, OK and
// Cancel, Yes and No, ...), a top-level window that keeps every other window
// from the mouse and the keys while it is up. A button chosen by a click, by
// Enter or Space on the focused button, by its first letter, or Escape (Cancel,
// or OK when that is the only button) sets Result and ends it.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoInputRouter.h"

#include <vector>

namespace qo {

class TMessageBox : public TCustomControl, protected TInputWatcher {
public:
    static constexpr int ButtonWidth = 75, ButtonHeight = 23;

    explicit TMessageBox(TComponent* owner);
    ~TMessageBox() override;

    // Lays the box out for this text and these flags (an unknown button set
    // raises EqoError), shows it and starts taking the input.
    void Setup(const std::string& text, const std::string& caption, uint32_t flags);
    const std::string& Text() const { return fText; }
    // The buttons' identifiers (IDOK, IDCANCEL, ...), left to right.
    const std::vector<int>& Buttons() const { return fButtons; }
    TRect ButtonRect(int index) const;
    int FocusedButton() const { return fFocused; }
    // The chosen button's identifier; 0 while none was chosen.
    int Result() const { return fResult; }
    // Ends the box with this answer: it hides and stops taking the input.
    void Answer(int result);

    TNotifyEvent OnAnswer;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool PressSeen(TWinControl& root, TPoint screen) override;
    bool KeySeen(uint16_t key, TShiftState shift, bool down) override;
    bool CharSeen(char16_t ch) override;

private:
    int ButtonAt(TPoint p) const;
    void SetFocusedButton(int index);
    int EscapeAnswer() const;

    TqoAlive fAlive;
    std::string fText;
    std::vector<int> fButtons;
    TRect fTextRect;
    int fFocused = 0;
    int fPressed = -1;
    int fResult = 0;
    bool fWatching = false;
};

// The caption of a button identifier ("OK", "Cancel", "Yes", ...).
std::string ButtonCaption(int id);

} // namespace qo
