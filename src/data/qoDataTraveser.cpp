#include "data/qoDataTraveser.h"

namespace qo {

void TDataListTrav::ThrowListIndex(int32_t i) {
    throw EListError(i);
}

std::vector<TqoDataList*> TDataListTrav::TravLists(TTravMode mode, TqoDataList* list, TqoDataList2lev* lists,
                                                   TqoDataList3lev* listsOfLists, int32_t midStart,
                                                   const int32_t* order, size_t orderCount) {
    std::vector<TqoDataList*> out;
    const auto addIfNotEmpty = [&out](TqoDataList* member) {
        if (member && member->Count() > 0) out.push_back(member);
    };
    switch (mode) {
    case trmMultiList:
        for (int32_t i = 0; listsOfLists && i < listsOfLists->Count(); ++i) {
            TqoDataList2lev* row = listsOfLists->Items(i);
            for (int32_t k = 0; row && k < row->Count(); ++k) addIfNotEmpty(row->Items(k));
        }
        break;
    case trmMulti:
        if (!lists) break;
        if (order) {
            for (size_t k = 0; k < orderCount; ++k)
                if (order[k] != -1) addIfNotEmpty(lists->Items(order[k]));
        } else if (const int32_t n = lists->Count(); n > 0) {
            const int32_t start = ((midStart % n) + n) % n;
            for (int32_t k = 0; k < n; ++k) addIfNotEmpty(lists->Items((start + k) % n));
        }
        break;
    case trmSingle:
        addIfNotEmpty(list);
        break;
    }
    return out;
}

} // namespace qo
