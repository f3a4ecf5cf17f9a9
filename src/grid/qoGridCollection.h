#pragma once
// An ordered list of owned items that know their place: the shape of the
// grid's columns, sub-grid definitions and cell layouts.
#include "platform/core/qoErrors.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace qo {

template <class T> class TqoOwnedList {
public:
    int Count() const { return int(fItems.size()); }
    T* Item(int i) const {
        if (i < 0 || i >= Count()) throw EListError(i);
        return fItems[i].get();
    }
    int IndexOf(const T* item) const {
        for (int i = 0; i < Count(); ++i)
            if (fItems[i].get() == item) return i;
        return -1;
    }
    T* Append(std::unique_ptr<T> item) {
        fItems.push_back(std::move(item));
        return fItems.back().get();
    }
    // The item leaves the list before it is freed, so that its destructor sees the list without it.
    std::unique_ptr<T> Take(int i) {
        Item(i);
        std::unique_ptr<T> item = std::move(fItems[i]);
        fItems.erase(fItems.begin() + i);
        return item;
    }
    void MoveItem(int from, int to) {
        Item(from);
        Item(to);
        std::unique_ptr<T> item = std::move(fItems[from]);
        fItems.erase(fItems.begin() + from);
        fItems.insert(fItems.begin() + to, std::move(item));
    }
    // Frees from the back, each item out of the list first.
    void Clear() {
        while (!fItems.empty()) Take(Count() - 1).reset();
    }

private:
    std::vector<std::unique_ptr<T>> fItems;
};

} // namespace qo
