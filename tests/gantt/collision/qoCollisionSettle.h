#pragma once
// Collision tests run real workers: the user-interface thread's side (the
// deferred calls, the results handed over, the message boxes queued) runs
// until no worker is left and nothing is pending.
#include "data/qoDoLater.h"
#include "gantt/qoTimeDistinctThread.h"
#include "platform/window/qoHeadless.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace qo::test {

inline void Settle(THeadlessHarness& harness) {
    // Only a guard against a hang: a settled run takes milliseconds.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < giveUp) {
        harness.RunUntilIdle();
        TDoLater::DoAllNow();
        const bool handed = CheckSynchronize();
        if (!handed && TTimeDistinctGenericThread::UnfinishedCount() == 0 && TDoLater::PendingCount() == 0) return;
        std::this_thread::yield();
    }
    ADD_FAILURE() << "the workers never settled";
}

} // namespace qo::test
