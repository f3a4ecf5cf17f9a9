#pragma once
// The text entry that the edit and the memo share, on the scrollable base: a
// caret, a selection made with the mouse or with Shift and the keys, Home and
// End, Ctrl+arrows by word, cut, copy and paste through the clipboard, the
// undo of the last change, a length limit and a read-only mode. The text lies
// in rows (one for an edit; a memo's lines, wrapped when asked); it scrolls
// by rows downwards and by pixels sideways. It claims the arrow keys and
// characters from the dialog keys (Tab too with WantTabs). Every change of
// its text, by the user or by code, fires OnChange.
#include "platform/widgets/qoScrollingControl.h"
#include "platform/widgets/qoTextBuffer.h"

#include <vector>

namespace qo {

enum TBorderStyle { bsNone, bsSingle };

class TqoCustomEdit : public TqoScrollingControl {
public:
    explicit TqoCustomEdit(TComponent* owner);

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
    // Characters [Start, End) of one row; End stops before a line break.
    struct TRow {
        int Start, End;
    };
    // The rows of the text for a text area this wide.
    virtual void LayOut(int width, std::vector<TRow>& rows) const;
    const std::vector<TRow>& Rows() const;
    int RowOf(int pos) const;
    TqoTextBuffer& Buffer() { return fBuffer; }
    const TqoTextBuffer& Buffer() const { return fBuffer; }
    // Keys beyond the shared ones (Up, Down, Enter in a memo); returns what they did.
    virtual TTextEffect RowKey(uint16_t key, TShiftState shift);
    // The character at a point of the text area's row, by x.
    int CharAt(int row, int x) const;
    int RowHeight() const;
    // The text area inside the border of a visible rectangle.
    TRect TextArea(const TRect& visible) const;
    // Scrolls to show the caret, repaints and, after a change, fires OnChange.
    void Apply(TTextEffect effect);

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override;
    void FontChanged() override;
    TqoScrollExtent ScrollExtent(TScrollBarKind axis, const TRect& visible) const override;

    // The rows are laid out again (text, width, font or wrapping changed).
    void LayoutChanged();
    // The window's canvas with the control's font, for measuring.
    TCanvas& MeasuringCanvas() const;

    TqoAlive fAlive;

private:
    std::u32string_view RowChars(int row) const;
    int PosAt(TPoint p) const;
    const std::vector<TRow>& RowsFor(int width) const;

    TqoTextBuffer fBuffer;
    bool fReadOnly = false;
    bool fHideSelection = true;
    TBorderStyle fBorderStyle = bsSingle;
    bool fSelecting = false;
    mutable std::vector<TRow> fRows;
    mutable int fRowsWidth = -1; // -1: laid out for no width yet
};

} // namespace qo
