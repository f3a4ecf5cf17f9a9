#pragma once
// The memo: several lines of text, wrapped at the width when WordWrap is on
// (the default), scrolling through the scrollable base (bars as ScrollBars
// allows, none by default). Up, Down, Page Up and Page Down move by row. The
// owner decides what Enter does: with WantReturns (the default) it breaks the
// line; without, Enter is left to the owner and Ctrl+Enter breaks the line.
#include "platform/widgets/qoCustomEdit.h"

namespace qo {

class TMemo : public TqoCustomEdit {
public:
    explicit TMemo(TComponent* owner);

    bool WordWrap() const { return fWordWrap; }
    void SetWordWrap(bool wrap);
    bool WantReturns = true;

    // The lines between the breaks (a wrapped line is one line).
    int LineCount() const;
    std::string Line(int index) const;

protected:
    void LayOut(int width, std::vector<TRow>& rows) const override;
    TTextEffect RowKey(uint16_t key, TShiftState shift) override;

private:
    void WrapLine(int start, int end, int width, std::vector<TRow>& rows) const;

    bool fWordWrap = true;
};

} // namespace qo
