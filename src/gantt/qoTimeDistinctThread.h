#pragma once
// The worker that detects the collisions of one row off the user-interface
// thread. It reads nothing but its own holder list, which its maker fills
// before starting it, and hands the result back synchronously on the
// user-interface thread. The process counts its live workers, so that rows
// pause their detection rather than start more than MaxThreads: a worker
// lives from its making until its row lets go of it (it then only winds
// down) or it is freed.
#include "gantt/qoTimeDistinct.h"
#include "platform/core/qoEvents.h"
#include "platform/window/qoThreads.h"

#include <mutex>

namespace qo {

class TTimeDistinctGenericThread : public TThread {
public:
    using TOnDone = TqoEvent<void(TTimeDistinctGenericThread* sender)>;
    static constexpr int MaxThreads = 50;

    // Suspended until Start.
    TTimeDistinctGenericThread();
    ~TTimeDistinctGenericThread() override;

    TDistinctTimeHolderList& DistinctTimeHolderList() { return fDistinctTimeHolderList; }
    bool IsTerminated() const { return Terminated(); }
    // Live workers; any thread.
    static int ThreadCount();
    // Workers not yet freed, those winding down included; any thread.
    static int UnfinishedCount();
    // User-interface thread: waits until every worker is freed, handing
    // over their results meanwhile. The module's end runs it, so that no
    // worker outlives the code it runs.
    static void WaitForUnfinished();
    // User-interface thread. Asks the worker to stop and forgets it: its
    // result never arrives. A worker that has not started or has done its work
    // is freed now; a running one frees itself when it ends, so this never
    // waits. The variable is nil afterwards.
    static void FreeAndCleanUp(TTimeDistinctGenericThread*& thread);

    // Called on the user-interface thread with the result, unless terminated.
    TOnDone OnDone;

protected:
    void Execute() override;

private:
    void DoOnDone();

    TDistinctTimeHolderList fDistinctTimeHolderList;
    // Whether Execute has ended and whether the worker was abandoned before:
    // whichever comes second decides who frees the worker.
    std::mutex fEndMutex;
    bool fExecuted = false;
    bool fAbandoned = false;
    // Still counted among the live workers.
    bool fLive = true;
};

} // namespace qo
