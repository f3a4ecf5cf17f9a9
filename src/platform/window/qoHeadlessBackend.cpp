#include "platform/window/qoHeadlessBackend.h"

#include "platform/window/qoDialogs.h"

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

int THeadlessBackend::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
    TModalRecord record{TModalRecord::mkMessageBox, text, caption, flags, {}, {}, 0};
    record.Answer = TakeAnswer(fMessageBoxAnswers, FirstButtonOf(flags));
    fRecords.push_back(record);
    return record.Answer;
}

int THeadlessBackend::PopupMenu(const std::vector<std::string>& items, TPoint screen) {
    TModalRecord record{TModalRecord::mkPopupMenu, "", "", 0, items, screen, 0};
    record.Answer = TakeAnswer(fPopupAnswers, -1);
    if (record.Answer >= int(items.size())) record.Answer = -1;
    fRecords.push_back(record);
    return record.Answer;
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
