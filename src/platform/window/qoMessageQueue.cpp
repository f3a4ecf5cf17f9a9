#include "platform/window/qoMessageQueue.h"

#include "platform/window/qoBackend.h"
#include "platform/window/qoThreads.h"
#include "platform/window/qoWindows.h"

#include <algorithm>
#include <utility>

namespace qo {

namespace {
// What "the whole client area" means before the window clips it to its size.
constexpr TRect WholeWindow{-(1 << 28), -(1 << 28), 1 << 28, 1 << 28};
} // namespace

TMessageQueue& MessageQueue() {
    static TMessageQueue queue;
    return queue;
}

void TMessageQueue::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard lock(fPostedMutex);
        fPosted.push_back({hwnd, msg, wParam, lParam});
    }
    WakeBackend();
}

void TMessageQueue::Forget(HWND hwnd) {
    {
        std::lock_guard lock(fPostedMutex);
        std::erase_if(fPosted, [hwnd](const TPosted& p) { return p.Hwnd == hwnd; });
    }
    if (!IsMainThread()) return;
    Validate(hwnd);
    std::erase_if(fTimers, [hwnd](const TTimerEntry& t) { return t.Hwnd == hwnd; });
}

TMessageQueue::TUpdate* TMessageQueue::FindUpdate(HWND hwnd) {
    auto it = std::find_if(fUpdates.begin(), fUpdates.end(), [hwnd](const TUpdate& u) { return u.Hwnd == hwnd; });
    return it == fUpdates.end() ? nullptr : &*it;
}

void TMessageQueue::Invalidate(HWND hwnd, const TRect& rect, bool erase) {
    if (rect.IsEmpty()) return;
    if (TUpdate* update = FindUpdate(hwnd)) {
        update->Rect = UnionRect(update->Rect, rect);
        update->Erase = update->Erase || erase;
    } else {
        fUpdates.push_back({hwnd, rect, erase});
    }
}

void TMessageQueue::Validate(HWND hwnd) {
    if (hwnd == fPainting) fPaintTaken = true;
    std::erase_if(fUpdates, [hwnd](const TUpdate& u) { return u.Hwnd == hwnd; });
}

bool TMessageQueue::HasUpdate(HWND hwnd) const {
    return std::any_of(fUpdates.begin(), fUpdates.end(), [hwnd](const TUpdate& u) { return u.Hwnd == hwnd; });
}

bool TMessageQueue::TakeUpdate(HWND hwnd, TRect& rect, bool& erase) {
    TUpdate* update = FindUpdate(hwnd);
    if (!update) return false;
    rect = update->Rect;
    erase = update->Erase;
    Validate(hwnd);
    return true;
}

void TMessageQueue::Update(HWND hwnd) {
    if (!HasUpdate(hwnd)) return;
    const HWND outer = std::exchange(fPainting, hwnd);
    const bool outerTaken = std::exchange(fPaintTaken, false);
    SendMessage(hwnd, WM_PAINT, 0, 0);
    // A window that ignored the paint must not be asked again and again; what a
    // window invalidates while it paints is painted next time, as on Windows.
    if (!fPaintTaken) Validate(hwnd);
    fPainting = outer;
    fPaintTaken = outerTaken;
}

void TMessageQueue::SetTimer(HWND hwnd, uintptr_t id, uint32_t elapse) {
    KillTimer(hwnd, id);
    const int64_t interval = std::max<int64_t>(elapse, 1);
    fTimers.push_back({hwnd, id, interval, Backend().Clock().Milliseconds() + interval});
}

bool TMessageQueue::KillTimer(HWND hwnd, uintptr_t id) {
    return std::erase_if(fTimers, [&](const TTimerEntry& t) { return t.Hwnd == hwnd && t.Id == id; }) > 0;
}

int64_t TMessageQueue::NextTimerDue() const {
    int64_t due = -1;
    for (const TTimerEntry& t : fTimers)
        if (due < 0 || t.Due < due) due = t.Due;
    return due;
}

bool TMessageQueue::DispatchPosted() {
    TPosted posted;
    {
        std::lock_guard lock(fPostedMutex);
        if (fPosted.empty()) return false;
        posted = fPosted.front();
        fPosted.pop_front();
    }
    SendMessage(posted.Hwnd, posted.Msg, posted.WParam, posted.LParam);
    return true;
}

bool TMessageQueue::PaintOne() {
    if (fUpdates.empty()) return false;
    Update(fUpdates.front().Hwnd);
    return true;
}

bool TMessageQueue::FireTimer() {
    const int64_t now = Backend().Clock().Milliseconds();
    auto due = std::min_element(fTimers.begin(), fTimers.end(),
                                [](const TTimerEntry& a, const TTimerEntry& b) { return a.Due < b.Due; });
    if (due == fTimers.end() || due->Due > now) return false;
    // Late timers fire once, not once per missed interval.
    due->Due = now + due->Interval;
    const HWND hwnd = due->Hwnd;
    const uintptr_t id = due->Id;
    SendMessage(hwnd, WM_TIMER, id, 0);
    return true;
}

bool TMessageQueue::ProcessOne() {
    return DispatchPosted() || CheckSynchronize() || Backend().PollEvents() || PaintOne() || FireTimer();
}

void TMessageQueue::ProcessMessages() {
    while (ProcessOne()) {
    }
}

void TMessageQueue::HandleMessage() {
    if (ProcessOne()) return;
    const int64_t due = NextTimerDue();
    Backend().WaitForEvents(due < 0 ? -1 : std::max<int64_t>(0, due - Backend().Clock().Milliseconds()));
}

void TMessageQueue::Run() {
    fQuit = false;
    while (!fQuit) HandleMessage();
}

void TMessageQueue::Reset() {
    {
        std::lock_guard lock(fPostedMutex);
        fPosted.clear();
    }
    fUpdates.clear();
    fTimers.clear();
    fQuit = false;
}

void ProcessMessages() { MessageQueue().ProcessMessages(); }

void InvalidateRect(HWND hwnd, const TRect* rect, bool erase) {
    MessageQueue().Invalidate(hwnd, rect ? *rect : WholeWindow, erase);
}

void UpdateWindow(HWND hwnd) { MessageQueue().Update(hwnd); }
void SetTimer(HWND hwnd, uintptr_t id, uint32_t elapse) { MessageQueue().SetTimer(hwnd, id, elapse); }
bool KillTimer(HWND hwnd, uintptr_t id) { return MessageQueue().KillTimer(hwnd, id); }

} // namespace qo
