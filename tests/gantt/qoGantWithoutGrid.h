#pragma once
// A chart whose row header can only be a tree: its grid factory makes none.
#include "gantt/qoGant.h"

namespace qo::test {

class TGantWithoutGrid : public TqoGant_ComBasic {
public:
    explicit TGantWithoutGrid(TComponent* owner) : TqoGant_ComBasic(owner, TDeferInitialize{}) {
        InitializeInConstructor();
    }

protected:
    std::unique_ptr<IGantGridHeader> CreateGrid(TComponent*) override { return nullptr; }
};

} // namespace qo::test
