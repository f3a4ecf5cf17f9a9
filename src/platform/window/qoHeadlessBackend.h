#pragma once
// The default backend: no display, and modal pieces that answer from a script
// and keep a record for tests to assert. Its timers run on real time in an
// application and on virtual time in tests.
#include "platform/window/qoBackend.h"
#include "platform/window/qoModal.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace qo {

enum class TTimeSource { tsReal, tsVirtual };

class THeadlessBackend : public TBackend {
public:
    explicit THeadlessBackend(TTimeSource time = TTimeSource::tsReal) : fVirtualTime(time == TTimeSource::tsVirtual) {}
    TClock& Clock() override;
    // Moves only when told to; it drives the timers with virtual time only.
    TVirtualClock& VirtualClock() { return fVirtualClock; }
    // On virtual time it waits for Wake only: the time does not pass by waiting.
    void WaitForEvents(int64_t timeoutMs) override;
    void Wake() override;

    void ShowCursor(TCursor cursor) override { fCursor = cursor; }
    void Beep() override { ++fBeeps; }
    // Waits for nobody: records the piece and ends it with the script's answer.
    void RunModal(TModalLoop& modal) override;

    // The next message boxes and menus answer these, in order; then the defaults
    // (the first button of a message box; a dismissed menu).
    void ScriptMessageBoxAnswer(int answer) { fMessageBoxAnswers.push_back(answer); }
    void ScriptPopupMenuAnswer(int index) { fPopupAnswers.push_back(index); }
    const std::vector<TModalRecord>& ModalRecords() const { return fRecords; }
    int Beeps() const { return fBeeps; }
    TCursor ShownCursor() const { return fCursor; }

private:
    bool fVirtualTime;
    TRealClock fRealClock;
    TVirtualClock fVirtualClock;
    std::mutex fMutex;
    std::condition_variable fSignal;
    bool fWoken = false;
    std::deque<int> fMessageBoxAnswers;
    std::deque<int> fPopupAnswers;
    std::vector<TModalRecord> fRecords;
    int fBeeps = 0;
    TCursor fCursor = 0;
};

} // namespace qo
