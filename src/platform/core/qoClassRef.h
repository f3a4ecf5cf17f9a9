#pragma once
// A class reference: what a factory method needs to create an instance of a
// class that a subclass may substitute, and a membership test for it. One
// pointer to a table made once per class, as every data list holds one.
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
        return TqoClassRef(&kTableOf<T>);
    }

    explicit operator bool() const { return fTable != nullptr; }
    Base* Create(Args... args) const { return fTable->Create(args...); }
    // True when the object is of this class or a subclass of it.
    bool IsInstance(const Base* object) const { return object && fTable->IsInstance(object); }
    const std::type_info& Type() const { return *fTable->Type; }

    // Tables of one class made in two modules are equal too.
    friend bool operator==(const TqoClassRef& a, const TqoClassRef& b) {
        return a.fTable == b.fTable || (a.fTable && b.fTable && a.Type() == b.Type());
    }

private:
    struct TTable {
        TCreate Create;
        TIsInstance IsInstance;
        const std::type_info* Type;
    };
    explicit TqoClassRef(const TTable* table) : fTable(table) {}
    template <class T> static Base* CreateOf(Args... args) { return new T(args...); }
    template <class T> static bool IsInstanceOf(const Base* object) { return dynamic_cast<const T*>(object); }
    template <class T> static constexpr TTable kTableOf{&CreateOf<T>, &IsInstanceOf<T>, &typeid(T)};

    const TTable* fTable = nullptr;
};

} // namespace qo
