#pragma once
// Events are method pointers that may be unassigned. An event is tested before
// each call: `if (OnX) OnX(...)`, or Fire(), which does the test itself.
// An event is one pointer to its handler, which the copies of the event share:
// tables of events by the thousand cost little.
#include <atomic>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

namespace qo {

template <class Signature> class TqoEvent;

template <class R, class... Args> class TqoEvent<R(Args...)> {
public:
    TqoEvent() = default;
    TqoEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TqoEvent> &&
                                                std::is_invocable_r_v<R, F&, Args...>>>
    TqoEvent(F f) : fHandler(new THandlerOf<F>(std::move(f))) {}
    TqoEvent(const TqoEvent& other) noexcept : fHandler(other.fHandler) {
        if (fHandler) fHandler->Refs.fetch_add(1, std::memory_order_relaxed);
    }
    TqoEvent(TqoEvent&& other) noexcept : fHandler(std::exchange(other.fHandler, nullptr)) {}
    // The old handler goes after the new one is in place: its destruction may run anything.
    TqoEvent& operator=(TqoEvent other) noexcept {
        std::swap(fHandler, other.fHandler);
        return *this;
    }
    ~TqoEvent() {
        if (fHandler && fHandler->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete fHandler;
    }

    // Binds a member function of an object, the classic "code and data" pair.
    template <class T> static TqoEvent Bind(T* object, R (T::*method)(Args...)) {
        return TqoEvent([object, method](Args... args) -> R { return (object->*method)(args...); });
    }

    explicit operator bool() const { return fHandler != nullptr; }
    // A handler may reassign or clear its own event while it runs: the call
    // keeps the running handler alive until it returns.
    R operator()(Args... args) const {
        const TqoEvent running(*this);
        if (!running.fHandler) throw std::bad_function_call();
        return running.fHandler->Call(std::forward<Args>(args)...);
    }
    // Calls the handler when one is assigned.
    void Fire(Args... args) const {
        if (!fHandler) return;
        const TqoEvent running(*this);
        running.fHandler->Call(std::forward<Args>(args)...);
    }
    void Clear() { *this = nullptr; }

private:
    struct THandler {
        std::atomic<int32_t> Refs{1};
        virtual ~THandler() = default;
        virtual R Call(Args... args) = 0;
    };
    template <class F> struct THandlerOf final : THandler {
        explicit THandlerOf(F f) : Function(std::move(f)) {}
        R Call(Args... args) override {
            if constexpr (std::is_void_v<R>)
                std::invoke(Function, std::forward<Args>(args)...);
            else
                return std::invoke(Function, std::forward<Args>(args)...);
        }
        F Function;
    };
    THandler* fHandler = nullptr;
};

} // namespace qo
