#pragma once
// The combo box in its drop-down-list style (no free text): the chosen item
// in a box with a drop-down button, the items in a pop-up list below it that
// closes on a click outside. Closed, the arrow keys, Home, End and the page
// keys choose; typing finds the next item that starts with what was typed
// within a second. Open, the keys move through the list, Enter takes the item
// and Escape leaves the choice as it was. A user's choice fires OnChange
// after OnCloseUp; choosing from code fires nothing.
#include "platform/widgets/qoDropDownWindow.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

#include <string>
#include <vector>

namespace qo {

class TqoItemList;

class TComboBox : public TCustomControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    const std::vector<std::string>& Items() const { return fItems; }
    // The choice stays on its item while that exists.
    void SetItems(std::vector<std::string> items);
    // -1: no choice. Other indexes outside the items raise EqoError.
    int ItemIndex() const { return fItemIndex; }
    void SetItemIndex(int index);
    // The chosen item's text; "" without a choice.
    std::string Text() const;
    // Chooses the item with this text (case-insensitive); false when none has it.
    bool SetText(const std::string& text);
    // The rows the open list shows at most; below 1 raises EqoError.
    int DropDownCount() const { return fDropDownCount; }
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool open);
    // The pop-up that holds the list (placed below the box while open).
    TqoDropDownWindow& DropDown() const { return *fDropDown; }

    TNotifyEvent OnChange, OnDropDown, OnCloseUp;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override { Invalidate(); }

private:
    // A user's choice: set, then OnChange when it moved.
    void Choose(int index);
    // Closes the list; take: its item becomes the choice.
    void CloseUp(bool take);
    int TypeAhead(char16_t ch);
    // The first item from index from on (wrapping) that starts with typed; -1 when none.
    int FindPrefix(const std::u32string& typed, int from) const;

    TqoAlive fAlive;
    std::vector<std::string> fItems;
    int fItemIndex = -1;
    int fDropDownCount = 8;
    TqoDropDownWindow* fDropDown;
    TqoItemList* fList;
    std::u32string fTyped;
    int64_t fTypedAt = 0;
};

} // namespace qo
