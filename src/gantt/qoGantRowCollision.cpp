// A row's collision detection: queued on every change of its items, run on a
// worker over copies of the visible items' times, applied back here on the
// user-interface thread, where the host may override each new position.
#include "data/qoDoLater.h"
#include "gantt/qoGantRow.h"
#include "gantt/qoTimeDistinctThread.h"
#include "platform/window/qoDialogs.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace qo {

namespace {
// Paused rows resume once a worker is released while fewer than this are alive.
constexpr int kResumeBelow = 5;

TDoLaterCall DetectionCall(TGantRow* row) { return DoLaterMethod<&TGantRow::UpdateSubColumnsAsync>(row); }
} // namespace

void TGantRow::SetCollisionDetection(bool value) {
    if (value == fCollisionDetection) return;
    fCollisionDetection = value;
    UpdateSubColumns();
    if (!value) {
        // A result that arrived now would bring the sub-columns back.
        TDoLater::NeverMind(DetectionCall(this));
        CleanUpThread();
        SetUseSubCols(0);
    }
    if (Gant()) Gant()->InvalidateChart();
}

void TGantRow::SetCollisionDetectionPause(bool value) {
    if (value) {
        if (!fCollisionDetection || fCollisionDetectionPause) return;
        SetCollisionDetection(false);
        fCollisionDetectionPause = true;
        if (Gant()) Gant()->SetPausedCollisionDetectionRows(true);
    } else if (fCollisionDetectionPause) {
        fCollisionDetectionPause = false;
        SetCollisionDetection(true);
    }
}

void TGantRow::UpdateSubColumns() {
    if (fCollisionDetection && Gant()) TDoLater::DoLater(DetectionCall(this), nullptr);
}

void TGantRow::UpdateSubColumnsAsync(void*) {
    // Loading a virtual item runs host code, which may free the row.
    TqoKeepAlive<TqoExposable> keep({this});
    try {
        CleanUpThread();
        if (!fDataListList) return;
        if (TTimeDistinctGenericThread::ThreadCount() >= TTimeDistinctGenericThread::MaxThreads) {
            SetCollisionDetectionPause(true);
            return;
        }
        auto worker = std::make_unique<TTimeDistinctGenericThread>();
        CollectHolders(worker->DistinctTimeHolderList());
        if (!fDataListList || TimeDistinctGenericThread()) return;
        worker->OnDone = TTimeDistinctGenericThread::TOnDone::Bind(this, &TGantRow::TimeDistinctThreadDone);
        Rare().Worker = worker.release();
        fRare->Worker->Start();
    } catch (const std::exception& e) {
        ShowMessage(std::string("UpdateSubColumns exception:") + e.what());
    }
}

// Times to whole seconds; items of different layers meet only when detection
// spans the layers.
void TGantRow::CollectHolders(TDistinctTimeHolderList& holders) {
    for (int32_t l = 0; fDataListList && l < fDataListList->Count(); ++l) {
        TqoDataList* layer = fDataListList->Member(l);
        const std::string quantity = fCollisionDetectionBetweenLayers ? std::string() : std::to_string(l);
        for (int32_t i = 0; fDataListList && i < layer->Count(); ++i) {
            auto* item = static_cast<TqoDataEntity_GantTime*>(layer->Items(i));
            if (item && item->GetVisible())
                holders.Add(RoundToSec(item->Start()), RoundToSec(item->Stop()), quantity, item);
        }
    }
}

void TGantRow::TimeDistinctThreadDone(TTimeDistinctGenericThread* sender) {
    if (!sender || sender != TimeDistinctGenericThread()) return;
    TqoKeepAlive<TqoExposable> keep({this});
    try {
        ApplySubColumns(*sender);
    } catch (const std::exception& e) {
        ShowMessage(std::string("TimeDistinctThreadDone:") + e.what());
    }
    if (Gant()) Gant()->InvalidateChart();
    // A handler may have started the next detection already.
    if (TimeDistinctGenericThread() == sender) CleanUpThread();
}

// The host's handler may change anything: the items it may free stay in
// memory, an item that left the row is skipped, and the work stops once the
// row lost this worker (freed, switched off, detected anew).
void TGantRow::ApplySubColumns(TTimeDistinctGenericThread& worker) {
    SetUseSubCols(0);
    const TDistinctTimeHolderList& holders = worker.DistinctTimeHolderList();
    std::unordered_map<const void*, int32_t> positions;
    positions.reserve(size_t(holders.Count()));
    for (int32_t i = 0; i < holders.Count(); ++i)
        positions.emplace(holders.Get(i)->Reference, holders.Get(i)->DistinctPosition);
    std::vector<TqoExposable*> items;
    for (int32_t l = 0; fDataListList && l < fDataListList->Count(); ++l) {
        TqoDataList* layer = fDataListList->Member(l);
        for (int32_t i = 0; i < layer->Count(); ++i)
            if (TqoDataEntity* item = layer->Items(i); item && positions.count(item)) items.push_back(item);
    }
    TqoKeepAlive<TqoExposable> keep(std::move(items));
    int32_t m = 0;
    for (TqoExposable* entity : keep.Objects()) {
        if (TimeDistinctGenericThread() != &worker) return;
        auto* item = static_cast<TqoDataEntity_GantTime*>(entity);
        if (item->Row() != this) continue;
        int32_t v = positions[item];
        if (v != item->SubCol()) {
            item->SetSubCol(-1);
            Gant()->CollisionDetected(item, v);
            if (item->SubCol() != -1) v = item->SubCol();
        }
        item->SetSubCol(v);
        m = std::max(m, v);
    }
    if (TimeDistinctGenericThread() != &worker) return;
    SetUseSubCols(m);
    // A row where nothing overlaps keeps the height of one item.
    if (Gant()->UseGridNotTree() && fIncreaseRowHeightOnCollision)
        Gant()->SetGridRowHeight(*this, std::max(m, 1) * IncreaseRowHeightOnCollision_SuggestedHeightPerItem());
}

void TGantRow::CleanUpThread() {
    if (!TimeDistinctGenericThread()) return;
    TTimeDistinctGenericThread::FreeAndCleanUp(fRare->Worker);
    if (Gant() && Gant()->PausedCollisionDetectionRows() && TTimeDistinctGenericThread::ThreadCount() < kResumeBelow)
        Gant()->UnPauseCollisionDetectionRows();
}

void TGantRow::AbandonDetection() {
    TDoLater::NeverMind(DetectionCall(this));
    if (fRare) TTimeDistinctGenericThread::FreeAndCleanUp(fRare->Worker);
}

} // namespace qo
