#include "gantt/qoTimeDistinctThread.h"

#include "platform/core/qoModuleEnd.h"
#include "platform/window/qoDialogs.h"

#include <atomic>
#include <string>
#include <thread>
#include <utility>

namespace qo {

namespace {
std::atomic<int> gLiveWorkers{0};
std::atomic<int> gUnfinishedWorkers{0};
} // namespace

TTimeDistinctGenericThread::TTimeDistinctGenericThread() {
    AtModuleEnd<&TTimeDistinctGenericThread::WaitForUnfinished>();
    ++gLiveWorkers;
    ++gUnfinishedWorkers;
}

TTimeDistinctGenericThread::~TTimeDistinctGenericThread() {
    if (fLive) --gLiveWorkers;
    --gUnfinishedWorkers;
}

int TTimeDistinctGenericThread::ThreadCount() { return gLiveWorkers.load(); }

int TTimeDistinctGenericThread::UnfinishedCount() { return gUnfinishedWorkers.load(); }

void TTimeDistinctGenericThread::WaitForUnfinished() {
    if (!IsMainThread()) return;
    while (gUnfinishedWorkers.load() > 0)
        if (!CheckSynchronize()) std::this_thread::yield();
}

// A message box belongs to the user-interface thread: an error is handed
// over without waiting for it, so that a worker never stands behind a dialog.
void TTimeDistinctGenericThread::Execute() {
    try {
        TTimeDistinctGeneric detection(&fDistinctTimeHolderList);
        detection.SetCallerThread(this);
        detection.ResolveConflicts();
        if (!Terminated()) Synchronize([this] { DoOnDone(); });
    } catch (const std::exception& e) {
        std::string text = std::string("TTimeDistinctGenericThread.Execute ") + e.what();
        Queue([text = std::move(text)] { ShowMessage(text); });
    }
    std::lock_guard lock(fEndMutex);
    fExecuted = true;
    // Only this thread reads the flag, after Execute.
    if (fAbandoned) FreeOnTerminate = true;
}

void TTimeDistinctGenericThread::DoOnDone() {
    if (!Terminated()) OnDone.Fire(this);
}

void TTimeDistinctGenericThread::FreeAndCleanUp(TTimeDistinctGenericThread*& thread) {
    TTimeDistinctGenericThread* worker = std::exchange(thread, nullptr);
    if (!worker) return;
    worker->Terminate();
    worker->OnDone = nullptr;
    // Released while handing over its result, a worker would otherwise count
    // until it ends, after the row looked whether paused rows may resume.
    worker->fLive = false;
    --gLiveWorkers;
    bool freeNow;
    {
        std::lock_guard lock(worker->fEndMutex);
        freeNow = !worker->Started() || worker->fExecuted;
        worker->fAbandoned = !freeNow;
    }
    if (!freeNow) return;
    worker->WaitFor();
    delete worker;
}

} // namespace qo
