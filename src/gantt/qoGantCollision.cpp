// The chart's side of collision detection: the host's override of a new
// sub-column, paused rows, and grid rows sized by their sub-columns.
#include "gantt/qoGant.h"

namespace qo {

void TqoGant_ComBasic::UpdateSubColumnsOf(TGantRow* row) {
    if (row && !Loading()) row->UpdateSubColumns();
}

void TqoGant_ComBasic::CollisionDetected(TqoDataEntity_GantTime* item, int32_t position) {
    OnCollisionDetected.Fire(this, item, position);
}

// Resuming queues detection only: no host code runs while the rows are walked.
void TqoGant_ComBasic::UnPauseCollisionDetectionRows() {
    fPausedCollisionDetectionRows = false;
    for (int32_t i = 0; fRowList && i < fRowList->Count(); ++i)
        if (TGantRow* row = fRowList->GetGantRow(i)) row->SetCollisionDetectionPause(false);
}

void TqoGant_ComBasic::SetGridRowHeight(TGantRow& row, int height) {
    if (fGrid && row.GridTreeNode()) fGrid->SetRowHeight(row.GridTreeNode(), height);
}

} // namespace qo
