#include "platform/window/qoWindows.h"

#include "platform/window/qoMessageQueue.h"
#include "platform/window/qoThreads.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace qo {

namespace {

struct TWindowEntry {
    TWindowTarget* Target = nullptr;
    std::unique_ptr<TWindowTarget> Owned;
    std::string ClassKey;
    std::string Caption;
};

// Workers post to windows, so the table has its own lock.
struct TWindowTable {
    std::mutex Mutex;
    std::unordered_map<HWND, TWindowEntry> Windows;
    std::unordered_map<std::string, TWndClass> Classes;
    HWND Next = 0x10000;
};

TWindowTable& Table() {
    static TWindowTable table;
    return table;
}

std::string ClassKey(const std::string& name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return key;
}

class TClassWindow : public TWindowTarget {
public:
    explicit TClassWindow(WNDPROC proc) : fProc(proc) {}
    LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        return fProc(hwnd, msg, wParam, lParam);
    }

private:
    WNDPROC fProc;
};

class TMethodWindow : public TWindowTarget {
public:
    explicit TMethodWindow(TWndMethod method) : fMethod(std::move(method)) {}
    LRESULT WindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) override {
        TMessage message{msg, wParam, lParam, 0};
        fMethod(message);
        return message.Result;
    }

private:
    TWndMethod fMethod;
};

HWND AddWindow(TWindowEntry entry) {
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    HWND hwnd = table.Next++;
    table.Windows.emplace(hwnd, std::move(entry));
    return hwnd;
}

void RemoveWindow(HWND hwnd) {
    std::unique_ptr<TWindowTarget> owned;
    {
        TWindowTable& table = Table();
        std::lock_guard lock(table.Mutex);
        auto it = table.Windows.find(hwnd);
        if (it == table.Windows.end()) return;
        owned = std::move(it->second.Owned);
        table.Windows.erase(it);
    }
    MessageQueue().Forget(hwnd);
}

} // namespace

bool RegisterClass(const TWndClass& wndClass) {
    if (wndClass.ClassName.empty() || !wndClass.WndProc) return false;
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    return table.Classes.emplace(ClassKey(wndClass.ClassName), wndClass).second;
}

bool UnregisterClass(const std::string& className) {
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    const std::string key = ClassKey(className);
    for (const auto& [hwnd, entry] : table.Windows)
        if (entry.ClassKey == key) return false;
    return table.Classes.erase(key) > 0;
}

bool GetClassInfo(const std::string& className, TWndClass& out) {
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    auto it = table.Classes.find(ClassKey(className));
    if (it == table.Classes.end()) return false;
    out = it->second;
    return true;
}

HWND CreateWindow(const std::string& className, const std::string& caption, uint32_t, const TRect&, HWND) {
    TWndClass wndClass;
    if (!GetClassInfo(className, wndClass)) return 0;
    TWindowEntry entry;
    entry.Owned = std::make_unique<TClassWindow>(wndClass.WndProc);
    entry.Target = entry.Owned.get();
    entry.ClassKey = ClassKey(className);
    entry.Caption = caption;
    HWND hwnd = AddWindow(std::move(entry));
    if (SendMessage(hwnd, WM_CREATE, 0, 0) == -1) {
        RemoveWindow(hwnd);
        return 0;
    }
    return hwnd;
}

bool DestroyWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    RemoveWindow(hwnd);
    return true;
}

bool IsWindow(HWND hwnd) { return FindWindowTarget(hwnd) != nullptr; }

std::string GetWindowText(HWND hwnd) {
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    auto it = table.Windows.find(hwnd);
    return it == table.Windows.end() ? std::string() : it->second.Caption;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsMainThread()) {
        LRESULT result = 0;
        TThread::Synchronize([&] { result = SendMessage(hwnd, msg, wParam, lParam); });
        return result;
    }
    TWindowTarget* target = FindWindowTarget(hwnd);
    return target ? target->WindowMessage(hwnd, msg, wParam, lParam) : 0;
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd)) return false;
    MessageQueue().Post(hwnd, msg, wParam, lParam);
    return true;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    // A window that does not paint itself still counts as painted.
    if (msg == WM_PAINT) MessageQueue().Validate(hwnd);
    return 0;
}

HWND AllocateHWnd(TWndMethod method) {
    TWindowEntry entry;
    entry.Owned = std::make_unique<TMethodWindow>(std::move(method));
    entry.Target = entry.Owned.get();
    return AddWindow(std::move(entry));
}

void DeallocateHWnd(HWND hwnd) { RemoveWindow(hwnd); }

HWND AttachWindowTarget(TWindowTarget& target) {
    TWindowEntry entry;
    entry.Target = &target;
    return AddWindow(std::move(entry));
}

void DetachWindowTarget(HWND hwnd) { RemoveWindow(hwnd); }

TWindowTarget* FindWindowTarget(HWND hwnd) {
    TWindowTable& table = Table();
    std::lock_guard lock(table.Mutex);
    auto it = table.Windows.find(hwnd);
    return it == table.Windows.end() ? nullptr : it->second.Target;
}

} // namespace qo
