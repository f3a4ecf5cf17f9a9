#include "gantt/qoTimeDistinctThread.h"

#include "platform/window/qoDialogs.h"

#include <atomic>
#include <string>
#include <utility>

namespace qo {

namespace {
std::atomic<int> gLiveWorkers{0};
} // namespace

TTimeDistinctGenericThread::TTimeDistinctGenericThread() { ++gLiveWorkers; }

TTimeDistinctGenericThread::~TTimeDistinctGenericThread() { --gLiveWorkers; }

int TTimeDistinctGenericThread::ThreadCount() { return gLiveWorkers.load(); }

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
