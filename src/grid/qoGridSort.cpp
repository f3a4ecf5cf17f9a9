// Sorting rows by a column: sort strings per row (dates and times in an order
// that sorts as text, numbers as keys that compare like the numbers, the row
// index as the tie-break), compared as plain strings.
#include "grid/qoGrid.h"
#include "grid/qoGridTreeOfGrid.h"

#include "platform/core/qoDateFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace qo {

namespace {
constexpr int IndexDigits = 11;

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A number written with an optional sign, the point or the locale's decimal separator.
bool ReadNumber(const std::string& text, double& value) {
    std::string s = Trimmed(text);
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty() || s[0] == '+') return false;
    std::replace(s.begin(), s.end(), FormatSettings().DecimalSeparator, '.');
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// Sixteen hex digits that sort as text exactly as the numbers sort.
std::string NumberKey(double value) {
    if (value == 0) value = 0; // -0 sorts as 0
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bits = (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
    static constexpr char Hex[] = "0123456789abcdef";
    std::string key(16, '0');
    for (int i = 15; i >= 0; --i, bits >>= 4) key[size_t(i)] = Hex[bits & 15];
    return key;
}

std::string IndexSuffix(int index) {
    std::string digits = std::to_string(index);
    if (int(digits.size()) < IndexDigits) digits.insert(0, IndexDigits - digits.size(), '0');
    return "###" + digits.substr(digits.size() - IndexDigits);
}
} // namespace

bool TqoGrid::CheckSortAllow(TBabCell* cell) {
    const TqoGrid_Column* column = CellToColumn(cell);
    return column && column->SortEnable();
}

void TqoGrid::DoSortCell(TBabCell* cell, bool upNotDown) {
    TqoGrid_Column* column = CellToColumn(cell);
    if (column && column->Collection() == fqoGrid_Columns.get()) SortByColumn(column, upNotDown);
}

void TqoGrid::SortColumn(int index, bool upNotDown) {
    TqoGrid_Column* column = fqoGrid_Columns->Columns(index);
    EnsureFixed();
    // Without a header row the rows are sorted all the same, with no symbol to show it.
    TAxisContentItem* item = ColumnToAxisContentItem(column);
    TBabCell* header = item && MainGrid()->FixedRows() > 0
                           ? MainGrid()->getCell(item->ListIndex(), MainGrid()->FixedRows() - 1)
                           : nullptr;
    SetCurrentSortCol(header, upNotDown);
    SortByColumn(column, upNotDown);
}

void TqoGrid::SortByColumn(TqoGrid_Column* column, bool upNotDown) {
    fSortingColumn = column;
    fSortUpNotDown = upNotDown;
    bool proceed = true;
    OnColumnSort.Fire(this, column, upNotDown, proceed);
    // The handler may have deleted the column.
    if (proceed && fSortingColumn == column) DoInternalResortOfContent();
}

void TqoGrid::DoInternalResortOfContent() {
    if (SortTreeRows()) return;
    TAxisContentList* axis = MainGrid()->AxisContentListY();
    // Rows of a virtual grid that are not loaded keep their places; the loaded ones are sorted.
    std::vector<TAxisContentItem*> rows;
    for (int i = MainGrid()->FixedRows(); i < axis->LoadedCount(); ++i) rows.push_back(axis->Loaded(i));
    if (rows.empty()) return;
    const int first = rows.front()->ListIndex();
    SortRows(rows);
    axis->Reorder(first, rows);
    Invalidate();
}

void TqoGrid::SortRows(std::vector<TAxisContentItem*>& rows) {
    bool proceed = true;
    OnUserSort.Fire(this, fSortingColumn, rows, proceed);
    if (!proceed || !fSortingColumn) return;
    std::vector<std::pair<std::string, TAxisContentItem*>> keyed;
    keyed.reserve(rows.size());
    for (TAxisContentItem* row : rows) keyed.emplace_back(GetSortString(row), row);
    if (fSortUpNotDown)
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    else
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}

// Each node list is sorted by its rows, from the root list down; the rows follow their nodes.
bool TqoGrid::SortTreeRows() {
    TqoGridTree* tree = GetTree();
    if (!tree) return false;
    std::deque<TqoDataList_GridTree*> lists{tree->RootDataEntities()};
    while (!lists.empty()) {
        TqoDataList_GridTree* list = lists.front();
        lists.pop_front();
        SortNodeList(list);
        for (int32_t k = 0; k < list->LoadedCount(); ++k) {
            auto* node = static_cast<TqoDataEntity_GridTreeNode*>(list->Loaded(k));
            if (node->SubDataListCount() > 0) lists.push_back(node->SubDataList());
        }
    }
    Invalidate();
    return true;
}

void TqoGrid::SortNodeList(TqoDataList_GridTree* list) {
    auto* tree = dynamic_cast<TqoGridTreeOfGrid*>(list->GridTree());
    if (!tree || list->LoadedCount() < 2) return;
    std::vector<TAxisContentItem*> rows;
    for (int32_t k = 0; k < list->LoadedCount(); ++k)
        if (TAxisContentItem* row = static_cast<TqoDataEntity_GridTreeNode*>(list->Loaded(k))->AxisContentItem())
            rows.push_back(row);
    SortRows(rows);
    // Nodes without a row (not loaded) keep their order after the others.
    std::unordered_map<const TqoDataEntity*, int64_t> rank;
    for (size_t i = 0; i < rows.size(); ++i) rank[TqoGridTree::NodeOfRow(rows[i])] = int64_t(i);
    auto rankOf = [&rank](TqoDataEntity* node) {
        const auto found = rank.find(node);
        return found != rank.end() ? found->second : int64_t(1) << 40 | node->ListIndex();
    };
    tree->SortList(list, [&rankOf](TqoDataEntity* a, TqoDataEntity* b) {
        const int64_t ra = rankOf(a), rb = rankOf(b);
        return ra < rb ? -1 : ra > rb ? 1 : 0;
    });
}

std::string TqoGrid::CellSortText(TqoGrid_Column* column, TBabCell* cell) {
    const std::string text = GetText(cell);
    TDateTime value = 0;
    switch (column->Kind()) {
    case tckDate:
        return TryStrToDate(text, value, FormatSettings()) ? FormatDateTime("yyyy-mm-dd", value) : text;
    case tckTime:
        // "9:00" after "10:00" as plain text: times sort by their value.
        return TryStrToTime(text, value, FormatSettings()) ? FormatDateTime("hh:nn:ss.zzz", value) : text;
    case tckSubGrid:
    case tckSubTree: return {};
    default: return text;
    }
}

// Numbers sort before texts that are not numbers; empty cells count as texts.
std::string TqoGrid::GetSortString(TAxisContentItem* row) {
    TqoGrid_Column* column = fSortingColumn;
    TAxisContentItem* item = column ? ColumnToAxisContentItem(column) : nullptr;
    TBabCell* cell = item ? MainGrid()->getCell(item->ListIndex(), row->ListIndex()) : nullptr;
    std::string key = cell ? UpperAscii(CellSortText(column, cell)) : std::string();
    if (column && column->NumericSort()) {
        double number = 0;
        key = ReadNumber(key, number) ? "N" + NumberKey(number) : "T" + key;
    }
    key += IndexSuffix(row->ListIndex());
    if (OnGetUserSortCompareString) OnGetUserSortCompareString(this, column, cell, key);
    return key;
}

} // namespace qo
