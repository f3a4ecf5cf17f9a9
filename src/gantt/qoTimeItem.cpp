#include "gantt/qoTimeItem.h"

#include "gantt/qoGantRow.h"

namespace qo {

TGantRow* TqoDataEntity_GantTime::Row() const {
    const auto* layer = dynamic_cast<const TqoDataList_GantRow*>(OwningDataList());
    return layer ? layer->Row() : nullptr;
}

} // namespace qo
