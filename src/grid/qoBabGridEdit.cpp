#include "grid/qoBabGridEdit.h"

#include "grid/qoBabGridView.h"
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"

namespace qo {

namespace {
// Our platform sends no character for the control keys: their key-downs
// stand for the characters the editing rules speak of.
char16_t ControlCharOf(uint16_t key, TShiftState shift) {
    const bool ctrl = shift & ssCtrl;
    switch (key) {
    case VK_RETURN: return 13;
    case VK_TAB: return 9;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_DELETE: return 0x7F;
    case 'V': return ctrl ? 22 : 0;
    case 'X': return ctrl ? 24 : 0;
    default: return 0;
    }
}
} // namespace

template <class TWidget>
TBabInplace<TWidget>::TBabInplace(TBabGridView_Custom* view) : TWidget(view), fBabGridView(view) {
    this->TabStop = false;
    this->Hide();
    if (!view->IsDesigning()) this->SetParent(view);
}

template <class TWidget> void TBabInplace<TWidget>::Changed() { fBabGridView->EditorChanged(this); }

template <class TWidget> void TBabInplace<TWidget>::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fEditorAlive.Watch();
    if (char16_t ch = ControlCharOf(key, shift); ch && !WidgetTakesKey(key)) {
        fBabGridView->EditorKeyPress(ch, MultiLine(), this);
        if (!alive) return;
        if (!ch) {
            key = 0;
            return;
        }
    }
    if (EditorKeyDown(key, shift)) {
        key = 0;
        return;
    }
    TWidget::KeyDown(key, shift);
}

template <class TWidget> void TBabInplace<TWidget>::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fEditorAlive.Watch();
    fBabGridView->EditorKeyPress(key, MultiLine(), this);
    if (alive && key) TWidget::KeyPress(key);
}

template <class TWidget> void TBabInplace<TWidget>::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        TWidget::WndProc(message);
        message.Result |= DLGC_WANTTAB;
        return;
    }
    const TqoAlive::TWatch alive = fEditorAlive.Watch();
    TWidget::WndProc(message);
    if (message.Msg != WM_KILLFOCUS || !alive || this->IsDestroying() || fBabGridView->IsDestroying()) return;
    if (CommitsOnFocusLoss()) fBabGridView->EditorFocusLost(this);
}

template class TBabInplace<TEdit>;
template class TBabInplace<TMemo>;
template class TBabInplace<TComboBox>;
template class TBabInplace<TCheckBox>;
template class TBabInplace<TDateTimePicker>;

TBabInplaceEditor::TBabInplaceEditor(TBabGridView_Custom* view) : TBabInplace<TEdit>(view) {
    SetBorderStyle(bsNone);
    OnChange = [this](TComponent*) { Changed(); };
}

// Up and Down leave the cell.
bool TBabInplaceEditor::EditorKeyDown(uint16_t key, TShiftState) {
    if (key != VK_UP && key != VK_DOWN) return false;
    BabGridView()->StopEditing();
    return true;
}

// A context-menu request only focuses the editor: it has no menu.
void TBabInplaceEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbRight) {
        if (CanFocus() && !Focused()) SetFocus();
        return;
    }
    TBabInplace<TEdit>::MouseDown(button, shift, x, y);
}

TBabInplaceMemoEditor::TBabInplaceMemoEditor(TBabGridView_Custom* view) : TBabInplace<TMemo>(view) {
    SetBorderStyle(bsNone);
    OnChange = [this](TComponent*) { Changed(); };
}

TBabInplaceComboEditor::TBabInplaceComboEditor(TBabGridView_Custom* view) : TBabInplace<TComboBox>(view) {
    SetStyle(csDropDownList);
    OnChange = [this](TComponent*) { Changed(); };
}

void TBabInplaceComboEditor::StartWith(const std::string& text) {
    fStartText = text;
    if (!SetText(text)) SetItemIndex(-1);
}

std::string TBabInplaceComboEditor::EditText() const { return ItemIndex() >= 0 ? Text() : fStartText; }

bool TBabInplaceComboEditor::CommitsOnFocusLoss() const { return BabGridView()->StopEditOnFocusChange(); }

bool TBabInplaceComboEditor::WidgetTakesKey(uint16_t key) const {
    return DroppedDown() && (key == VK_RETURN || key == VK_ESCAPE);
}

TBabInplaceBoolEditor::TBabInplaceBoolEditor(TBabGridView_Custom* view) : TBabInplace<TCheckBox>(view) {
    SetColor(clWindow);
    OnClick = [this](TComponent*) { Changed(); };
}

TBabInplaceDateTimeEditor::TBabInplaceDateTimeEditor(TBabGridView_Custom* view)
    : TBabInplace<TDateTimePicker>(view) {
    OnChange = [this](TComponent*) {
        fUserChanged = true;
        Changed();
    };
}

void TBabInplaceDateTimeEditor::StartFrom(const std::string& text) {
    fKeptText.clear();
    fUserChanged = false;
    const bool time = Kind() == dtkTime;
    SetDateTime(0);
    if (text.empty()) {
        SetDateTime(time ? 0 : qo::Date());
        return;
    }
    try {
        SetDateTime(time ? StrToTime(text) : TBabGridView_Custom::SafeStrToDate(text));
        SetChecked(true);
    } catch (const EConvertError&) {
        fKeptText = text;
        SetDateTime(time ? 0 : qo::Date());
    }
}

std::string TBabInplaceDateTimeEditor::Format(TDateTime value) const {
    const TFormatSettings& settings = FormatSettings();
    return FormatDateTime(Kind() == dtkTime ? settings.LongTimeFormat : settings.ShortDateFormat, value);
}

std::string TBabInplaceDateTimeEditor::EditText() const {
    if (!fKeptText.empty() && !fUserChanged) return fKeptText;
    if (ShowCheckbox() && !Checked()) return Format(0);
    return Format(Kind() == dtkTime ? Time() : Date());
}

bool TBabInplaceDateTimeEditor::CommitsOnFocusLoss() const { return BabGridView()->StopEditOnFocusChange(); }

bool TBabInplaceDateTimeEditor::WidgetTakesKey(uint16_t key) const {
    return DroppedDown() && (key == VK_RETURN || key == VK_ESCAPE);
}

// Delete empties the value to 0 and commits.
bool TBabInplaceDateTimeEditor::EditorKeyDown(uint16_t key, TShiftState) {
    if (key != VK_DELETE) return false;
    fUserChanged = true;
    SetDateTime(0);
    BabGridView()->StopEditing();
    return true;
}

} // namespace qo
