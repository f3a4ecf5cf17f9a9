// Stepping between items with the keys: left and right along one layer of a
// row, home and end to its ends, up and down through the header's rows, space
// to toggle; and the hint's text for an item.
#include "gantt/qoGant.h"

#include "platform/core/qoDateFormat.h"

#include <cmath>

namespace qo {

namespace {
constexpr TDateTime kEndOfTime = 268435455.0;

// The visible items of a layer, as the keys see them.
template <class F> void ForEachVisible(TqoDataList* list, F visit) {
    for (int32_t k = 0; list && k < list->LoadedCount(); ++k) {
        auto* item = static_cast<TqoDataEntity_GantTime*>(list->Loaded(k));
        if (item->GetVisible()) visit(item);
    }
}

TDateTime Middle(const TqoDataEntity_GantTime* item) { return (item->Start() + item->Stop()) / 2; }
} // namespace

TqoDataEntity_GantTime* TGantInteraction::FindNeighbourClosest(TqoDataList* list, TqoDataEntity_GantTime* item) {
    const TDateTime middle = item ? Middle(item) : (fGant.Start() + fGant.Stop()) / 2;
    TqoDataEntity_GantTime* best = nullptr;
    double bestDistance = 0;
    ForEachVisible(list, [&](TqoDataEntity_GantTime* candidate) {
        const double distance = std::abs(Middle(candidate) - middle);
        if (!best || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    });
    return best;
}

// To the right the nearest start after the item's stop; to the left an item
// ending before the item's start, a later one taking over when it starts
// after the one found stops.
TqoDataEntity_GantTime* TGantInteraction::FindNeighbourToRightLeft(TqoDataList* list, TqoDataEntity_GantTime* item,
                                                                   bool toRight) {
    const TDateTime before = item ? item->Start() : kEndOfTime, after = item ? item->Stop() : 0.0;
    TqoDataEntity_GantTime* best = nullptr;
    ForEachVisible(list, [&](TqoDataEntity_GantTime* candidate) {
        if (candidate == item) return;
        if (toRight) {
            if (candidate->Start() >= after && (!best || candidate->Start() < best->Start())) best = candidate;
        } else if (candidate->Stop() <= before && (!best || candidate->Start() > best->Stop())) {
            best = candidate;
        }
    });
    return best;
}

TqoDataEntity_GantTime* TGantInteraction::FindNeighbourToUpDown(int layer, TqoDataEntity_GantTime* item, bool up) {
    const TqoAlive::TWatch alive = fGant.fAlive.Watch();
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    TGantRow* from = item && item->OwningDataList() ? item->Row() : HeaderRow();
    TGantRow* row = alive ? StepHeaderRow(from, up) : nullptr;
    if (!alive || !row || layer < 0 || layer >= row->LayerCount()) return nullptr;
    // The header's events may have deleted the item: the window's middle stands in.
    if (item && !item->OwningDataList()) item = nullptr;
    return FindNeighbourClosest(row->DataLists()->Member(layer), item);
}

// The grid's focused row, or the tree's current one.
TGantRow* TGantInteraction::HeaderRow() {
    if (fGant.fUseGridNotTree) return GridNavigation.FocusedRow ? GridNavigation.FocusedRow() : nullptr;
    return fGant.GetActiveGantRow();
}

// The header's current row moves whether or not an item is found in the next one.
TGantRow* TGantInteraction::StepHeaderRow(TGantRow* from, bool up) {
    TqoGant_ComBasic& g = fGant;
    if (g.fUseGridNotTree) return GridNavigation.StepRow ? GridNavigation.StepRow(from, up) : nullptr;
    TqoDataEntity_Tree* node = from && from->TreeNode() ? from->TreeNode() : g.fTree->CurrentDataEntity();
    if (!node) return nullptr;
    TqoDataEntity_Tree* next = up ? g.fTree->GetPrevVisible(node) : g.fTree->GetNextVisible(node);
    TGantRow* row = next && g.fRowList ? g.fRowList->FindRowFromTreeNode(next) : nullptr;
    if (!row) return nullptr;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    g.fTree->UpdateMultiSelect(next, 0);
    if (alive) g.fTree->SetCurrentDataEntity(next);
    return alive ? g.fRowList->FindRowFromTreeNode(next) : nullptr;
}

// The host picks the layer; an answer outside the row's layers gives none.
TqoDataList* TGantInteraction::NavigationList(TGantRow* row, int& layer) {
    layer = fGant.OnKeyNavigateDataList ? fGant.OnKeyNavigateDataList(&fGant, row) : 0;
    if (layer < 0 || layer >= row->LayerCount()) return nullptr;
    return row->DataLists()->Member(layer);
}

void TGantInteraction::KeyDown(uint16_t key, TShiftState shift) {
    if (fMode != mmNone) {
        if (key == VK_ESCAPE) MouseMoveModeCancel();
        return;
    }
    if (key != VK_SPACE && key != VK_HOME && key != VK_END && (key < VK_LEFT || key > VK_DOWN)) return;
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TqoDataEntity_GantTime* active = g.fActiveDataEntity;
    if (!active && key == VK_SPACE) return;
    TGantRow* row = active ? active->Row() : HeaderRow();
    if (!alive || !row) return;
    int layer = 0;
    TqoDataList* list = NavigationList(row, layer);
    // The host's answer may have deleted the active item.
    if (!alive || g.fActiveDataEntity != active) return;
    TqoDataEntity_GantTime* found = FindForKey(key, list, layer, active);
    if (!alive) return;
    if (found)
        LocalSelect(found, shift, key == VK_SPACE);
    else if (active && (key == VK_UP || key == VK_DOWN)) {
        g.SetActiveDataEntity(nullptr);
        if (alive) g.InvalidateGA();
    }
}

TqoDataEntity_GantTime* TGantInteraction::FindForKey(uint16_t key, TqoDataList* list, int layer,
                                                     TqoDataEntity_GantTime* from) {
    switch (key) {
    case VK_SPACE: return from;
    case VK_HOME: return FindNeighbourToRightLeft(list, nullptr, true);
    case VK_END: return FindNeighbourToRightLeft(list, nullptr, false);
    case VK_LEFT:
    case VK_RIGHT:
        return from ? FindNeighbourToRightLeft(list, from, key == VK_RIGHT) : FindNeighbourClosest(list, nullptr);
    default: return FindNeighbourToUpDown(layer, from, key == VK_UP);
    }
}

void TGantInteraction::LocalSelect(TqoDataEntity_GantTime* item, TShiftState shift, bool toggle) {
    TqoGant_ComBasic& g = fGant;
    const TqoAlive::TWatch alive = g.fAlive.Watch();
    TqoKeepAlive<TqoDataEntity> keep(Held(item));
    if (!(shift & (ssShift | ssCtrl))) g.ClearSelections();
    if (!alive || !item->OwningDataList()) return;
    item->SetSelected(toggle ? !item->GetSelected() : true);
    if (!alive || !item->OwningDataList()) return;
    g.SetActiveDataEntity(item);
    if (!alive) return;
    g.InvalidateGA();
    g.MakeSureActiveInView();
}

void TGantInteraction::HintWantsNewText(TGraphHintWindow* hint, TqoExposable* object) {
    auto* item = dynamic_cast<TqoDataEntity_GantTime*>(object);
    if (!item) {
        hint->SetCaption("");
        return;
    }
    const TqoDateScaler& scaler = *fGant.fDateScaler;
    const std::string format = scaler.DateFormat + " " + scaler.TimeFormat;
    hint->SetCaption(FormatDateTime(format, item->Start()) + "\r" + FormatDateTime(format, item->Stop()) + "\r" +
                     FormatDateTime(format, item->Stop() - item->Start()));
}

} // namespace qo
