#pragma once
// Events are method pointers that may be unassigned. An event is tested before
// each call: `if (OnX) OnX(...)`, or Fire(), which does the test itself.
#include <functional>
#include <utility>

namespace qo {

template <class Signature> class TqoEvent;

template <class R, class... Args> class TqoEvent<R(Args...)> {
public:
    TqoEvent() = default;
    TqoEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F, Args...>>>
    TqoEvent(F f) : fHandler(std::move(f)) {}

    // Binds a member function of an object, the classic "code and data" pair.
    template <class T> static TqoEvent Bind(T* object, R (T::*method)(Args...)) {
        return TqoEvent([object, method](Args... args) -> R { return (object->*method)(args...); });
    }

    explicit operator bool() const { return bool(fHandler); }
    R operator()(Args... args) const { return fHandler(std::forward<Args>(args)...); }
    // Calls the handler when one is assigned.
    void Fire(Args... args) const {
        if (fHandler) fHandler(std::forward<Args>(args)...);
    }
    void Clear() { fHandler = nullptr; }

private:
    std::function<R(Args...)> fHandler;
};

} // namespace qo
