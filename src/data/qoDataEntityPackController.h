#pragma once
// The table of events through which a family of data lists reports every
// change to the component that owns it. One controller serves many lists;
// handlers that care which list changed receive it as an argument.
#include "platform/core/qoClassRef.h"
#include "platform/core/qoEvents.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qo {

class TqoDataEntity;
class TqoDataList;
class TqoDataList2lev;

using TOnDataEntityNotify = TqoEvent<void(TqoDataEntity*)>;
// The handler sets the flag to allow the entity to be unloaded.
using TOnDataEntityUnloadNotify = TqoEvent<void(TqoDataEntity*, bool&)>;
using TOnEntityCompare = TqoEvent<int32_t(TqoDataEntity*, TqoDataEntity*)>;
using TOnHandlePerformedMove = TqoEvent<void(TqoDataEntity*, int32_t, int32_t)>;
using TOnDataListDataEntityNotify = TqoEvent<void(TqoDataList*, TqoDataEntity*)>;
using TOnDataListNotify = TqoEvent<void(TqoDataList*)>;
// The handler adds the missing lists and sets the flag when it did.
using TOnMissingIndex = TqoEvent<void(TqoDataList2lev*, int32_t, bool&)>;
using TFindFunc = TqoEvent<bool(TqoDataEntity*)>;
using TSelectedDataEntityEvent = TqoEvent<void(TqoDataList*, TqoDataEntity*)>;

class TqoListController;

// What the lists made with one controller and one class of entities share,
// held once rather than in each of them.
struct TqoListKind {
    TqoListController* Controller = nullptr;
    TqoClassRef<TqoDataEntity> EntityClass;

    // The kind of lists without controller or class.
    static const TqoListKind kNone;
    // Made on first use, it lasts as long as the controller (without
    // controller, as long as the program).
    static const TqoListKind* Of(TqoListController* controller, const TqoClassRef<TqoDataEntity>& entityClass);
};

class TqoListController {
public:

    const TOnDataEntityNotify& OnDeleteItem() const { return fDeleteItem; }
    void SetOnDeleteItem(TOnDataEntityNotify e) { fDeleteItem = std::move(e); }
    const TOnDataEntityNotify& OnInsertItem() const { return fInsertItem; }
    void SetOnInsertItem(TOnDataEntityNotify e) { fInsertItem = std::move(e); }
    const TOnDataEntityNotify& OnEnterOwnerAfterChange() const { return fOnEnterOwnerAfterChange; }
    void SetOnEnterOwnerAfterChange(TOnDataEntityNotify e) { fOnEnterOwnerAfterChange = std::move(e); }
    const TOnDataEntityNotify& OnLeaveOwnerBeforeChange() const { return fOnLeaveOwnerBeforeChange; }
    void SetOnLeaveOwnerBeforeChange(TOnDataEntityNotify e) { fOnLeaveOwnerBeforeChange = std::move(e); }
    const TOnEntityCompare& OnSortCompare() const { return fOnSortCompare; }
    void SetOnSortCompare(TOnEntityCompare e) { fOnSortCompare = std::move(e); }
    const TOnHandlePerformedMove& OnHandlePerformedMove() const { return fOnHandlePerformedMove; }
    void SetOnHandlePerformedMove(TOnHandlePerformedMove e) { fOnHandlePerformedMove = std::move(e); }
    const TOnDataListDataEntityNotify& OnSelectionChanged() const { return fOnSelectionChanged; }
    void SetOnSelectionChanged(TOnDataListDataEntityNotify e) { fOnSelectionChanged = std::move(e); }
    const TOnDataListNotify& OnContentChanged() const { return fOnContentChanged; }
    void SetOnContentChanged(TOnDataListNotify e) { fOnContentChanged = std::move(e); }
    const TOnDataEntityNotify& OnVisibleChanged() const { return fOnVisibleChanged; }
    void SetOnVisibleChanged(TOnDataEntityNotify e) { fOnVisibleChanged = std::move(e); }
    const TOnDataEntityNotify& OnBeforeCanEditItem() const { return fBeforeCanEditItem; }
    void SetOnBeforeCanEditItem(TOnDataEntityNotify e) { fBeforeCanEditItem = std::move(e); }
    const TOnDataEntityNotify& OnInfoPush() const { return fOnInfoPush; }
    void SetOnInfoPush(TOnDataEntityNotify e) { fOnInfoPush = std::move(e); }
    const TOnDataEntityNotify& OnLoadItem() const { return fOnLoadItem; }
    void SetOnLoadItem(TOnDataEntityNotify e) { fOnLoadItem = std::move(e); }
    const TOnDataEntityUnloadNotify& OnUnLoadItem() const { return fOnUnLoadItem; }
    void SetOnUnLoadItem(TOnDataEntityUnloadNotify e) { fOnUnLoadItem = std::move(e); }
    const TOnDataListNotify& OnUnLoadedContentChanged() const { return fOnUnLoadedContentChanged; }
    void SetOnUnLoadedContentChanged(TOnDataListNotify e) { fOnUnLoadedContentChanged = std::move(e); }

private:
    friend struct TqoListKind;
    // The kinds stay with the controller when its events are assigned anew:
    // its lists point to them.
    struct TKinds {
        TKinds() = default;
        TKinds(const TKinds&) {}
        TKinds& operator=(const TKinds&) { return *this; }
        std::vector<std::unique_ptr<TqoListKind>> Made;
    };
    TKinds fKinds;
    TOnDataEntityNotify fDeleteItem;
    TOnDataEntityNotify fInsertItem;
    TOnDataEntityNotify fOnEnterOwnerAfterChange;
    TOnDataEntityNotify fOnLeaveOwnerBeforeChange;
    TOnEntityCompare fOnSortCompare;
    TOnHandlePerformedMove fOnHandlePerformedMove;
    TOnDataListDataEntityNotify fOnSelectionChanged;
    TOnDataListNotify fOnContentChanged;
    TOnDataEntityNotify fOnVisibleChanged;
    TOnDataEntityNotify fBeforeCanEditItem;
    TOnDataEntityNotify fOnInfoPush;
    TOnDataEntityNotify fOnLoadItem;
    TOnDataEntityUnloadNotify fOnUnLoadItem;
    TOnDataListNotify fOnUnLoadedContentChanged;
};

} // namespace qo
