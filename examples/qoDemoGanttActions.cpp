#include "qoDemoGanttActions.h"

#include "gantt/qoGant.h"

namespace {

using namespace qo;

void MoveToRow(TqoGant_ComBasic& gant, TqoDataEntity_GantTime* item, TGantRow* row, TDateTime start,
               TDateTime stop) {
    TqoDataList* layer = row ? row->Layer(0) : nullptr;
    if (!layer) return;
    item->ChangeOwner(layer, layer->LoadedCount());
    if (item->OwningDataList() != layer) return;
    item->SetStart(start);
    item->SetStop(stop);
    item->DoInfoPush();
    gant.InvalidateGA();
}

void AddCopy(TqoGant_ComBasic& gant, TqoDataEntity_GantTime* item, TGantRow* row, TDateTime start, TDateTime stop) {
    TqoDataEntity_GantTime* copy = gant.AddGantTimeToGantRow(row, 0);
    if (!copy) return;
    copy->SetStart(start);
    copy->SetStop(stop);
    copy->SetStyle(item->Style());
    copy->SetColor(item->Color());
    copy->SetFixedSize(item->FixedSize());
    copy->DoInfoPush();
}

void AddLink(TqoGant_ComBasic& gant, TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to) {
    if (from == to) return;
    TqoDataEntity_Link* link = gant.AddLink();
    if (!link) return;
    link->SetLinkOwner(from);
    link->SetLinkedTo(to);
    link->SetLinkColor(clNavy);
    link->SetLinkPenWidth(1);
}

} // namespace

void WireGanttActions(TqoGant_ComBasic& gant) {
    TqoGant_ComBasic* g = &gant;
    gant.OnTimeChangeRow = [g](TComponent*, TqoDataEntity_GantTime* item, TGantRow*, TGantRow* row, TDateTime start,
                               TDateTime stop) { MoveToRow(*g, item, row, start, stop); };
    gant.OnTimeCopy = [g](TComponent*, TqoDataEntity_GantTime* item, TGantRow*, TGantRow* row, TDateTime start,
                          TDateTime stop) { AddCopy(*g, item, row, start, stop); };
    gant.OnDependencyAction = [g](TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to) { AddLink(*g, from, to); };
    gant.OnGantAreaMouseUp = [g](TComponent*, TMouseButton button, TShiftState, int, int) {
        if (button == mbRight) g->SetStickyMode(qo::smDependency);
    };
}
