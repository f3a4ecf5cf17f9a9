#pragma once
// Lists owned the way a component owns them, entities that count their
// instances, and a controller that writes every event it sees into a log.
#include "data/qoDataEntityPack.h"
#include "platform/com/qoComTestSupport.h"
#include "platform/core/qoErrors.h"

#include <functional>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qo::test {

struct TFreeExposable {
    void operator()(TqoExposable* object) const { object->FreeWheneverPossible(); }
};
template <class T> using TOwned = std::unique_ptr<T, TFreeExposable>;

// Counts live instances so that tests see when the memory really goes.
class TCountedEntity : public TqoDataEntity {
public:
    TCountedEntity() { ++Alive; }
    ~TCountedEntity() override { --Alive; }
    static inline int Alive = 0;
};

// An entity whose own defaults select it.
class TPreselectedEntity : public TCountedEntity {
public:
    void AfterCreate(TqoDataList* list) override {
        TCountedEntity::AfterCreate(list);
        SetSelected(true);
    }
};

inline TOwned<TqoDataList>
NewList(TqoListController* controller,
        TqoDataEntityClass entityClass = TqoDataEntityClass::Of<TCountedEntity>()) {
    TOwned<TqoDataList> list(new TqoDataList);
    list->AfterCreate(controller, entityClass);
    return list;
}

// A list of n entities whose integer references are 0..n-1.
inline TOwned<TqoDataList> NewNumberedList(TqoListController* controller, int n) {
    auto list = NewList(controller);
    for (int i = 0; i < n; ++i) list->Add()->SetUserIntegerReference(i);
    return list;
}

inline std::vector<int> Numbers(TqoDataList& list) {
    std::vector<int> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Items(i)->UserIntegerReference());
    return out;
}

// A host object whose next Release runs host code, as a script object's
// terminate code does; the code runs once.
class THostObject : public TqoForeignDispatch {
public:
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG count = --fRefCount;
        if (auto code = std::exchange(OnRelease, nullptr)) code();
        return count;
    }
    std::function<void()> OnRelease;
};

// Events as short texts: "Insert 3" names the entity by its integer reference.
class TEventLog {
public:
    explicit TEventLog(TqoListController& c);
    TEventLog(const TEventLog&) = delete;
    TEventLog& operator=(const TEventLog&) = delete;
    // Lists that outlive the log report to nobody.
    ~TEventLog() { fController = TqoListController(); }
    std::vector<std::string> Lines;
    std::vector<std::string> Take() { return std::exchange(Lines, {}); }
    bool AllowUnload = false;

private:
    TqoListController& fController;
    void Log(const std::string& what, TqoDataEntity* e) {
        Lines.push_back(what + " " + std::to_string(e->UserIntegerReference()));
    }
};

inline TEventLog::TEventLog(TqoListController& c) : fController(c) {
    c.SetOnDeleteItem([this](TqoDataEntity* e) { Log("Delete", e); });
    c.SetOnInsertItem([this](TqoDataEntity* e) { Log("Insert", e); });
    c.SetOnEnterOwnerAfterChange([this](TqoDataEntity* e) { Log("Enter", e); });
    c.SetOnLeaveOwnerBeforeChange([this](TqoDataEntity* e) { Log("Leave", e); });
    c.SetOnHandlePerformedMove([this](TqoDataEntity* e, int32_t from, int32_t to) {
        Log("Move", e);
        Lines.back() += " " + std::to_string(from) + "->" + std::to_string(to);
    });
    c.SetOnSelectionChanged(
        [this](TqoDataList*, TqoDataEntity* e) { Log(e->GetSelected() ? "Select" : "Deselect", e); });
    c.SetOnContentChanged(
        [this](TqoDataList* l) { Lines.push_back("Content " + std::to_string(l->Count())); });
    c.SetOnVisibleChanged([this](TqoDataEntity* e) { Log("Visible", e); });
    c.SetOnBeforeCanEditItem([this](TqoDataEntity* e) { Log("CanEdit", e); });
    c.SetOnInfoPush([this](TqoDataEntity* e) { Log("InfoPush", e); });
    c.SetOnLoadItem([this](TqoDataEntity* e) {
        Lines.push_back("Load " + std::to_string(e->ListIndex()));
        e->SetUserIntegerReference(e->ListIndex());
    });
    c.SetOnUnLoadItem([this](TqoDataEntity* e, bool& may) {
        Log("MayUnload", e);
        may = AllowUnload;
    });
    c.SetOnUnLoadedContentChanged([this](TqoDataList*) { Lines.push_back("UnloadedContent"); });
}

} // namespace qo::test
