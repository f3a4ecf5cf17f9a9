#pragma once
// The single-line edit: a caret, a selection made with the mouse or with
// Shift and the arrow keys, Home and End, Ctrl+arrows by word, cut, copy and
// paste through the clipboard, the undo of the last change, a length limit
// and a read-only mode. It claims the arrow keys and characters from the
// dialog keys (Tab too with WantTabs). Every change of its text, by the user
// or by code, fires OnChange.
#include "platform/widgets/qoAlive.h"
#include "platform/widgets/qoTextBuffer.h"
#include "platform/window/qoCustomControl.h"

namespace qo {

enum TBorderStyle { bsNone, bsSingle };

class TEdit : public TCustomControl {
public:
    explicit TEdit(TComponent* owner);

    std::string Text() const { return fBuffer.Text(); }
    void SetText(const std::string& text);
    int MaxLength() const { return fBuffer.MaxLength(); }
    // Negative raises EqoError; 0 lifts the limit. A longer text stays.
    void SetMaxLength(int maxLength) { fBuffer.SetMaxLength(maxLength); }
    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool readOnly) { fReadOnly = readOnly; }
    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Whether the selection shows while another control has the focus.
    bool HideSelection() const { return fHideSelection; }
    void SetHideSelection(bool hide);
    bool WantTabs = false;

    int SelStart() const { return fBuffer.SelStart(); }
    int SelLength() const { return fBuffer.SelLength(); }
    std::string SelText() const { return fBuffer.SelText(); }
    // Clamped into the text.
    void SetSel(int start, int length);
    void SelectAll() { SetSel(0, fBuffer.Length()); }
    // Replaces the selection as typing would, and may be undone.
    void SetSelText(const std::string& text);
    bool CanUndo() const { return fBuffer.CanUndo(); }
    void Undo();
    void CutToClipboard();
    void CopyToClipboard() const { fBuffer.CopyToClipboard(); }
    void PasteFromClipboard();

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override;
    // The text area inside the border.
    TRect TextRect() const;
    // Scrolls to show the caret, repaints and, after a change, fires OnChange.
    void Apply(TTextEffect effect);

private:
    TCanvas& MeasuringCanvas();
    int CharAtX(int x);

    TqoAlive fAlive;
    TqoTextBuffer fBuffer;
    bool fReadOnly = false;
    bool fHideSelection = true;
    TBorderStyle fBorderStyle = bsSingle;
    int fScrollX = 0;
    bool fSelecting = false;
};

} // namespace qo
