#pragma once
// The pop-up menu: items, separator lines ("-"), checked and disabled items,
// on the pop-up base. The mouse highlights and a release on an enabled item
// chooses it; Up, Down, Home and End move the highlight past the lines, Enter
// chooses, Escape or a press outside closes. It never takes the focus: while
// open it sees the keys first and keeps them from the focused control.
#include "platform/widgets/qoPopupWindow.h"

#include <string>
#include <vector>

namespace qo {

struct TMenuItem {
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    bool IsLine() const { return Caption == "-"; }
};

using TMenuItemEvent = TqoEvent<void(TComponent* sender, int index)>;

class TPopupMenu : public TqoPopupWindow {
public:
    explicit TPopupMenu(TComponent* owner);

    int ItemCount() const { return static_cast<int>(fItems.size()); }
    // An index outside the items raises EListError.
    const TMenuItem& Item(int index) const;
    int AddItem(const std::string& caption);
    void SetItemChecked(int index, bool checked);
    void SetItemEnabled(int index, bool enabled);
    void ClearItems();

    // Opens with its top-left corner at a screen point; nothing without items.
    void Popup(TPoint screen);
    // The highlighted item, or -1.
    int ItemIndex() const { return fItemIndex; }
    // The item chosen since the last Popup, or -1.
    int ChosenIndex() const { return fChosen; }
    // The item at a client point, or -1 (lines included).
    int ItemAt(TPoint p) const;
    TRect ItemRect(int index) const;
    // Chooses an enabled item as a click would: closes, then reports it.
    void Choose(int index);

    // After the menu closed.
    TMenuItemEvent OnItemClick;

protected:
    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool KeySeen(uint16_t key, TShiftState shift, bool down) override;
    bool CharSeen(char16_t) override { return true; }

private:
    void CheckIndex(int index) const;
    int ItemHeight(int index) const;
    void SetItemIndex(int index);
    // The next item that is not a line, going round, from start in steps of step.
    int NextSelectable(int start, int step) const;
    void PaintItem(TCanvas& canvas, int index);

    std::vector<TMenuItem> fItems;
    int fItemIndex = -1;
    int fChosen = -1;
};

} // namespace qo
