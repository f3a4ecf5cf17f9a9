// The grid view's keyboard: navigation keys move the focus, F2, Enter and
// typing start an edit, typing that starts none searches the focused column
// (type-ahead, restarted after a second's pause, on the virtual clock), and
// Ctrl+C puts the focused cell's text on the clipboard.
#include "grid/qoBabGridView.h"

#include "data/qoDoLater.h"
#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoClipboard.h"
#include "platform/window/qoBackend.h"

namespace qo {

namespace {
constexpr int64_t TypeAheadPause = 1000; // ms

// Space, digits, letters, and the Latin-1 letters of the Nordic alphabets.
bool StartsAnEdit(char16_t key) {
    if (key == u' ' || (key >= u'0' && key <= u'9') || (key >= u'A' && key <= u'Z') || (key >= u'a' && key <= u'z'))
        return true;
    return key == 0xC4 || key == 0xC5 || key == 0xD6 || key == 0xE4 || key == 0xE5 || key == 0xF6;
}

// Upper case for ASCII and Latin-1, which is what the search compares.
std::u32string Upper(const std::string& text) {
    std::u32string chars = Utf8ToUtf32(text);
    for (char32_t& c : chars)
        if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    return chars;
}
} // namespace

void TBabGridView_Custom::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        TqoOffscreenPaint::WndProc(message);
        message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TqoOffscreenPaint::WndProc(message);
}

TBabDirection TBabGridView_Custom::DirectionOfKey(uint16_t key, TShiftState& shift) const {
    switch (key) {
    case VK_LEFT: return babdirLeft;
    case VK_RIGHT: return babdirRight;
    case VK_UP: return babdirUp;
    case VK_DOWN: return babdirDown;
    case VK_PRIOR: return babdirPageUp;
    case VK_NEXT: return babdirPageDown;
    case VK_RETURN: return babdirInwards;
    case VK_HOME:
    case VK_END: {
        const bool row = shift & ssCtrl;
        shift &= ~ssCtrl;
        if (key == VK_HOME) return row ? babdirHomeRow : babdirHomeCell;
        return row ? babdirEndRow : babdirEndCell;
    }
    default: return babdirNone;
    }
}

void TBabGridView_Custom::KeyNavigate(TBabDirection direction, TShiftState shift) {
    TBabGridCellForViewer* root = MainGrid();
    if (!root->FocusedCell()) {
        const int left = root->Left(), top = root->Top();
        if (left >= 0 && left < root->AxisContentListX()->Count() && top >= 0 && top < root->AxisContentListY()->Count())
            root->SetFocusedCell(root->getCell(left, top));
    }
    Scroll(direction, shift);
}

void TBabGridView_Custom::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoOffscreenPaint::KeyDown(key, shift);
    if (!alive || !key) return;
    if (key == VK_F2) return StartEditing();
    if (key == 'C' && (shift & ssCtrl)) {
        if (TBabCell* cell = MainGrid()->FocusedCellDownTrack()) ClipboardSetText(GetText(cell));
        return;
    }
    const TBabDirection direction = DirectionOfKey(key, shift);
    if (direction != babdirNone) KeyNavigate(direction, shift);
    // Enter brings no character on this platform: its character rule follows here.
    if (alive && key == VK_RETURN) CharTyped(13);
}

void TBabGridView_Custom::KeyPress(char16_t& key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoOffscreenPaint::KeyPress(key);
    if (!alive || !key) return;
    CharTyped(key);
    key = 0;
}

void TBabGridView_Custom::CharTyped(char16_t key) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (fEditing) StopEditing();
    if (!alive) return;
    if (key == 13) {
        TBabCell* focused = MainGrid()->FocusedCellDownTrack();
        if (focused && CellHasButton(focused))
            DoButtonAction(focused);
        else if (fStartEditOnEnter)
            StartEditing();
        return;
    }
    if (!StartsAnEdit(key)) return;
    StartEditing();
    if (!alive) return;
    if (fEditing && fCurrentEditor)
        fCurrentEditor->Perform(WM_CHAR, key, 0);
    else if (fAllowKeyNavigation)
        TypeAhead(key);
}

void TBabGridView_Custom::TypeAhead(char16_t key) {
    const int64_t now = Backend().Clock().Milliseconds();
    if (now - fNaviStringEditTime > TypeAheadPause) fNaviString.clear();
    fNaviStringEditTime = now;
    fNaviString += Utf16ToUtf8(std::u16string(1, key));
    TDoLater::DoLater(DoLaterMethod<&TBabGridView_Custom::DeferredNaviSearch>(this), nullptr);
}

// From the focused row down, then from the top, among the rows at hand.
void TBabGridView_Custom::DeferredNaviSearch(void*) {
    TBabGridCellForViewer* root = MainGrid();
    TAxisContentList* rows = root->AxisContentListY();
    if (!root->FocusedCell()) {
        const int column = fCurrentSortCol ? fCurrentSortCol->ColumnIndex() : root->Left();
        if (column >= 0 && column < root->AxisContentListX()->Count() && rows->IsLoaded(root->Top()))
            root->SetFocusedCell(root->getCell(column, root->Top()));
    }
    TBabCell* focused = root->FocusedCell();
    if (!focused) return;
    const int x = focused->ColumnIndex(), from = focused->RowIndex(), count = rows->Count();
    const std::u32string wanted = Upper(fNaviString);
    for (int i = 0; i < count; ++i) {
        const int y = (from + i) % count;
        if (y < root->FixedRows() || !rows->IsLoaded(y) || rows->Items(y)->Hide()) continue;
        TBabCell* cell = root->getCell(x, y);
        if (!cell || !Upper(GetText(cell)).starts_with(wanted)) continue;
        root->UpdateMultiSelect(cell, 0);
        root->SetFocusedCell(cell);
        MakeSureFocusedIsVisible();
        Invalidate();
        return;
    }
}

} // namespace qo
