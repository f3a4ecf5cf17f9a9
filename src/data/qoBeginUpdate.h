#pragma once
// A bracket around a batch of changes: the owner enters its begin-update state
// only when a change actually happens (Mark), and always leaves it again.
#include "platform/core/qoEvents.h"

namespace qo {

using TOnBeginOrEndUpdate = TqoEvent<void()>;

class TqoBeginUpdate {
public:
    TqoBeginUpdate(TOnBeginOrEndUpdate beginUpdate, TOnBeginOrEndUpdate endUpdate)
        : itsBeginUpdate(std::move(beginUpdate)), itsEndUpdate(std::move(endUpdate)) {}
    ~TqoBeginUpdate() {
        if (itsBeginUpdateEntered) itsEndUpdate.Fire();
    }
    TqoBeginUpdate(const TqoBeginUpdate&) = delete;
    TqoBeginUpdate& operator=(const TqoBeginUpdate&) = delete;

    // The first call enters the begin-update state; later calls do nothing.
    void Mark() {
        if (itsBeginUpdateEntered) return;
        itsBeginUpdateEntered = true;
        itsBeginUpdate.Fire();
    }
    bool Entered() const { return itsBeginUpdateEntered; }

private:
    bool itsBeginUpdateEntered = false;
    TOnBeginOrEndUpdate itsBeginUpdate;
    TOnBeginOrEndUpdate itsEndUpdate;
};

} // namespace qo
