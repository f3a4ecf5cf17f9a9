// Saving the expanded nodes of the main grid's tree by a key per row, and
// restoring them level by level, parents before their children.
#include "grid/qoGrid.h"
#include "grid/qoGridTreeHold.h"

#include "data/qoDoLater.h"

#include <map>

namespace qo {

std::string TqoGrid::DefaultExpandKey(TAxisContentItem* row) {
    std::string key;
    TBabGridCellForViewer* root = MainGrid();
    for (int x = 0; x < root->AxisContentListX()->Count(); ++x) {
        key += '#';
        key += GetText(root->getCell(x, row->ListIndex()));
    }
    return key;
}

void TqoGrid::ClearExpandedStateMark(void*) { fExpandedStateAlreadySaved = false; }

void TqoGrid::ExpandedStateSave(const TExpandKey& key) {
    if (fExpandedStateAlreadySaved) return;
    fExpandedStateAlreadySaved = true;
    TDoLater::DoLater(DoLaterMethod<&TqoGrid::ClearExpandedStateMark>(this), nullptr);
    fExpandStateStringList.clear();
    TAxisContentList* rows = MainGrid()->AxisContentListY();
    for (int y = MainGrid()->FixedRows(); y < rows->LoadedCount(); ++y) {
        TAxisContentItem* row = rows->Loaded(y);
        TqoDataEntity_GridTreeNode* node = AxisContentItemToGridTreeNode(row);
        if (!node || !node->Expanded()) continue;
        fExpandStateStringList.push_back({key ? key(this, row) : DefaultExpandKey(row), node->Level()});
    }
}

void TqoGrid::ExpandedStateRestore(const TExpandKey& key) {
    struct TMark {
        bool& Flag;
        bool Outer;
        ~TMark() { Flag = Outer; }
    } mark{fExpandedStateAlreadySaved, std::exchange(fExpandedStateAlreadySaved, true)};
    for (int level = 0; RestoreLevel(level, key); ++level) {
    }
}

bool TqoGrid::RestoreLevel(int level, const TExpandKey& key) {
    std::map<std::string, int> wanted;
    for (const TExpandedEntry& entry : fExpandStateStringList)
        if (entry.Level == level) ++wanted[entry.Key];
    if (wanted.empty()) return false;
    // The nodes are found first: expanding runs host code that adds and removes rows.
    std::vector<TqoDataEntity_GridTreeNode*> found;
    TAxisContentList* rows = MainGrid()->AxisContentListY();
    for (int y = MainGrid()->FixedRows(); y < rows->LoadedCount(); ++y) {
        TAxisContentItem* row = rows->Loaded(y);
        TqoDataEntity_GridTreeNode* node = AxisContentItemToGridTreeNode(row);
        if (node && node->Level() == level &&
            wanted.count(key ? key(this, row) : DefaultExpandKey(row)))
            found.push_back(node);
    }
    std::vector<std::unique_ptr<THold>> holds;
    for (TqoDataEntity_GridTreeNode* node : found) holds.push_back(std::make_unique<THold>(node));
    bool expanded = false;
    for (size_t i = 0; i < found.size(); ++i) {
        if (!holds[i]->InList()) continue;
        found[i]->SetExpanded(true);
        expanded = expanded || found[i]->Expanded();
    }
    return expanded;
}

} // namespace qo
