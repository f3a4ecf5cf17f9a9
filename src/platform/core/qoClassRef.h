#pragma once
// A class reference: what a factory method needs to create an instance of a
// class that a subclass may substitute, and a membership test for it.
#include <type_traits>
#include <typeinfo>

namespace qo {

template <class Base, class... Args> class TqoClassRef {
public:
    using TCreate = Base* (*)(Args...);
    using TIsInstance = bool (*)(const Base*);

    TqoClassRef() = default;
    template <class T> static TqoClassRef Of() {
        static_assert(std::is_base_of_v<Base, T>, "a class reference names a subclass of its base");
        return TqoClassRef(&CreateOf<T>, &IsInstanceOf<T>, &typeid(T));
    }

    explicit operator bool() const { return fCreate != nullptr; }
    Base* Create(Args... args) const { return fCreate(args...); }
    // True when the object is of this class or a subclass of it.
    bool IsInstance(const Base* object) const { return object && fIsInstance(object); }
    const std::type_info& Type() const { return *fType; }

    friend bool operator==(const TqoClassRef& a, const TqoClassRef& b) { return a.fType == b.fType; }

private:
    TqoClassRef(TCreate create, TIsInstance isInstance, const std::type_info* type)
        : fCreate(create), fIsInstance(isInstance), fType(type) {}
    template <class T> static Base* CreateOf(Args... args) { return new T(args...); }
    template <class T> static bool IsInstanceOf(const Base* object) { return dynamic_cast<const T*>(object); }

    TCreate fCreate = nullptr;
    TIsInstance fIsInstance = nullptr;
    const std::type_info* fType = nullptr;
};

} // namespace qo
