// The grid's construction, its rows and cells, the fixed items and column
// items of the main grid and of every sub-grid cell, the initialisation of
// simple and sub-grid cells, header texts, editors and layouts.
#include "grid/qoGrid.h"

#include "data/qoDoLater.h"

#include <algorithm>

namespace qo {

TqoGrid::TqoGrid(TComponent* owner)
    : TBabGridView_Custom(owner, TBabCellDataClass::Of<TBabSimpleCellStringData>(),
                          TBabCellDataClass::Of<TBabSubGridCellDataTreeRef>()) {
    fCellLayouts = CreateCellLayoutsCollection();
    fqoGrid_Columns = CreateColumnsCollection(nullptr);
    fSubGrids = CreateSubGridsCollection();
    MainGrid()->OnCreateCell = [this](TBabGridCell* grid, TAxisContentItem* column, TAxisContentItem* row) {
        return CreateCellType(grid, column, row);
    };
    WireVirtualRows();
    OnChooseEditor = [this](TComponent*, TBabCellData* data, TBabEditorType& type) {
        if (data && data->BabCell()) type = ChooseEditor(data->BabCell(), type).EditorType;
    };
    NeedEnsureFixed();
}

TqoGrid::~TqoGrid() {
    fDestroying = true;
    CancelDeferred();
    DestroyColumns();
    fSubGrids.reset();
    fCellLayouts.reset();
}

void TqoGrid::DestroyColumns() { fqoGrid_Columns.reset(); }

std::unique_ptr<TqoGrid_Columns> TqoGrid::CreateColumnsCollection(TqoGrid_SubGrid* subGrid) {
    return std::make_unique<TqoGrid_Columns>(this, subGrid);
}

std::unique_ptr<TqoGrid_SubGrids> TqoGrid::CreateSubGridsCollection() {
    return std::make_unique<TqoGrid_SubGrids>(this);
}

std::unique_ptr<TqoCellLayouts> TqoGrid::CreateCellLayoutsCollection() {
    return std::make_unique<TqoCellLayouts>(this);
}

TqoGrid_Column* TqoGrid::AddColumn() {
    const bool first = fqoGrid_Columns->Count() == 0;
    TqoGrid_Column* column = fqoGrid_Columns->Add();
    if (first) EnsureFixed();
    return column;
}

// ---- rows

TAxisContentItem* TqoGrid::AddRow(void* reference) {
    EnsureFixed();
    return MainGrid()->AxisContentListY()->AddNew(reference);
}

TAxisContentItem* TqoGrid::InsertRow(int index, void* reference) {
    EnsureFixed();
    // A row never goes above the header row.
    return MainGrid()->AxisContentListY()->InsertNew(std::max(index, MainGrid()->FixedRows()), reference);
}

TAxisContentItem* TqoGrid::AddRowInSubGrid(TBabCell* gridCell, void* reference) {
    if (!gridCell || gridCell->CellType() != babCellTypeGrid) return nullptr;
    return static_cast<TBabGridCell*>(gridCell)->AxisContentListY()->AddNew(reference);
}

TAxisContentItem* TqoGrid::InsertRowInSubGrid(TBabCell* gridCell, int index, void* reference) {
    if (!gridCell || gridCell->CellType() != babCellTypeGrid) return nullptr;
    auto* grid = static_cast<TBabGridCell*>(gridCell);
    return grid->AxisContentListY()->InsertNew(std::max(index, grid->FixedRows()), reference);
}

int TqoGrid::GetRowHeight(int y) {
    TAxisContentList* rows = MainGrid()->AxisContentListY();
    if (y < 0 || y >= rows->Count()) return 0;
    TAxisContentItem* row = rows->Items(y);
    return row ? std::max(row->UserSize(), row->CalculatedSize()) : 0;
}

void TqoGrid::SetRowHeight(int y, int height) {
    TAxisContentList* rows = MainGrid()->AxisContentListY();
    if (y < 0 || y >= rows->Count()) throw EListError(y);
    TAxisContentItem* row = rows->Items(y);
    row->SetUserSizeActive(true);
    row->SetUserSize(height);
    SetHardViewParamsOutOfDate();
}

// ---- cells

TBabCell* TqoGrid::Cell(int x, int y) {
    EnsureFixed();
    return MainGrid()->getCell(x, y);
}

TBabCell* TqoGrid::GetCellAtPixel(int x, int y) { return MainGrid()->CellFromPix(x, y, true); }

int TqoGrid::CellCountX() {
    EnsureFixed();
    return MainGrid()->AxisContentListX()->Count();
}

int TqoGrid::CellCountY() {
    EnsureFixed();
    return MainGrid()->AxisContentListY()->Count();
}

TqoGrid_Column* TqoGrid::AxisContentItemToColumn(TAxisContentItem* item) {
    return item ? static_cast<TqoGrid_Column*>(item->Value()) : nullptr;
}

TqoGrid_Columns* TqoGrid::ColumnsOf(TBabGridCell* grid) const {
    if (grid == MainGrid()) return fqoGrid_Columns.get();
    auto* data = grid ? dynamic_cast<TBabSubGridCellDataTreeRef*>(grid->BabCellData()) : nullptr;
    return data && data->SpawnedFrom() ? data->SpawnedFrom()->Columns() : nullptr;
}

TqoGrid_Column* TqoGrid::CellToColumn(TBabCell* cell) const {
    if (!cell || !cell->AxisContentItemX()) return nullptr;
    if (TqoGrid_Column* column = AxisContentItemToColumn(cell->AxisContentItemX())) return column;
    TBabGridCell* grid = cell->getGridCell();
    TqoGrid_Columns* columns = ColumnsOf(grid);
    const int index = cell->ColumnIndex() - grid->FixedCols();
    return columns && index >= 0 && index < columns->Count() ? columns->Columns(index) : nullptr;
}

TAxisContentItem* TqoGrid::ColumnToAxisContentItem(TqoGrid_Column* column) const {
    TAxisContentList* axis = MainGrid()->AxisContentListX();
    for (int i = 0; i < axis->LoadedCount(); ++i)
        if (axis->Loaded(i)->Value() == column) return axis->Loaded(i);
    return nullptr;
}

TBabCell* TqoGrid::FocusedCell() const { return MainGrid()->FocusedCellDownTrack(); }

void TqoGrid::SetFocusedCell(TBabCell* cell) {
    if (cell)
        cell->getGridCell()->SetFocusedCell(cell);
    else
        MainGrid()->SetFocusedCell(nullptr);
}

namespace {
int FirstUnhiddenFrom(TAxisContentList* axis, int index) {
    for (int i = std::max(index, 0); i < axis->Count(); ++i)
        if (TAxisContentItem* item = axis->Items(i); item && !item->Hide()) return i;
    for (int i = std::min(index, axis->Count()) - 1; i >= 0; --i)
        if (TAxisContentItem* item = axis->Items(i); item && !item->Hide()) return i;
    return index;
}
} // namespace

TBabCell* TqoGrid::TopLeftCell() {
    EnsureFixed();
    TBabGridCellForViewer* root = MainGrid();
    return root->getCell(FirstUnhiddenFrom(root->AxisContentListX(), root->Left()), root->Top());
}

void TqoGrid::SetTopLeftCell(TBabCell* cell) {
    // A cell of a sub-grid scrolls its enclosing main-grid cell into the corner.
    while (cell && cell->getGridCell() && cell->getGridCell() != MainGrid()) cell = cell->getGridCell();
    if (!cell || !cell->getGridCell()) return;
    MainGrid()->SetLeft(FirstUnhiddenFrom(MainGrid()->AxisContentListX(), cell->ColumnIndex()));
    MainGrid()->SetTop(cell->RowIndex());
}

// ---- fixed items

void TqoGrid::NeedEnsureFixed() {
    fNeedEnsureFixed = true;
    Invalidate();
}

void TqoGrid::EnsureFixed() {
    if (!fNeedEnsureFixed || fDestroying) return;
    fNeedEnsureFixed = false;
    InitColumnsAndFixed(MainGrid(), fqoGrid_Columns.get(), fHasInfoCol, fHasHeaders);
    SetHardViewParamsOutOfDate();
}

void TqoGrid::RedrawIfNeeded() {
    if (!fNeedEnsureFixed) return;
    EnsureFixed();
    Invalidate();
}

void TqoGrid::SetHasHeaders(bool v) {
    if (v == fHasHeaders) return;
    fHasHeaders = v;
    fNeedEnsureFixed = true;
    EnsureFixed();
}

void TqoGrid::SetHasInfoCol(bool v) {
    if (v == fHasInfoCol) return;
    fHasInfoCol = v;
    fNeedEnsureFixed = true;
    EnsureFixed();
}

void TqoGrid::SetSize(TAxisContentItem* item, int size) {
    if (item->UserSizeActive() && item->UserSize() == size) return;
    const TInternalSizing sizing(fInternalSizing);
    item->SetUserSizeActive(true);
    item->SetUserSize(size);
}

void TqoGrid::InitColumnsAndFixed(TBabGridCell* grid, TqoGrid_Columns* columns, bool hasInfoCol, bool hasHeaders) {
    TAxisContentList* x = grid->AxisContentListX();
    TAxisContentList* y = grid->AxisContentListY();
    if (hasInfoCol && grid->FixedCols() != 1) {
        grid->SetFixedCols(1);
        SetSize(x->InsertNew(0, nullptr), InfoColumnWidth);
    } else if (!hasInfoCol && grid->FixedCols() > 0) {
        grid->SetFixedCols(0);
        x->Drop(0);
    }
    if (hasHeaders && grid->FixedRows() != 1) {
        grid->SetFixedRows(1);
        y->InsertNew(0, nullptr);
    } else if (!hasHeaders && grid->FixedRows() > 0) {
        grid->SetFixedRows(0);
        y->Drop(0);
    }
    const int fixed = grid->FixedCols();
    const int wanted = fixed + columns->Count();
    while (x->Count() < wanted) x->AddNew(columns->Columns(x->Count() - fixed));
    while (x->Count() > wanted) x->Drop(x->Count() - 1);
    for (int i = 0; i < columns->Count(); ++i) {
        TAxisContentItem* item = x->Items(fixed + i);
        item->SetValue(columns->Columns(i));
        SetSize(item, columns->Columns(i)->Width());
    }
    if (TqoGrid_SubGrid* definition = columns->SubGrid()) {
        definition->AddSpawned(grid);
        if (auto* data = dynamic_cast<TBabSubGridCellDataTreeRef*>(grid->BabCellData()))
            data->SetSpawnedFrom(definition, grid);
    }
    columns->SetCellVisibilityOutOfDate(true);
}

// ---- cell creation and initialisation

TBabCellType TqoGrid::CreateCellType(TBabGridCell* grid, TAxisContentItem* column, TAxisContentItem* row) {
    const TqoGrid_Column* c = AxisContentItemToColumn(column);
    if (!c || !IsSubGridKind(c->Kind())) return babCellTypeSimple;
    if (column->ListIndex() < grid->FixedCols() || row->ListIndex() < grid->FixedRows()) return babCellTypeSimple;
    return babCellTypeGrid;
}

TLayoutProp* TqoGrid::DefaultLayoutFor(TBabCell* cell) {
    return cell->CellType() == babCellTypeSimple && !cell->IsFixed() ? DefaultContentLayoutProperty() : nullptr;
}

void TqoGrid::InitContent(TBabSimpleCellStringData* data) {
    TBabGridView_Custom::InitContent(data);
    TBabCell* cell = data->BabCell();
    TqoGrid_Column* column = CellToColumn(cell);
    if (!column) return;
    if (!cell->IsFixed())
        if (TLayoutProp* layout = column->LayoutProp()) cell->SetLayoutProp(layout);
    data->SetIsBoolean(column->Kind() == tckBool);
}

void TqoGrid::initSubGridContent(TBabSubGridCellData* data) {
    TBabGridView_Custom::initSubGridContent(data);
    TBabCell* cell = data->BabCell();
    TqoGrid_Column* column = CellToColumn(cell);
    if (!column || cell->CellType() != babCellTypeGrid) return;
    std::string name = column->SubGridName();
    column->OnContextSensitiveSubGrid.Fire(this, cell->AxisContentItemY(), column, name);
    if (TqoGrid_SubGrid* definition = fSubGrids->SubGridByName(name)) {
        InitColumnsAndFixed(static_cast<TBabGridCell*>(cell), definition->Columns(), definition->HasInfoCol(),
                            definition->HasHeaders());
        if (auto* treeRef = dynamic_cast<TBabSubGridCellDataTreeRef*>(data))
            treeRef->SetUseGridTree(column->Kind() == tckSubTree);
    }
    if (!cell->IsFixed())
        if (TLayoutProp* layout = column->LayoutProp()) cell->SetLayoutProp(layout);
}

void TqoGrid::PreDrawGetStringAndSetAttributes(TBabCell* cell, std::string& text, bool& isBoolean, bool& ticked) {
    if (cell->IsFixed())
        if (TqoGrid_Column* column = CellToColumn(cell))
            if (auto* data = dynamic_cast<TBabSimpleCellStringData*>(cell->BabCellData())) {
                data->SetString(column->HeaderText());
                data->SetIsBoolean(false);
            }
    TBabGridView_Custom::PreDrawGetStringAndSetAttributes(cell, text, isBoolean, ticked);
}

// ---- layouts

void TqoGrid::ForEachColumn(const std::function<void(TqoGrid_Column*)>& action) const {
    for (int i = 0; i < fqoGrid_Columns->Count(); ++i) action(fqoGrid_Columns->Columns(i));
    for (int s = 0; s < fSubGrids->Count(); ++s) {
        TqoGrid_Columns* columns = fSubGrids->SubGrids(s)->Columns();
        for (int i = 0; i < columns->Count(); ++i) action(columns->Columns(i));
    }
}

void TqoGrid::ForEachExistingCell(TBabGridCell* grid, const std::function<void(TBabCell*)>& action) {
    TCellMatris* matrix = grid->CellMatris();
    for (int x = 0; x < matrix->LoadedCountX(); ++x)
        for (int y = 0; y < matrix->LoadedCountY(); ++y)
            if (TBabCell* cell = matrix->ExistingCell(x, y)) {
                action(cell);
                if (cell->CellType() == babCellTypeGrid) ForEachExistingCell(static_cast<TBabGridCell*>(cell), action);
            }
}

void TqoGrid::CellLayoutsChanged(TLayoutProp* removed) {
    if (fDestroying || !fqoGrid_Columns || !fSubGrids) return;
    // Cells that show their column's layout follow it; cells given another one keep theirs.
    std::vector<std::pair<TqoGrid_Column*, TLayoutProp*>> before;
    ForEachColumn([&before](TqoGrid_Column* column) {
        before.emplace_back(column, column->LayoutProp());
        column->SetLayoutPropertyOutOfDate();
    });
    auto previous = [&before](TqoGrid_Column* column) {
        for (const auto& [c, layout] : before)
            if (c == column) return layout;
        return static_cast<TLayoutProp*>(nullptr);
    };
    ForEachExistingCell(MainGrid(), [&](TBabCell* cell) {
        TLayoutProp* current = cell->LayoutProp();
        TLayoutProp* fallback = DefaultLayoutFor(cell);
        TqoGrid_Column* column = cell->IsFixed() ? nullptr : CellToColumn(cell);
        if (column && (current == previous(column) || current == removed || current == fallback)) {
            TLayoutProp* layout = column->LayoutProp();
            cell->SetLayoutProp(layout ? layout : fallback);
        } else if (current && current == removed) {
            cell->SetLayoutProp(fallback);
        }
    });
    SetHardViewParamsOutOfDate();
}

void TqoGrid::ForgetColumn(TqoGrid_Column* column) {
    if (fSortingColumn == column) fSortingColumn = nullptr;
}

// ---- editors

TqoGrid::TEditorChoice TqoGrid::ChooseEditor(TBabCell* cell, TBabEditorType current) {
    TEditorChoice choice;
    choice.EditorType = current;
    const TqoGrid_Column* column = CellToColumn(cell);
    if (!column) return choice;
    switch (column->Kind()) {
    case tckSimpleEdit: choice.EditorType = babETEdit; break;
    case tckMemo: choice.EditorType = babETMemo; break;
    case tckBool: choice.EditorType = babETBool; break;
    case tckCombo: choice.EditorType = babETCombo; break;
    case tckDate:
    case tckTime: choice.EditorType = babETDateTime; break;
    case tckSubGrid:
    case tckSubTree: break;
    }
    choice.DateCheckBox = column->CheckBoxOnDateTime();
    choice.TimeMode = column->Kind() != tckDate;
    return choice;
}

void TqoGrid::BeforeEditWithCombo(TBabCell* cell) {
    if (TqoGrid_Column* column = CellToColumn(cell)) OnBeforeEditWithCombo.Fire(this, column, cell);
}

std::string TqoGrid::InitEditor(TWinControl* editor, TBabCell* cell) {
    std::string text = TBabGridView_Custom::InitEditor(editor, cell);
    if (editor == InplaceDateTimeEditor()) {
        const TEditorChoice choice = ChooseEditor(cell, babETDateTime);
        InplaceDateTimeEditor()->SetShowCheckbox(choice.DateCheckBox);
        InplaceDateTimeEditor()->SetKind(choice.TimeMode ? dtkTime : dtkDate);
    } else if (editor == InplaceComboEditor()) {
        fEditComboStrings.clear();
        fEditComboIndex = -1;
        const TqoAlive::TWatch alive = WatchAlive();
        BeforeEditWithCombo(cell);
        if (!alive) return text;
        InplaceComboEditor()->SetItems(fEditComboStrings);
        // The host's choice wins over the cell's text.
        if (fEditComboIndex >= 0) text = fEditComboStrings[size_t(fEditComboIndex)];
    }
    return text;
}

void TqoGrid::InitEditCombo(const std::vector<std::string>& strings, int currentIndex) {
    fEditComboStrings = strings;
    fEditComboIndex = currentIndex >= 0 && currentIndex < int(strings.size()) ? currentIndex : -1;
}

bool TqoGrid::EditorCanModifyDefaultValue(TBabCell* cell) {
    const TqoGrid_Column* column = CellToColumn(cell);
    return !(column && column->ReadOnly());
}

// ---- painting

void TqoGrid::OffscreenPaint() {
    EnsureFixed();
    TBabGridView_Custom::OffscreenPaint();
}

void TqoGrid::HardViewParamsUpdate() {
    EnsureFixed();
    if (fqoGrid_Columns->CellVisibilityOutOfDate()) fqoGrid_Columns->ApplyCellVisibility();
    for (int i = 0; i < fSubGrids->Count(); ++i) {
        TqoGrid_Columns* columns = fSubGrids->SubGrids(i)->Columns();
        if (columns->CellVisibilityOutOfDate()) columns->ApplyCellVisibility();
    }
    if (TqoGridTree* tree = GetTree()) tree->IntegrationTargetInvalidate();
    RequestStretch();
    TBabGridView_Custom::HardViewParamsUpdate();
}

} // namespace qo
