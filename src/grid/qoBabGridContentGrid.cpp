#include "grid/qoBabGridContentGrid.h"

#include "grid/qoBabGridContentViewer.h"
#include "platform/core/qoErrors.h"

#include <algorithm>

namespace qo {

TBabGridCell::TBabGridCell(TBabGridCell* parent)
    : TBabCell(parent), fAxisContentListX(std::make_unique<TAxisContentList>(this)),
      fAxisContentListY(std::make_unique<TAxisContentList>(this)),
      fCellMatris(std::make_unique<TCellMatris>(this)), fTopLeftChangedEvent(std::make_unique<TEvent>(this)),
      fFocusedCellChangeEvent(std::make_unique<TEvent>(this)) {}

TBabGridCell::~TBabGridCell() {
    FreeContent();
}

void TBabGridCell::FreeContent() {
    fTopLeftChangedEvent.reset();
    fFocusedCellChangeEvent.reset();
    if (fCellMatris) fCellMatris->Clear();
    fFocusedCell = fAnchor = nullptr;
    fCellMatris.reset();
    fAxisContentListX.reset();
    fAxisContentListY.reset();
}

std::unique_ptr<TBabCellData> TBabGridCell::CreateBabCellData(TBabCell* cell) {
    if (TBabGridCellForViewer* root = GetViewerGridCell()) {
        const TBabCellDataClass& cls = cell->CellType() == babCellTypeGrid ? root->BabGridCellDataClass()
                                                                           : root->BabSimpleCellDataClass();
        if (cls) return std::unique_ptr<TBabCellData>(cls.Create());
    }
    if (getGridCell()) return getGridCell()->CreateBabCellData(cell);
    throw EqoError("CreateBabCellData");
}

std::unique_ptr<TBabCell> TBabGridCell::CreateCell(TAxisContentItem* itemX, TAxisContentItem* itemY) {
    TBabGridCellForViewer* root = GetViewerGridCell();
    const TBabCellType kind =
        root && root->OnCreateCell ? root->OnCreateCell(this, itemX, itemY) : babCellTypeSimple;
    std::unique_ptr<TBabCell> cell;
    if (kind == babCellTypeGrid)
        cell = std::make_unique<TBabSubGridCell>(this);
    else
        cell = std::make_unique<TBabSimpleCell>(this);
    cell->AdoptData(CreateBabCellData(cell.get()));
    cell->fAxisContentItemX = itemX;
    cell->fAxisContentItemY = itemY;
    cell->fBabCellData->InitContent();
    if (auto* sub = dynamic_cast<TBabGridCell*>(cell.get())) {
        // A focus change inside the sub-grid is a focus change of this grid too.
        new TSingleEventListener(
            sub->FocusedCellChangeEvent(),
            [this](TSingleEventListener* listener) {
                TriggerIfAlive(FocusedCellChangeEvent(), listener->CallingMessage());
            },
            true);
    }
    return cell;
}

void TBabGridCell::ForgetCell(TBabCell* cell) {
    if (fFocusedCell == cell) {
        fFocusedCell = nullptr;
        fFocusLost = true;
    }
    if (fAnchor == cell) fAnchor = nullptr;
}

void TBabGridCell::ReportFocusLoss() {
    if (!fFocusLost) return;
    fFocusLost = false;
    TriggerIfAlive(fFocusedCellChangeEvent.get(), fFocusedCell);
}

void TBabGridCell::InsertingAxisItem(TAxisContentList* axis, int loadedIndex) {
    if (axis == fAxisContentListX.get())
        fCellMatris->InsertX(loadedIndex);
    else
        fCellMatris->InsertY(loadedIndex);
}

void TBabGridCell::DroppingAxisItem(TAxisContentList* axis, int loadedIndex) {
    if (axis == fAxisContentListX.get())
        fCellMatris->DropX(loadedIndex);
    else
        fCellMatris->DropY(loadedIndex);
}

void TBabGridCell::MovingAxisItem(TAxisContentList* axis, int from, int to) {
    if (axis == fAxisContentListX.get())
        fCellMatris->MoveX(from, to);
    else
        fCellMatris->MoveY(from, to);
}

void TBabGridCell::ReorderingAxisItems(TAxisContentList* axis, int from, const std::vector<int>& order) {
    if (axis == fAxisContentListX.get())
        fCellMatris->ReorderX(from, order);
    else
        fCellMatris->ReorderY(from, order);
}

TCellMatris::TCellLine TBabGridCell::TakingAxisItem(TAxisContentList* axis, int loadedIndex) {
    return axis == fAxisContentListX.get() ? fCellMatris->TakeX(loadedIndex) : fCellMatris->TakeY(loadedIndex);
}

void TBabGridCell::PuttingAxisItem(TAxisContentList* axis, int loadedIndex, TCellMatris::TCellLine cells) {
    if (axis == fAxisContentListX.get())
        fCellMatris->PutX(loadedIndex, std::move(cells));
    else
        fCellMatris->PutY(loadedIndex, std::move(cells));
}

void TBabGridCell::AfterAxisDrop(TAxisContentList* axis) {
    // Back to the first scrolled item, never into the fixed ones.
    if (axis == fAxisContentListX.get()) {
        if (fLeft >= axis->Count()) SetLeft(0);
    } else if (fTop >= axis->Count()) {
        SetTop(0);
    }
}

void TBabGridCell::SetTop(int v) {
    v = std::max(v, FixedRows());
    if (v == fTop) return;
    fTop = v;
    TriggerIfAlive(fTopLeftChangedEvent.get(), this);
}

void TBabGridCell::SetLeft(int v) {
    v = std::max(v, FixedCols());
    if (v == fLeft) return;
    fLeft = v;
    TriggerIfAlive(fTopLeftChangedEvent.get(), this);
}

void TBabGridCell::SetFixedRows(int v) {
    fAxisContentListY->SetFixedItems(v);
    SetTop(fTop);
}

void TBabGridCell::SetFixedCols(int v) {
    fAxisContentListX->SetFixedItems(v);
    SetLeft(fLeft);
}

namespace {

int SumOfVisibleSizes(const TAxisContentList* axis) {
    int sum = 0;
    for (const TAxisContentItem* item : axis->VisibleItems()) sum += item->CalculatedSize();
    return sum;
}

} // namespace

int TBabGridCell::GetCalculatedHeight() {
    return std::max(SumOfVisibleSizes(fAxisContentListY.get()), MinHeight());
}

int TBabGridCell::GetCalculatedWidth() {
    return std::max(SumOfVisibleSizes(fAxisContentListX.get()), MinWidth());
}

bool TBabGridCell::IsFixedCell(int x, int y) const {
    if (x < 0 || y < 0) return false;
    if (x < FixedCols() || y < FixedRows()) return true;
    return getGridCell() && IsFixed();
}

} // namespace qo
