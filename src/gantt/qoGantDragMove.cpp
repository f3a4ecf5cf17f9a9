// What a drop does: the selection moved in time (snapped) and offered to
// other rows or copied through the host's events, one item resized, a link
// offered; and the scrolling while a drag nears an edge of the chart area.
#include "gantt/qoGant.h"

#include <utility>

namespace qo {

namespace {
constexpr TRect kNoRect{-1, -1, -1, -1};
constexpr int kTopEdge = 4;
constexpr int kBottomEdge = 5;
} // namespace

std::vector<TqoDataEntity*> TGantInteraction::Held(TqoDataEntity* item) {
    return item ? std::vector<TqoDataEntity*>{item} : std::vector<TqoDataEntity*>{};
}

// Every selected item of the chart, rows and layers in their order, where it shows now.
void TGantInteraction::CreateScrollableMoveSnapShot() {
    fSnapShot.clear();
    TqoDataList3lev* all = fGant.fAllDataEntities;
    for (int32_t r = 0; all && r < all->Count(); ++r) {
        TqoDataList2lev* layers = all->Items(r);
        for (int32_t l = 0; layers && l < layers->Count(); ++l) {
            TqoDataList& layer = *layers->Member(l);
            for (int32_t k = 0; k < layer.LoadedCount(); ++k) {
                auto* item = static_cast<TqoDataEntity_GantTime*>(layer.Loaded(k));
                if (item->GetSelected()) fSnapShot.push_back({fGant.RectFromDataEntity(item), item});
            }
        }
    }
}

void TGantInteraction::HandleMoveOfSelected(TPoint drop, TPoint offset, bool copy) {
    if (offset == TPoint{0, 0} || fSnapShot.empty()) return;
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    fDropping = std::exchange(fSnapShot, {});
    // One shift in time for all, from the date under the press to the date under the drop.
    const TDateTime delta = offset.X != 0 ? g.fDateScaler->PixelToDate(drop.X) - fMouseDownDateTime : 0;
    g.fGA->BeginUpdate();
    try {
        for (size_t i = 0; alive && i < fDropping.size(); ++i) MoveOne(fDropping[i], delta, offset, copy);
    } catch (...) {
        if (alive) {
            fDropping.clear();
            g.fGA->EndUpdate();
        }
        throw;
    }
    if (!alive) return;
    fDropping.clear();
    g.fGA->EndUpdate();
}

// An item that did not show when the drag began stays in its row.
void TGantInteraction::MoveOne(const TDrawRect& entry, TDateTime delta, TPoint offset, bool copy) {
    TqoGant_ComBasic& g = fGant;
    TqoDataEntity_GantTime* item = entry.DataEntity;
    if (!item || !item->OwningDataList()) return;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    TGantRow* row = item->Row();
    TDateTime start = item->Start() + delta, stop = item->Stop() + delta;
    g.fSnap->SetCurrentScreenResolution(g.fDateScaler->PixelLenToDate(1));
    g.fSnap->SnapMove(start, stop);
    if (g.fMoveOver12Then24) g.fSnap->SnapMoveTo24HIfMoveOver12H(item->Start(), item->Stop(), start, stop);
    const TRect& r = entry.Rect;
    TGantRow* target = r == kNoRect ? nullptr : g.fRowList->FindRowFromY(offset.Y + r.Top + (r.Bottom - r.Top) / 2);
    if (!target) target = row;
    if (copy) {
        g.OnTimeCopy.Fire(&g, item, row, target, start, stop);
        return;
    }
    if (g.fMoveInTimeWhenMoveRow || target == row) {
        item->SetStart(start);
        item->SetStop(stop);
        item->DoInfoPush();
        if (!alive || !item->OwningDataList()) return;
    }
    if (target != row) g.OnTimeChangeRow.Fire(&g, item, row, target, start, stop);
}

// An end dragged past the other one stops there: the item keeps no negative length.
void TGantInteraction::HandleGrow(TPoint offset, bool left) {
    TqoDataEntity_GantTime* item = std::exchange(fEntity, nullptr);
    if (offset.X == 0 || !item || !item->OwningDataList()) return;
    TqoGant_ComBasic& g = fGant;
    TDateTime start = item->Start(), stop = item->Stop();
    if (left) {
        start = g.fDateScaler->PixelToDate(fOrgRect.Left + offset.X);
        if (start > stop) start = stop;
    } else {
        stop = g.fDateScaler->PixelToDate(fOrgRect.Right + offset.X);
        if (start > stop) stop = start;
    }
    g.fSnap->SetCurrentScreenResolution(g.fDateScaler->PixelLenToDate(1));
    g.fSnap->Snap(start, stop);
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    item->SetStart(start);
    item->SetStop(stop);
    item->DoInfoPush();
}

// The link may end on the item it starts from; on empty space nothing is offered.
void TGantInteraction::HandleDependencyChange(int x, int y) {
    TqoDataEntity_GantTime* from = std::exchange(fEntity, nullptr);
    TqoDataEntity_GantTime* to = fGant.GetDataEntityFromXY(x, y);
    if (!from || !to || !from->OwningDataList()) return;
    TqoKeepAlive<TqoDataEntity> keep({from, to});
    fGant.OnDependencyAction.Fire(from, to);
}

// ---- Scrolling at the edges ----

void TGantInteraction::DoScaleStartStopAdjust(int x) {
    const TTimeItemAutoScroll mode = fGant.fTimeItemAutoScroll;
    if (mode != ttiaHorzAndVert && mode != ttiaHorz) return;
    TqoDateScaler& scaler = *fGant.fDateScaler;
    if (x < 0)
        scaler.StartStepDown();
    else if (x > fGant.fGA->Width())
        scaler.StartStepUp();
    else if (scaler.Stepping())
        scaler.StopStep();
}

void TGantInteraction::DoGridTopBotAdjust(int y) {
    const TTimeItemAutoScroll mode = fGant.fTimeItemAutoScroll;
    TTimer& timer = *fGant.fScrollTimer;
    if ((mode == ttiaHorzAndVert || mode == ttiaVert) &&
        (y <= kTopEdge || y > fGant.fGA->Height() - kBottomEdge)) {
        fScrollDir = y <= kTopEdge ? tsdUp : tsdDown;
        timer.SetEnabled(true);
    } else {
        timer.SetEnabled(false);
    }
}

// One row a tick.
void TGantInteraction::ScrollTimerTick(TComponent*) {
    TqoGant_ComBasic& g = fGant;
    const bool up = fScrollDir == tsdUp;
    if (g.fUseGridNotTree) {
        if (GridNavigation.ScrollRow) GridNavigation.ScrollRow(up);
        return;
    }
    TGantTree& tree = *g.fTree;
    const int pos = tree.ScrollPos(sbVertical) + (up ? -1 : 1);
    if (pos < 0 || pos > tree.MaxScrollPos(sbVertical)) return;
    tree.ScrollTo(sbVertical, pos);
}

} // namespace qo
