// The combo box's drop-down style: an edit in the box for free text that
// completes itself from the items.
#include "platform/widgets/qoComboBox.h"

#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoItemList.h"
#include "platform/widgets/qoScrollBar.h"

namespace qo {

TRect TComboBox::ButtonRect() const {
    constexpr int border = 2;
    return {Width() - border - TScrollBar::DefaultThickness, border, Width() - border, Height() - border};
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == Style()) return;
    CloseUp(false);
    if (style == csDropDownList) {
        const bool focused = fEdit->Focused();
        delete fEdit;
        fEdit = nullptr;
        if (focused) SetFocus();
    } else {
        fEdit = new TEdit(this);
        fEdit->SetBorderStyle(bsNone);
        fEdit->SetParent(this);
        fEdit->SetEnabled(Enabled());
        fEdit->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState shift) {
            if (ListKey(key, shift)) key = 0;
        };
        fEdit->OnKeyPress = [this](TComponent*, char16_t& key) { fCompleting = fAutoComplete && key >= u' '; };
        fEdit->OnChange = [this](TComponent*) { EditChanged(); };
        fEdit->OnExit = [this](TComponent*) { fDropDown->CloseOnFocusLoss(); };
        PlaceEdit();
        ShowChoiceInEdit();
        if (Focused()) fEdit->SetFocus();
    }
    Invalidate();
}

void TComboBox::PlaceEdit() {
    if (!fEdit) return;
    const TRect button = ButtonRect();
    const int height = std::min(fEdit->Height(), Height() - 6);
    fEdit->SetBounds(4, (Height() - height) / 2, std::max(0, button.Left - 5), height);
}

void TComboBox::SetEditText(const std::string& text) {
    fSettingEdit = true;
    fEdit->SetText(text);
    fEdit->SelectAll();
    fSettingEdit = false;
}

void TComboBox::ShowChoiceInEdit() {
    if (fEdit && fItemIndex >= 0) SetEditText(fItems[size_t(fItemIndex)]);
}

void TComboBox::EditChanged() {
    if (fSettingEdit) return;
    const bool completing = fCompleting;
    fCompleting = false;
    std::string text = fEdit->Text();
    // Typing at the end completes the text with the rest of the first item it begins, selected.
    if (completing && fEdit->SelStart() == int(Utf8ToUtf32(text).size()) && !text.empty()) {
        const int found = FindPrefix(Utf8ToUtf32(text), 0);
        if (found >= 0) {
            const std::u32string item = Utf8ToUtf32(fItems[size_t(found)]);
            const int typed = int(Utf8ToUtf32(text).size());
            fSettingEdit = true;
            fEdit->SetText(text + Utf32ToUtf8(item.substr(size_t(typed))));
            fEdit->SetSel(typed, int(item.size()) - typed);
            fSettingEdit = false;
            text = fEdit->Text();
        }
    }
    fItemIndex = IndexOfText(text);
    if (DroppedDown()) fList->SetSelected(fItemIndex);
    OnChange.Fire(this);
}

} // namespace qo
