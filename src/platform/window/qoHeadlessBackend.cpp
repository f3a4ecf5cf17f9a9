#include "platform/window/qoHeadlessBackend.h"


#include <chrono>

namespace qo {

TClock& THeadlessBackend::Clock() {
    if (fVirtualTime) return fVirtualClock;
    return fRealClock;
}

void THeadlessBackend::WaitForEvents(int64_t timeoutMs) {
    std::unique_lock lock(fMutex);
    if (fVirtualTime || timeoutMs < 0)
        fSignal.wait(lock, [this] { return fWoken; });
    else
        fSignal.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return fWoken; });
    fWoken = false;
}

void THeadlessBackend::Wake() {
    {
        std::lock_guard lock(fMutex);
        fWoken = true;
    }
    fSignal.notify_all();
}

namespace {
int TakeAnswer(std::deque<int>& script, int fallback) {
    if (script.empty()) return fallback;
    int answer = script.front();
    script.pop_front();
    return answer;
}
} // namespace

void THeadlessBackend::RunModal(TModalLoop& modal) {
    TModalRecord record = modal.Request();
    const bool menu = record.Kind == TModalRecord::mkPopupMenu;
    int answer = TakeAnswer(menu ? fPopupAnswers : fMessageBoxAnswers, DefaultAnswer(record));
    if (menu && answer >= int(record.Items.size())) answer = -1;
    modal.Answer(answer);
    record.Answer = modal.Result();
    fRecords.push_back(record);
}

namespace {
struct TCurrentBackend {
    std::mutex Mutex;
    std::shared_ptr<TBackend> Backend = std::make_shared<THeadlessBackend>();
};

// Never destroyed: a freed worker may still wake the loop while the process exits.
TCurrentBackend& Current() {
    static TCurrentBackend* current = new TCurrentBackend;
    return *current;
}

std::shared_ptr<TBackend> CurrentBackend() {
    std::lock_guard lock(Current().Mutex);
    return Current().Backend;
}
} // namespace

TBackend& Backend() { return *CurrentBackend(); }

std::shared_ptr<TBackend> SetBackend(std::shared_ptr<TBackend> backend) {
    if (!backend) backend = std::make_shared<THeadlessBackend>();
    std::lock_guard lock(Current().Mutex);
    std::swap(Current().Backend, backend);
    return backend;
}

void WakeBackend() { CurrentBackend()->Wake(); }

} // namespace qo
