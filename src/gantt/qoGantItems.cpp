// What the chart does when its one time-item controller reports a change in
// any layer of any row: repaint, keep its own references valid, drop the
// links of a deleted item, and tell the host. Links report to nobody.
#include "gantt/qoGant.h"

namespace qo {

TqoDataEntity_GantTime* TqoGant_ComBasic::AsItem(TqoDataEntity* entity) {
    auto* item = dynamic_cast<TqoDataEntity_GantTime*>(entity);
    if (entity && !item) throw EInvalidCast();
    return item;
}

void TqoGant_ComBasic::WireTimeItemController() {
    fGantTimeListController = std::make_unique<TqoListController>();
    TqoListController& c = *fGantTimeListController;
    c.SetOnContentChanged(TOnDataListNotify::Bind(this, &TqoGant_ComBasic::_OnContentChanged));
    c.SetOnSelectionChanged(TOnDataListDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnSelectionChanged));
    c.SetOnDeleteItem(TOnDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnDeleteItem));
    c.SetOnInsertItem(TOnDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnInsertItem));
    c.SetOnInfoPush(TOnDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnInfoPush));
    c.SetOnBeforeCanEditItem(TOnDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnBeforeCanEditItem));
    c.SetOnLoadItem(TOnDataEntityNotify::Bind(this, &TqoGant_ComBasic::_OnVirtualLoadTimeItem));
    c.SetOnUnLoadItem(TOnDataEntityUnloadNotify::Bind(this, &TqoGant_ComBasic::_OnVirtualUnLoadTimeItem));
}

// The row's time index follows every change its layers report, and the link
// index every change of an item with links.
void TqoGant_ComBasic::RowItemsChanged(TqoDataEntity_GantTime* item) {
    if (TGantRow* row = item ? item->Row() : nullptr) row->TimeItemsChanged();
    if (item && item->HasLinks()) fLinkIndex.Clear();
}

void TqoGant_ComBasic::_OnContentChanged(TqoDataList* layer) {
    if (auto* rowLayer = dynamic_cast<TqoDataList_GantRow*>(layer); rowLayer && rowLayer->Row()) {
        rowLayer->Row()->TimeItemsChanged();
        UpdateSubColumnsOf(rowLayer->Row());
    }
    fLinkIndex.Clear();
    InvalidateGA();
    OnContentChanged_GantTime.Fire(this, layer);
}

void TqoGant_ComBasic::_OnSelectionChanged(TqoDataList* layer, TqoDataEntity* item) {
    InvalidateGA();
    OnSelectionChanged_GantTime.Fire(this, layer, AsItem(item));
}

// Every item's texts share this one handler, bound on first use.
TOnTimeItemTextStyleSet TqoGant_ComBasic::TimeItemTextStyleSet() {
    if (!fTextStyleSet) fTextStyleSet = TOnTimeItemTextStyleSet::Bind(this, &TqoGant_ComBasic::_OnTimeItemSyleSet);
    return fTextStyleSet;
}

void TqoGant_ComBasic::_OnTimeItemSyleSet(TqoTimeItemTextCollection*, TCanvas& canvas, int32_t style) {
    canvas.Font() = FontTimeItemStyle(style >= 1 && style <= 3 ? style : 1);
    fGA->PrintResizeFont();
}

void TqoGant_ComBasic::_OnInsertItem(TqoDataEntity* entity) {
    TqoDataEntity_GantTime* item = AsItem(entity);
    item->GiveTexts();
    RowItemsChanged(item);
    if (fAddingItem) {
        fAddingItem = false;
        fAddedItem = item;
        item->SetColor(0xFFFFFF);
        item->SetStyle(gtsSquare);
        item->SetCanEdit(true);
    }
    InvalidateGA();
    UpdateSubColumnsOf(item->Row());
    OnInsertItem_GantTime.Fire(this, item);
}

// The chart forgets the item before the host hears of it, and its links go
// after: no reference to it survives the notification.
void TqoGant_ComBasic::_OnDeleteItem(TqoDataEntity* entity) {
    TqoDataEntity_GantTime* item = AsItem(entity);
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (item == fAddedItem) fAddedItem = nullptr;
    if (item == fMouseDownDataEntity) fMouseDownDataEntity = nullptr;
    if (fInteraction) fInteraction->Forget(item);
    RowItemsChanged(item);
    if (item == fActiveDataEntity) {
        SetActiveDataEntity(nullptr);
        if (!alive) return;
    }
    InvalidateGA();
    UpdateSubColumnsOf(item->Row());
    OnDeleteItem_GantTime.Fire(this, item);
    if (alive) DropAllLinks(item);
}

void TqoGant_ComBasic::_OnInfoPush(TqoDataEntity* entity) {
    TqoDataEntity_GantTime* item = AsItem(entity);
    RowItemsChanged(item);
    UpdateSubColumnsOf(item->Row());
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnChangeDataEntity_GantTime.Fire(this, item);
    if (alive) OnValueChanged_GantTime.Fire(this, item);
}

void TqoGant_ComBasic::_OnBeforeCanEditItem(TqoDataEntity* item) {
    OnBeforeCanEditItem_GantTime.Fire(this, AsItem(item));
}

// Items made by the list itself, inserted or loaded, are given their texts:
// a loaded item never passes through the insert handler.
void TqoGant_ComBasic::_OnVirtualLoadTimeItem(TqoDataEntity* entity) {
    TqoDataEntity_GantTime* item = AsItem(entity);
    item->GiveTexts();
    OnVirtualLoad_GantTime.Fire(this, item);
}

void TqoGant_ComBasic::_OnVirtualUnLoadTimeItem(TqoDataEntity* item, bool& mayUnload) {
    OnVirtualUnLoad_GantTime.Fire(this, AsItem(item), mayUnload);
}

// ---- What rows ask of the chart ----

TGantRow* TqoGant_ComBasic::UserCreateGantRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                                              TqoDataEntity_GridTreeNode* gridNode) {
    TGantRow* row = nullptr;
    OnUserCreateGantRow.Fire(list, treeNode, gridNode, row);
    return row;
}

void TqoGant_ComBasic::AfterAddGantRow(TGantRowList* list, TGantRow* row) { OnAfterAddGantRow.Fire(list, row); }

void TqoGant_ComBasic::BeforeFreeGantRow(TGantRowList* list, TGantRow* row) {
    OnBeforeFreeGantRow.Fire(list, row);
}

void TqoGant_ComBasic::InvalidateChart() {
    fLinkIndex.Clear();
    if (fInteraction) fInteraction->RowsChanged();
    InvalidateGA();
}

IGantRowSource* TqoGant_ComBasic::RowSource() {
    if (fUseGridNotTree) return fGrid.get();
    return fTree;
}

// Rows follow the grid tree's nodes whatever the mode, so that switching the
// header loses nothing.
void TqoGant_ComBasic::GridTreeIntegrationEvents(TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node) {
    const TGridEventScope scope(*this);
    if (fRowList) fRowList->FollowGridTree(kind, node);
    if (scope.Alive()) InvalidateChart();
}

} // namespace qo
