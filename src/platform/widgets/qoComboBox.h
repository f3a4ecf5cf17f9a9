#pragma once
// The combo box: the chosen item in a box with a drop-down button, the items
// in a pop-up list below it that closes on a click outside. In the drop-down
// list style (no free text) the arrow keys, Home, End and the page keys
// choose while it is closed, and typing finds the next item that starts with
// what was typed within a second. In the drop-down style an edit in the box
// takes any text; typing at its end completes it with the first item it
// begins (the completion selected), and the up and down keys choose items.
// Open, the keys move through the list, Enter takes the item and Escape
// leaves the choice as it was. A user's choice fires OnChange after
// OnCloseUp, and in the drop-down style each change of the text by the user
// fires it too; choosing from code fires nothing.
#include "platform/widgets/qoDropDownWindow.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

#include <string>
#include <vector>

namespace qo {

class TqoItemList;
class TEdit;

enum TComboBoxStyle { csDropDown, csDropDownList };

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
    // The chosen item's text, "" without a choice; the edit's text in the drop-down style.
    std::string Text() const;
    // Chooses the item with this text (case-insensitive); false when none has it.
    // In the drop-down style the edit takes the text all the same.
    bool SetText(const std::string& text);
    TComboBoxStyle Style() const { return fEdit ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle style);
    // Whether typing in the drop-down style completes the text from the items.
    bool AutoComplete() const { return fAutoComplete; }
    void SetAutoComplete(bool complete) { fAutoComplete = complete; }
    // The edit of the drop-down style; null in the drop-down list style.
    TEdit* Edit() const { return fEdit; }
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
    void EnabledChanged() override;
    void Resize() override;

private:
    TRect ButtonRect() const;
    // The keys that choose or open and close the list, from the box or its edit; true when used.
    bool ListKey(uint16_t key, TShiftState shift);
    int IndexOfText(const std::string& text) const;
    void PlaceEdit();
    // Sets the edit's text from code, all selected, without completing or notifying.
    void SetEditText(const std::string& text);
    void ShowChoiceInEdit();
    void EditChanged();
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
    TEdit* fEdit = nullptr;
    bool fAutoComplete = true;
    bool fCompleting = false;  // the edit's next change is a character typed
    bool fSettingEdit = false; // the edit's text is being set from here
    std::u32string fTyped;
    int64_t fTypedAt = 0;
};

} // namespace qo
