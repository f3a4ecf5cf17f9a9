// Properties that reach more than one part: colours shared by the panels
// around a part, and tree settings that the grid mirrors.
#include "gantt/qoGant.h"

namespace qo {

void TqoGant_ComBasic::SetGantBackColor(TColor color) {
    fBackColor = color;
    ReInitBitmap();
    InvalidateGA();
}

void TqoGant_ComBasic::SetGantPyjamasColor(TColor color) {
    fPyjamasColor = color;
    ReInitBitmap();
    InvalidateGA();
}

void TqoGant_ComBasic::SetCursorGantArea(TCursor cursor) {
    fCursorGantArea = cursor;
    fGA->SetCursor(cursor);
}

void TqoGant_ComBasic::SetColorScaler(TColor color) {
    fDateScaler->SetColor(color);
    fPanelScaleAndGantHolder->SetColor(color);
    fPanelAboveTree->SetColor(color);
    fPanelAboveScroll->SetColor(color);
    SetColor(color);
}

void TqoGant_ComBasic::SetColorTree(TColor color) {
    fTree->SetColor(color);
    fPanelTreeHolder->SetColor(color);
    if (fGrid) fGrid->Control().SetColor(color);
}

void TqoGant_ComBasic::SetMultiSelectTree(bool on) {
    fTree->SetMultiSelect(on);
    if (fGrid) fGrid->SetMultiSelect(on);
}

TCursor TqoGant_ComBasic::CursorTree() const {
    return fUseGridNotTree ? fGrid->Control().Cursor() : fTree->Cursor();
}

void TqoGant_ComBasic::SetCursorTree(TCursor cursor) {
    fTree->SetCursor(cursor);
    if (fGrid) fGrid->Control().SetCursor(cursor);
}

void TqoGant_ComBasic::SetDragModeTree(TDragMode mode) {
    fTree->DragMode = mode;
    if (fGrid) fGrid->Control().DragMode = mode;
}

} // namespace qo
