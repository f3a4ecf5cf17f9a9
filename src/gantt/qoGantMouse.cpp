// The chart area's press, move and release: which drag a press starts, the
// cursor and hint on the way, and the drop at the release. Every host call
// may free the component or delete the pressed item: the state is set before
// it, and the item is read again after it.
#include "gantt/qoGant.h"

#include "platform/window/qoInputRouter.h"

#include <utility>

namespace qo {

namespace {
constexpr int kProximity = 5;
constexpr int kGrowZone = 3;
constexpr int kSmallItem = 9;
constexpr int kDragOutside = 25;

bool Moves(TGantMouseMoveMode mode) { return mode == mmMove || mode == mmCopy; }
bool Grows(TGantMouseMoveMode mode) { return mode == mmGrowLeft || mode == mmGrowRight; }
} // namespace

void TqoOffscreenPaint_GA::WndProc(TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED) OnCaptureLost.Fire(this);
    TqoOffscreenPaint::WndProc(message);
}

TGantInteraction::TGantInteraction(TqoGant_ComBasic& gant) : fGant(gant) {
    TqoOffscreenPaint_GA& ga = *gant.fGA;
    ga.OnMouseDown = TMouseEvent([this](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
        MouseDown(b, s, x, y);
    });
    ga.OnMouseMove = TMouseMoveEvent([this](TComponent*, TShiftState s, int x, int y) { MouseMove(s, x, y); });
    ga.OnMouseUp = TMouseEvent([this](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
        MouseUp(b, s, x, y);
    });
    ga.OnKeyDown = TKeyEvent([this](TComponent*, uint16_t& key, TShiftState s) { KeyDown(key, s); });
    ga.OnCaptureLost = TNotifyEvent([this](TComponent*) { CaptureLost(); });
    ga.OnExit = TNotifyEvent([this](TComponent*) { CaptureLost(); });
    gant.fScrollTimer->SetOnTimer(TNotifyEvent::Bind(this, &TGantInteraction::ScrollTimerTick));
    if (TGraphHintWindow* hint = gant.fHint)
        hint->OnUpdateTextEvent = TOnUpdateTextEvent::Bind(this, &TGantInteraction::HintWantsNewText);
}

TGantInteraction::~TGantInteraction() {
    TqoOffscreenPaint_GA& ga = *fGant.fGA;
    ga.OnMouseDown = nullptr;
    ga.OnMouseMove = nullptr;
    ga.OnMouseUp = nullptr;
    ga.OnKeyDown = nullptr;
    ga.OnCaptureLost = nullptr;
    ga.OnExit = nullptr;
    fGant.fScrollTimer->SetEnabled(false);
    fGant.fScrollTimer->SetOnTimer(nullptr);
    if (TGraphHintWindow* hint = fGant.fHint) hint->OnUpdateTextEvent = nullptr;
}

// ---- Hit tests ----

// A point up to five pixels right of an item counts as on its right end.
TqoDataEntity_GantTime* TGantInteraction::DoProximityCheck(TqoDataEntity_GantTime* item, int x, int y) {
    fOnlyResizeRightDueToProximity = false;
    if (item) return item;
    item = fGant.GetDataEntityFromXY(x - kProximity, y);
    fOnlyResizeRightDueToProximity = item != nullptr;
    return item;
}

// The resize zones are the three pixels inside each end; a small item may
// give them up for moving.
bool TGantInteraction::InGrowArea(TqoDataEntity_GantTime* item, int x, int y, bool& left) {
    const TRect r = fGant.RectFromDataEntity(item);
    left = false;
    if (fOnlyResizeRightDueToProximity) return true;
    if (fGant.fFavourMoveOverResizeOnSmallTimeItems && r.Width() < kSmallItem) return false;
    const TPoint p{x, y};
    left = TRect{r.Left, r.Top, r.Left + kGrowZone, r.Bottom}.Contains(p);
    return left || TRect{r.Right - kGrowZone, r.Top, r.Right, r.Bottom}.Contains(p);
}

TGantRow* TGantInteraction::RowUnderPress(int y) {
    TGantRowList* rows = fGant.fRowList;
    return rows ? rows->FindRowFromY(fMouseDown ? fMouseDownStart.Y : y) : nullptr;
}

void TGantInteraction::HintFor(TqoDataEntity_GantTime* item) {
    if (!fGant.OnHintInfo) return;
    if (item)
        fGant.OnHintInfo(item, item->Start(), item->Stop(), item->Stop() - item->Start());
    else
        fGant.OnHintInfo(nullptr, 0, 0, 0);
}

// ---- Selection ----

// A press on a selected item waits for the release: dragging a selection keeps it.
void TGantInteraction::UpdateMultiSelect(TqoDataEntity_GantTime* item, TShiftState shift, bool onPress) {
    if (onPress) {
        fDeferedSelection = item && item->GetSelected();
        if (!fDeferedSelection) ApplySelection(item, shift);
    } else if (fDeferedSelection) {
        fDeferedSelection = false;
        ApplySelection(item, shift);
    }
}

void TGantInteraction::ApplySelection(TqoDataEntity_GantTime* item, TShiftState shift) {
    const TqoAlive::TWatch alive = fGant.fAlive.Watch();
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    if (!(shift & (ssShift | ssCtrl))) {
        fGant.ClearSelections();
        if (!alive) return;
        if (item && item->OwningDataList()) item->SetSelected(true);
    } else if (item && item->OwningDataList()) {
        item->SetSelected(!item->GetSelected());
    }
    if (alive) fGant.InvalidateGA();
}

// ---- Press ----

void TGantInteraction::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    // Another button pressed during a drag ends it.
    if (fMode != mmNone) MouseMoveModeCancel();
    fMouseMoveModeCancelWasCalled = false;
    fMouseDown = true;
    fMouseDownStart = {x, y};
    fMouseDownOffset = {0, 0};
    if (g.fGA->CanFocus() && !g.fGA->Focused()) g.fGA->SetFocus();
    if (!alive) return;
    g.RefreshOthers(g.fGA);
    fMouseDownDateTime = g.fDateScaler->PixelToDate(x);
    auto pressed = [&g] { return static_cast<TqoDataEntity_GantTime*>(g.fMouseDownDataEntity); };
    g.fMouseDownDataEntity = DoProximityCheck(g.GetDataEntityFromXY(x, y), x, y);
    if (fStickyMode != smDependency) UpdateMultiSelect(pressed(), shift, true);
    if (!alive) return;
    g.OnClickGantArea.Fire(&g, pressed());
    if (!alive) return;
    if (button == mbRight) g.OnRightClickGantArea.Fire(&g, pressed());
    if (!alive) return;
    g.SetActiveDataEntity(pressed());
    if (!alive) return;
    if (button == mbLeft && pressed()) StartMode(pressed(), shift, x, y);
    if (!alive) return;
    fStickyMode = smNone;
    g.OnGantAreaMouseDown.Fire(g.fGA, button, shift, x, y);
    if (alive && fMouseMoveModeCancelWasCalled) fMode = mmNone;
}

void TGantInteraction::StartMode(TqoDataEntity_GantTime* item, TShiftState shift, int x, int y) {
    fEraseOutline = false;
    fMode = mmNone;
    fEntity = nullptr;
    if (fStickyMode == smDependency) {
        fStickyMode = smNone;
        fMode = mmDependency;
        fEntity = item;
        return;
    }
    // The host may answer from its own code, and delete the item there.
    const bool canEdit = item->GetCanEdit();
    if (fGant.fMouseDownDataEntity != item || !canEdit) return;
    bool left = false;
    if (item->IsResizable() && InGrowArea(item, x, y, left)) {
        fOrgRect = fRect = fGant.RectFromDataEntity(item);
        fMode = left ? mmGrowLeft : mmGrowRight;
        fEntity = item;
        return;
    }
    if (!(shift & ssDouble)) fMode = mmMove;
    if (shift & ssCtrl) fMode = mmCopy;
    if (Moves(fMode)) CreateScrollableMoveSnapShot();
}

// ---- Move ----

void TGantInteraction::MouseMove(TShiftState shift, int x, int y) {
    TqoGant_ComBasic& g = fGant;
    if (g.Loading()) return;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TCursor cursor = g.fCursorGantArea;
    fGantMousePosition = {x, y};
    TGantRow* row = RowUnderPress(y);
    if (fStickyMode == smDependency) cursor = g.FDefaultLinkCursor;
    if (fMode == mmDependency) {
        cursor = g.FDefaultLinkCursor;
        DoScaleStartStopAdjust(x);
        DoGridTopBotAdjust(y);
        HandleLocalDependency(x, y);
    } else if (Moves(fMode) && row && (row->TimeItems_CanMove() || row->TimeItems_CanChangeRow())) {
        DoScaleStartStopAdjust(x);
        DoGridTopBotAdjust(y);
        HandleLocalDrag(x, y, row->TimeItems_CanMove(), row->TimeItems_CanChangeRow());
        if (!alive) return;
        const TRect reach{-kDragOutside, -kDragOutside, g.fGA->Width() + kDragOutside, g.fGA->Height() + kDragOutside};
        if (!reach.Contains({x, y}) && g.fStartDragWhenTimeMoveOutside) StartPlatformDrag();
    } else if (Grows(fMode) && row && row->TimeItems_CanResize()) {
        DoScaleStartStopAdjust(x);
        HandleLocalGrow(x, y);
        cursor = crHSplit;
    } else if (fMode == mmNone) {
        cursor = IdleCursor(x, y, cursor);
    }
    if (!alive) return;
    g.fGA->SetCursor(cursor);
    g.OnGantAreaMouseMove.Fire(g.fGA, shift, x, y);
}

// The hint follows the item under the pointer; its resize zones show the split cursor.
TCursor TGantInteraction::IdleCursor(int x, int y, TCursor cursor) {
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TqoDataEntity_GantTime* item = DoProximityCheck(g.GetDataEntityFromXY(x, y), x, y);
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    HintFor(item);
    if (!alive || !item || !item->OwningDataList() || !item->IsResizable()) return cursor;
    bool left = false;
    if (!InGrowArea(item, x, y, left) || !item->GetCanEdit() || !alive) return cursor;
    TGantRow* row = item->OwningDataList() ? item->Row() : nullptr;
    return row && row->TimeItems_CanResize() ? crHSplit : cursor;
}

// The selection leaves the window: the platform's drag takes over.
void TGantInteraction::StartPlatformDrag() {
    EraseOutline();
    fMode = mmNone;
    fMouseDown = false;
    EndAutoScroll();
    fGant.fGA->Invalidate();
    fGant.fGA->BeginDrag(true);
}

void TGantInteraction::EndAutoScroll() {
    fGant.fScrollTimer->SetEnabled(false);
    if (fGant.fDateScaler->Stepping()) fGant.fDateScaler->StopStep();
}

// ---- Release ----

void TGantInteraction::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    EndAutoScroll();
    TGantRow* row = RowUnderPress(y);
    fMouseDown = false;
    fLastMouseUpPos = {x - fMouseDownStart.X, y - fMouseDownStart.Y};
    // The screen is clean and the mode over before any host code runs.
    EraseOutline();
    const TGantMouseMoveMode mode = std::exchange(fMode, mmNone);
    auto finish = [&] {
        HintFor(static_cast<TqoDataEntity_GantTime*>(g.fMouseDownDataEntity));
        if (alive) g.OnGantAreaMouseUp.Fire(g.fGA, button, shift, x, y);
    };
    try {
        if (mode != mmNone) DropMode(mode, x, y, row);
        if (alive) UpdateMultiSelect(static_cast<TqoDataEntity_GantTime*>(g.fMouseDownDataEntity), shift, false);
    } catch (...) {
        if (alive) finish();
        throw;
    }
    if (alive) finish();
}

void TGantInteraction::DropMode(TGantMouseMoveMode mode, int x, int y, TGantRow* row) {
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TPoint offset = fLastMouseUpPos;
    if (mode == mmDependency) {
        HandleDependencyChange(x, y);
    } else if (Moves(mode)) {
        if (row && !row->TimeItems_CanMove()) offset.X = 0;
        if (row && !row->TimeItems_CanChangeRow()) offset.Y = 0;
        HandleMoveOfSelected({x, y}, offset, mode == mmCopy);
        if (alive && offset != TPoint{0, 0}) fDeferedSelection = false;
    } else {
        if (row && !row->TimeItems_CanResize()) offset.X = 0;
        HandleGrow(offset, mode == mmGrowLeft);
    }
    if (alive) g.InvalidateGA();
}

// ---- Cancelling ----

void TGantInteraction::MouseMoveModeCancel() {
    fMouseMoveModeCancelWasCalled = true;
    EraseOutline();
    fMode = mmNone;
    fEntity = nullptr;
    fSnapShot.clear();
    EndAutoScroll();
}

// Losing the mouse mid-drag drops nothing.
void TGantInteraction::CaptureLost() {
    if (fMode != mmNone) MouseMoveModeCancel();
    fMouseDown = false;
}

void TGantInteraction::Forget(TqoDataEntity* item) {
    if (item == fEntity) {
        if (fMode == mmDependency || Grows(fMode)) MouseMoveModeCancel();
        fEntity = nullptr;
    }
    for (TDrawRect& entry : fSnapShot)
        if (entry.DataEntity == item) entry.DataEntity = nullptr;
    for (TDrawRect& entry : fDropping)
        if (entry.DataEntity == item) entry.DataEntity = nullptr;
}

// Rows came, went, opened or closed under a drag: its outline no longer fits.
void TGantInteraction::RowsChanged() {
    if (fMode != mmNone) MouseMoveModeCancel();
}

} // namespace qo
