#include "platform/widgets/qoComboBox.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoItemList.h"
#include "platform/widgets/qoDropDownWindow.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>
#include <cctype>

namespace qo {

namespace {
constexpr int TypeAheadPause = 1000; // ms after which typing starts a new search

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}
} // namespace

TComboBox::TComboBox(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    fDropDown = new TqoDropDownWindow(*this);
    fDropDown->OnCloseUp = [this](TComponent*, bool take) {
        const TqoAlive::TWatch alive = fAlive.Watch();
        Invalidate();
        OnCloseUp.Fire(this);
        if (alive && take) Choose(fList->Selected());
    };
    fList = new TqoItemList(fDropDown, fItems);
    fList->SetParent(fDropDown);
    fList->OnItemClick = [this](TComponent*, int) { CloseUp(true); };
}

TComboBox::~TComboBox() {
    Destroying();
    fDropDown->OnCloseUp.Clear();
    if (fEdit) fEdit->OnExit.Clear();
}

void TComboBox::SetItems(std::vector<std::string> items) {
    const std::string chosen = Text();
    CloseUp(false);
    fItems = std::move(items);
    const auto at = std::find(fItems.begin(), fItems.end(), chosen);
    fItemIndex = fEdit ? IndexOfText(chosen) : fItemIndex >= 0 && at != fItems.end() ? int(at - fItems.begin()) : -1;
    fList->ItemsChanged();
    Invalidate();
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= int(fItems.size()))
        throw EqoError("Item index out of range: " + std::to_string(index) + " (" +
                       std::to_string(fItems.size()) + " items)");
    fItemIndex = index;
    ShowChoiceInEdit();
    Invalidate();
}

std::string TComboBox::Text() const {
    if (fEdit) return fEdit->Text();
    return fItemIndex >= 0 ? fItems[size_t(fItemIndex)] : std::string();
}

int TComboBox::IndexOfText(const std::string& text) const {
    const std::string wanted = Lower(text);
    for (int i = 0; i < int(fItems.size()); ++i)
        if (Lower(fItems[size_t(i)]) == wanted) return i;
    return -1;
}

bool TComboBox::SetText(const std::string& text) {
    const int index = IndexOfText(text);
    if (fEdit) {
        fItemIndex = index;
        SetEditText(text);
    } else if (index >= 0) {
        SetItemIndex(index);
    }
    return index >= 0;
}

void TComboBox::SetDropDownCount(int count) {
    if (count < 1) throw EqoError("DropDownCount must be at least 1: " + std::to_string(count));
    fDropDownCount = count;
}

bool TComboBox::DroppedDown() const { return fDropDown->IsOpen(); }

void TComboBox::SetDroppedDown(bool open) {
    if (open == DroppedDown()) return;
    if (!open) return CloseUp(false);
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnDropDown.Fire(this);
    if (!alive || !Showing()) return;
    const int rows = std::clamp(int(fItems.size()), 1, fDropDownCount);
    fList->SetBounds(1, 1, Width() - 2, rows * fList->ItemHeight());
    fDropDown->DropBelow({fList->Width(), fList->Height()});
    fList->UpdateScrollBars();
    fList->SetSelected(fItemIndex);
    Invalidate();
}

void TComboBox::CloseUp(bool take) { fDropDown->CloseUp(take); }

void TComboBox::Choose(int index) {
    index = fItems.empty() ? -1 : std::clamp(index, -1, int(fItems.size()) - 1);
    if (index == fItemIndex) return;
    fItemIndex = index;
    ShowChoiceInEdit();
    Invalidate();
    OnChange.Fire(this);
}

int TComboBox::TypeAhead(char16_t ch) {
    const int64_t now = Backend().Clock().Milliseconds();
    if (now - fTypedAt > TypeAheadPause) fTyped.clear();
    fTypedAt = now;
    fTyped += char32_t(std::tolower(int(ch)));
    const int current = DroppedDown() ? fList->Selected() : fItemIndex;
    // A first letter looks past the current item, a longer text may stay on it;
    // the same letter again steps on to the next item with it.
    const bool sameLetter = fTyped.find_first_not_of(fTyped[0]) == std::u32string::npos;
    if (int found = FindPrefix(fTyped, fTyped.size() == 1 ? current + 1 : current); found >= 0) return found;
    return sameLetter ? FindPrefix(fTyped.substr(0, 1), current + 1) : -1;
}

int TComboBox::FindPrefix(const std::u32string& typed, int from) const {
    const std::string prefix = Lower(Utf32ToUtf8(typed));
    const int count = int(fItems.size());
    for (int i = 0; i < count; ++i) {
        const int index = (std::max(from, 0) + i) % count;
        if (Lower(fItems[size_t(index)]).starts_with(prefix)) return index;
    }
    return -1;
}

void TComboBox::EnabledChanged() {
    if (fEdit) fEdit->SetEnabled(Enabled());
    Invalidate();
}

void TComboBox::Resize() {
    TCustomControl::Resize();
    PlaceEdit();
}

void TComboBox::Paint() {
    TCanvas& canvas = Canvas();
    TRect rect = ClientRect();
    qoWidgetPaint::Edge(canvas, rect, qoWidgetPaint::edSunken);
    qoWidgetPaint::Fill(canvas, rect, Enabled() ? Color() : clBtnFace);
    const TRect button = ButtonRect();
    qoWidgetPaint::ArrowButton(canvas, button, qoWidgetPaint::arDown, DroppedDown(), Enabled());
    const TRect field{rect.Left + 1, rect.Top + 1, button.Left - 1, rect.Bottom - 1};
    if (fEdit) return;
    const bool marked = Focused() && !DroppedDown();
    if (marked) qoWidgetPaint::Fill(canvas, field, clHighlight);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Color = !Enabled() ? clGrayText : marked ? clHighlightText : Font().Color;
    TRect text{field.Left + 2, field.Top, field.Right, field.Bottom};
    canvas.DrawTextW(Text(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (marked) qoWidgetPaint::FocusRect(canvas, field);
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
    if (alive && button == mbLeft) SetDroppedDown(!DroppedDown());
    if (alive) TCustomControl::MouseDown(button, shift, x, y);
}

void TComboBox::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (alive && key && ListKey(key, shift)) key = 0;
}

bool TComboBox::ListKey(uint16_t key, TShiftState shift) {
    const bool open = DroppedDown();
    if (key == VK_F4 || ((shift & ssAlt) && (key == VK_DOWN || key == VK_UP)) || (open && key == VK_RETURN)) {
        if (open)
            CloseUp(true);
        else
            SetDroppedDown(true);
        return true;
    }
    // In the edit, Home and End move the caret while the list is closed.
    if (fEdit && !open && (key == VK_HOME || key == VK_END)) return false;
    const int current = open ? fList->Selected() : fItemIndex;
    const int page = std::max(1, open ? fList->Height() / fList->ItemHeight() : fDropDownCount) - 1;
    int target;
    switch (key) {
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - page; break;
    case VK_NEXT: target = current + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = int(fItems.size()) - 1; break;
    default: return false;
    }
    target = std::max(0, target);
    if (open)
        fList->SetSelected(target);
    else
        Choose(target);
    return true;
}

void TComboBox::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyPress(key);
    if (!alive || key < u' ' || fEdit) return;
    const int found = TypeAhead(key);
    if (found < 0) return;
    if (DroppedDown())
        fList->SetSelected(found);
    else
        Choose(found);
}

void TComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_KILLFOCUS: {
        const TqoAlive::TWatch alive = fAlive.Watch();
        fDropDown->CloseOnFocusLoss();
        if (!alive) return;
        Invalidate();
        break;
    }
    case WM_SETFOCUS:
        Invalidate();
        // With an edit the focus belongs in it.
        if (fEdit && fEdit->CanFocus()) return fEdit->SetFocus();
        break;
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
