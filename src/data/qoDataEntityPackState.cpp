// What lists made alike share, and the state that only some lists need.
#include "data/qoDataEntityPack.h"

#include <cassert>
#include <mutex>

namespace qo {

const TqoListKind TqoListKind::kNone;

namespace {

using TKindList = std::vector<std::unique_ptr<TqoListKind>>;

const TqoListKind* FindOrMake(TKindList& made, TqoListController* controller,
                              const TqoClassRef<TqoDataEntity>& entityClass) {
    for (const auto& kind : made)
        if (kind->EntityClass == entityClass) return kind.get();
    made.push_back(std::make_unique<TqoListKind>(TqoListKind{controller, entityClass}));
    return made.back().get();
}

// The kinds of lists without controller: one per class at most. Lists may be
// freed on any thread (a host's last release) and after the program's
// statics, so the table is locked and never destroyed.
struct TUnownedKinds {
    std::mutex Lock;
    TKindList Made;

    static TUnownedKinds& Instance() {
        static auto* kinds = new TUnownedKinds;
        return *kinds;
    }
};

} // namespace

const TqoListKind* TqoListKind::Of(TqoListController* controller, const TqoClassRef<TqoDataEntity>& entityClass) {
    if (controller) return FindOrMake(controller->fKinds.Made, controller, entityClass);
    if (!entityClass) return &kNone;
    TUnownedKinds& unowned = TUnownedKinds::Instance();
    const std::lock_guard<std::mutex> lock(unowned.Lock);
    return FindOrMake(unowned.Made, nullptr, entityClass);
}

TqoDataList::TState& TqoDataList::State() {
    if (TState* state = FoundState()) return *state;
    auto* state = new TState;
    static_cast<TqoListKind&>(*state) = *fKind;
    state->Direct = uint32_t(fItems.size());
    fKind = state;
    fOwnState = true;
    return *state;
}

void TqoDataList::SettleState() {
    const TState* state = FoundState();
    if (!state || state->UnloadedPreCount || state->UnloadedPostCount || state->Gaps || state->OutOfDateFromIndex != INT32_MAX ||
        state->MiscObjectPointer)
        return;
    fKind = TqoListKind::Of(state->Controller, state->EntityClass);
    fOwnState = false;
    delete state;
}

void TqoDataList::SetKind(TqoListController* controller, const TqoDataEntityClass& entityClass) {
    if (TState* state = FoundState()) {
        state->Controller = controller;
        state->EntityClass = entityClass;
    } else {
        fKind = TqoListKind::Of(controller, entityClass);
    }
}

void TqoDataList::SetUnloadedPreCount(int32_t n) {
    if (n || FoundState()) State().UnloadedPreCount = n;
    Redirect();
}

void TqoDataList::SetUnloadedPostCount(int32_t n) {
    if (n || FoundState()) State().UnloadedPostCount = n;
}

void TqoDataList::MoveEmptyWindowTo(int32_t i) {
    assert(fItems.empty() && "no entity is loaded");
    const int32_t count = Count();
    SetUnloadedPreCount(i);
    SetUnloadedPostCount(count - i);
}

void TqoDataList::SetMiscObjectPointer(void* value) {
    if (value || FoundState()) State().MiscObjectPointer = value;
    SettleState();
}

} // namespace qo
