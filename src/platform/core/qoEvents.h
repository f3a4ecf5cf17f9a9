#pragma once
// Events are method pointers that may be unassigned. An event is tested before
// each call: `if (OnX) OnX(...)`, or Fire(), which does the test itself.
#include <functional>
#include <memory>
#include <utility>

namespace qo {

template <class Signature> class TqoEvent;

template <class R, class... Args> class TqoEvent<R(Args...)> {
public:
    TqoEvent() = default;
    TqoEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F, Args...>>>
    TqoEvent(F f) : fHandler(std::make_shared<const THandler>(std::move(f))) {}

    // Binds a member function of an object, the classic "code and data" pair.
    template <class T> static TqoEvent Bind(T* object, R (T::*method)(Args...)) {
        return TqoEvent([object, method](Args... args) -> R { return (object->*method)(args...); });
    }

    explicit operator bool() const { return bool(fHandler); }
    // A handler may reassign or clear its own event while it runs: the call
    // keeps the running handler alive until it returns.
    R operator()(Args... args) const {
        const std::shared_ptr<const THandler> running = fHandler;
        if (!running) throw std::bad_function_call();
        return (*running)(std::forward<Args>(args)...);
    }
    // Calls the handler when one is assigned.
    void Fire(Args... args) const {
        if (const std::shared_ptr<const THandler> running = fHandler) (*running)(std::forward<Args>(args)...);
    }
    void Clear() { fHandler = nullptr; }

private:
    using THandler = std::function<R(Args...)>;
    std::shared_ptr<const THandler> fHandler;
};

} // namespace qo
