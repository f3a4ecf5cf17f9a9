// In-place editing in the grid view: choosing, placing and starting an
// editor over the focused cell, the key rules inside an editor, committing
// and cancelling. Every call into host code (events, the process-wide
// callbacks) may free the view or remove the cell: both are looked at again
// after each.
#include "grid/qoBabGridView.h"

#include "data/qoDoLater.h"
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoInputRouter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qo {

namespace {
TInstallClassEvent gEditStart = nullptr;
TInstallClassEvent gEditEnd = nullptr;

constexpr int MaxPickerHeight = 21;

// A text longer than the editor's limit is shown whole, so that an unchanged
// commit gives it back; the limit holds for what is typed.
void SetWholeText(TqoCustomEdit& edit, const std::string& text) {
    const int limit = edit.MaxLength();
    edit.SetMaxLength(0);
    edit.SetText(text);
    edit.SetMaxLength(limit);
}

// Keys that change an editor's text: Backspace, Ctrl+V, Ctrl+X, Delete and characters.
bool IsModifyingKey(char16_t key) { return key == 8 || key == 22 || key == 24 || key == 0x7F || key >= 32; }
} // namespace

void TBabGridView_Custom::InstallClassEvents(TInstallClassEvent start, TInstallClassEvent end) {
    gEditStart = start;
    gEditEnd = end;
}

void TBabGridView_Custom::ReCreateTBabInplaceDateTimeEditor() {
    if (fEditing && fCurrentEditor && fCurrentEditor == fInplaceDateTimeEditor) {
        // The edit in the old picker ends first.
        const TqoAlive::TWatch alive = fAlive.Watch();
        BreakEditing();
        if (!alive) return;
    }
    delete std::exchange(fInplaceDateTimeEditor, nullptr);
    fInplaceDateTimeEditor = new TBabInplaceDateTimeEditor(this);
}

TDateTime TBabGridView_Custom::SafeStrToDate(const std::string& text, const TFormatSettings& settings) {
    std::string format = settings.ShortDateFormat;
    std::transform(format.begin(), format.end(), format.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    std::string numeric = text;
    if (format.find("MMM") != std::string::npos) {
        for (int month = 1; month <= 12; ++month) {
            const std::string name = FormatDateTime("mmm", EncodeDate(2003, month, 1), settings);
            if (const size_t at = numeric.find(name); !name.empty() && at != std::string::npos)
                numeric = numeric.substr(0, at) + std::to_string(month) + numeric.substr(at + name.size());
        }
    }
    TFormatSettings numbers = settings;
    // The names are numbers now: a run of three or more M reads as the numeric M.
    std::string numericFormat;
    for (size_t i = 0; i < format.size();) {
        size_t run = 0;
        while (i + run < format.size() && format[i + run] == 'M') ++run;
        if (run == 0) {
            numericFormat += format[i++];
            continue;
        }
        numericFormat.append(run >= 3 ? 1 : run, 'M');
        i += run;
    }
    numbers.ShortDateFormat = numericFormat;
    return DateOf(StrToDateTime(numeric, numbers));
}

bool TBabGridView_Custom::EditorCanModify(TBabCell* cell) {
    return OnEditorCanModify ? OnEditorCanModify(this, cell) : EditorCanModifyDefaultValue(cell);
}

std::string TBabGridView_Custom::InitEditor(TWinControl*, TBabCell* cell) { return GetText(cell); }

void TBabGridView_Custom::DeInitEditor(TWinControl* editor, TBabCell* cell, const std::string& text, bool escaped) {
    if (escaped) return;
    fCurrentSortCol = nullptr;
    std::string value = text;
    const TqoAlive::TWatch alive = fAlive.Watch();
    const bool edited = cell == fEditBabSimpleCell;
    OnEditStop.Fire(this, editor, cell->BabCellData(), value);
    // The handler may have freed the view or removed the cell.
    if (!alive || (edited && fEditBabSimpleCell != cell)) return;
    SetText(cell, value);
}

TBabEditorType TBabGridView_Custom::InternalGetEditorType(TBabCell* cell) {
    TBabEditorType type = IsCheckBoxCell(cell) ? babETBool : babETEdit;
    OnChooseEditor.Fire(this, cell->BabCellData(), type);
    // A type that names no editor gets the text editor.
    return type >= babETEdit && type <= babETDateTime ? type : babETEdit;
}

void TBabGridView_Custom::CheckEditLayout(TBabCell* cell, TFont& font) {
    const TLayoutProp* layout = cell->LayoutProp();
    font = Font();
    if (!layout || !layout->UseFontInfo) return;
    font.Name = layout->FontName;
    font.Color = layout->FontColor;
    font.Size = layout->FontSize;
    font.Style = layout->FontStyle;
}

// The focused simple cell when it shows and may change; the layout is
// brought up to date first, so that it lies where it shows.
TBabCell* TBabGridView_Custom::EditableFocusedCell() {
    if (!Showing() || IsDesigning()) return nullptr;
    const TqoAlive::TWatch alive = fAlive.Watch();
    MakeSureFocusedIsVisible();
    if (!alive) return nullptr;
    Repaint();
    TBabCell* cell = alive ? MainGrid()->FocusedCellDownTrack() : nullptr;
    if (!cell || cell->CellType() != babCellTypeSimple || cell->IsFixed() || GetEditRect(cell).IsEmpty()) return nullptr;
    if (cell->AxisContentItemX()->Hide() || cell->AxisContentItemY()->Hide()) return nullptr;
    if (!EditorCanModify(cell) || !alive) return nullptr;
    return MainGrid()->FocusedCellDownTrack() == cell ? cell : nullptr;
}

void TBabGridView_Custom::StartEditing() {
    const bool toggle = std::exchange(fToggleCheckBoxAndEndEdit, false);
    if (fEditing) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TBabCell* cell = EditableFocusedCell();
    if (!cell) return;
    fEditBabSimpleCell = cell;
    const TBabEditorType type = InternalGetEditorType(cell);
    if (!alive || fEditBabSimpleCell != cell) return;
    if (gEditStart) gEditStart(this, cell);
    if (!alive) return;
    fEditing = true;
    fEditorChoise = type;
    if (fEditBabSimpleCell != cell) return BreakEditing();
    cell->getGridCell()->SetFocusedCell(cell);
    cell->getGridCell()->UpdateMultiSelect(cell, 0);
    if (!alive) return;
    if (fEditBabSimpleCell != cell || !fEditing) return BreakEditing();
    StartEditor(type, cell, toggle);
}

void TBabGridView_Custom::StartEditor(TBabEditorType type, TBabCell* cell, bool toggle) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    switch (type) {
    case babETEdit:
    case babETMemo:
    case babETCombo: {
        TWinControl* editor = type == babETEdit   ? static_cast<TWinControl*>(fInplaceEditor)
                              : type == babETMemo ? static_cast<TWinControl*>(fInplaceMemoEditor)
                                                  : static_cast<TWinControl*>(fInplaceComboEditor);
        fCurrentEditor = editor;
        TFont font;
        CheckEditLayout(cell, font);
        editor->SetFont(font);
        const std::string start = InitEditor(editor, cell);
        if (!alive || !fEditing) return;
        if (type == babETCombo)
            fInplaceComboEditor->StartWith(start);
        else
            SetWholeText(*static_cast<TqoCustomEdit*>(editor), start);
        if (alive && fEditing) ShowEditor(editor, cell);
        return;
    }
    case babETBool:
        fCurrentEditor = fInplaceBooleanEditor;
        fInplaceBooleanEditor->SetChecked(IsTrueText(InitEditor(fInplaceBooleanEditor, cell)));
        ShowEditor(fInplaceBooleanEditor, cell);
        if (!alive || !toggle || !fEditing) return;
        fInplaceBooleanEditor->SetChecked(!fInplaceBooleanEditor->Checked());
        StopEditing();
        return;
    case babETDateTime: StartDateTimeEditor(cell); return;
    }
}

void TBabGridView_Custom::StartDateTimeEditor(TBabCell* cell) {
    if (fInplaceDateTimeClearStatesBetweenEdits) ReCreateTBabInplaceDateTimeEditor();
    TBabInplaceDateTimeEditor* editor = fInplaceDateTimeEditor;
    fCurrentEditor = editor;
    TFont font;
    CheckEditLayout(cell, font);
    editor->SetFont(font);
    const TqoAlive::TWatch alive = fAlive.Watch();
    const std::string start = InitEditor(editor, cell);
    if (!alive || !fEditing) return;
    editor->StartFrom(start);
    if (alive && fEditing) ShowEditor(editor, cell);
}

// Over the cell's edit rectangle, shown and focused.
void TBabGridView_Custom::ShowEditor(TWinControl* editor, TBabCell* cell) {
    TRect r = GetEditRect(cell);
    int height = r.Bottom - r.Top + 1;
    if (editor == fInplaceBooleanEditor) {
        r = TRect(r.Left + 1, r.Top + 1, r.Right, r.Bottom);
        height = std::min(r.Bottom - r.Top + 1, MaxPickerHeight);
    } else if (editor == fInplaceDateTimeEditor) {
        height = std::min(height, MaxPickerHeight);
    }
    editor->SetBounds(r.Left, r.Top, r.Right - r.Left, height);
    if (auto* edit = dynamic_cast<TqoCustomEdit*>(editor)) edit->SelectAll();
    const TqoAlive::TWatch alive = fAlive.Watch();
    editor->Show();
    if (alive && fEditing && editor->CanFocus()) editor->SetFocus();
}

std::string TBabGridView_Custom::EditorText(TWinControl* editor) const {
    if (editor == fInplaceDateTimeEditor) return fInplaceDateTimeEditor->EditText();
    if (editor == fInplaceComboEditor) return fInplaceComboEditor->EditText();
    if (editor == fInplaceBooleanEditor) return fInplaceBooleanEditor->EditText();
    auto* edit = dynamic_cast<TqoCustomEdit*>(editor);
    return edit ? edit->Text() : std::string();
}

void TBabGridView_Custom::StopEditing() {
    if (fInsideStopEditing) return;
    if (!fEditing) return StopEditors();
    const TqoAlive::TWatch alive = fAlive.Watch();
    struct TGuard {
        bool& Flag;
        TqoAlive::TWatch Alive;
        ~TGuard() {
            if (Alive) Flag = false;
        }
    } guard{fInsideStopEditing = true, alive};
    if (TBabCell* cell = fEditBabSimpleCell) {
        // The date editor hands the focus back before its value is read.
        if (fCurrentEditor == fInplaceDateTimeEditor && fInplaceDateTimeEditor->Focused() && CanFocus()) SetFocus();
        if (!alive) return;
        const std::string text = EditorText(fCurrentEditor);
        if (fEditing && cell == fEditBabSimpleCell) DeInitEditor(fCurrentEditor, cell, text, false);
        if (!alive || !fEditing) return;
    }
    EndEdit();
}

// A cancel inside a commit waits for the commit, which ends the edit.
void TBabGridView_Custom::BreakEditing() {
    if (fInsideStopEditing) return;
    if (!fEditing) return StopEditors();
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (fEditBabSimpleCell) DeInitEditor(fCurrentEditor, fEditBabSimpleCell, std::string(), true);
    if (alive && fEditing) EndEdit();
}

void TBabGridView_Custom::DeferredBreakEditing(void*) { BreakEditing(); }

void TBabGridView_Custom::EndEdit() {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TBabCell* cell = std::exchange(fEditBabSimpleCell, nullptr);
    fEditing = false;
    fCurrentEditor = nullptr;
    StopEditors();
    if (!alive) return;
    if (gEditEnd) gEditEnd(this, cell);
    if (!alive) return;
    TakeFocusBack();
    Invalidate();
}

void TBabGridView_Custom::StopEditors() {
    const TqoAlive::TWatch alive = fAlive.Watch();
    const std::array<TWinControl*, 5> editors{fInplaceEditor, fInplaceMemoEditor, fInplaceComboEditor,
                                              fInplaceBooleanEditor, fInplaceDateTimeEditor};
    for (TWinControl* editor : editors) {
        if (editor->Focused() && CanFocus()) SetFocus();
        if (!alive) return;
        editor->Hide();
        if (!alive) return;
    }
}

// Only when the focus stayed with the view or went nowhere: a commit caused
// by a click on another control leaves the focus there.
void TBabGridView_Custom::TakeFocusBack() {
    TWinControl* focused = FocusedControl();
    if ((focused && !HasInputFocus()) || Focused() || !CanFocus()) return;
    SetFocus();
}

void TBabGridView_Custom::EditorKeyPress(char16_t& key, bool multiLine, TWinControl* editor) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnInplaceEditKeyPress.Fire(this, key, editor);
    if (!alive) {
        key = 0;
        return;
    }
    if (key >= 32 && key <= 255 && !EditorValidKey(key)) {
        key = 0;
        Beep();
        return;
    }
    if (IsModifyingKey(key) && !(fEditBabSimpleCell && EditorCanModify(fEditBabSimpleCell))) {
        key = 0;
        return;
    }
    if (!alive) {
        key = 0;
        return;
    }
    if ((key == 13 && !multiLine) || key == 9) {
        key = 0;
        StopEditing();
    } else if (key == 27) {
        key = 0;
        BreakEditing();
    }
}

void TBabGridView_Custom::EditorChanged(TWinControl* editor) {
    if (fEditing && editor == fCurrentEditor) OnInplaceEditOnChange.Fire(this, EditorText(editor));
}

void TBabGridView_Custom::EditorFocusLost(TWinControl* editor) {
    if (fEditing && editor == fCurrentEditor) StopEditing();
}

} // namespace qo
