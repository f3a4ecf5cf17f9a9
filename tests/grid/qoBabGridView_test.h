#pragma once
// A grid view on a form, filled with a header row and text cells "c<col>r<row>",
// with hooks that tests switch on: sorting, editing starts, logged notifications.
#include "grid/qoBabGridView.h"
#include "support/widgets/qoWidgetFixture.h"

#include <string>

namespace qo::test {

class TTestGridView : public TBabGridView {
public:
    using TBabGridView::TBabGridView;
    bool AllowSort = false;
    std::vector<std::string>* Log = nullptr;

    void DoSortCell(TBabCell* cell, bool up) override {
        Log->push_back("sort " + std::to_string(cell->ColumnIndex()) + (up ? " up" : " down"));
    }
    bool CheckSortAllow(TBabCell*) override { return AllowSort; }
    void StartEditing() override {
        Log->push_back("edit");
        TBabGridView::StartEditing();
    }
    using TBabGridView_Custom::CellHasIcon;
};

class GridViewFixture : public TWidgetFixture<TTestGridView> {
protected:
    static constexpr int ColWidth = 60;

    GridViewFixture() {
        form.SetBounds(0, 0, 320, 240);
        Attach();
    }
    // Places the view and names its cells.
    void Attach() {
        Place(TRect::Bounds(0, 0, 300, 200));
        control->Log = &Log;
        control->OnInitContent = [](TComponent*, TBabSimpleCellStringData* data) {
            TBabCell* cell = data->BabCell();
            data->SetString("c" + std::to_string(cell->ColumnIndex()) + "r" + std::to_string(cell->RowIndex()));
        };
    }
    TBabGridCellForViewer* Root() { return control->MainGrid(); }
    // columns of ColWidth pixels; a header row when header is set.
    void Fill(int columns, int rows, bool header = true) {
        for (int i = 0; i < columns; ++i) {
            TAxisContentItem* column = Root()->AxisContentListX()->AddNew(nullptr);
            column->SetUserSizeActive(true);
            column->SetUserSize(ColWidth);
        }
        if (header) {
            Root()->AxisContentListY()->AddNew(nullptr);
            Root()->SetFixedRows(1);
        }
        for (int i = 0; i < rows; ++i) Root()->AxisContentListY()->AddNew(nullptr);
        control->Repaint();
    }
    // The root's cell at (column, row) becomes a sub-grid of 2 x 2 cells when the rows are added.
    void MakeSubGrid(int column, int row) {
        Root()->OnCreateCell = [column, row](TBabGridCell* grid, TAxisContentItem* x, TAxisContentItem* y) {
            return !grid->getGridCell() && x->ListIndex() == column && y->ListIndex() == row ? babCellTypeGrid
                                                                                           : babCellTypeSimple;
        };
        control->OninitSubGridContent = [](TComponent*, TBabSubGridCellData* data) {
            auto* grid = dynamic_cast<TBabGridCell*>(data->BabCell());
            if (!grid || !grid->getGridCell()) return;
            for (int i = 0; i < 2; ++i) grid->AxisContentListX()->AddNew(nullptr);
            for (int i = 0; i < 2; ++i) grid->AxisContentListY()->AddNew(nullptr);
        };
    }
    TBabCell* Cell(int x, int y) { return Root()->getCell(x, y); }
    TPoint MiddleOf(int x, int y) {
        const TRect r = Cell(x, y)->getVisibleRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    std::string Selected() {
        std::string s;
        for (int y = 0; y < Root()->AxisContentListY()->Count(); ++y)
            for (int x = 0; x < Root()->AxisContentListX()->Count(); ++x)
                if (Root()->AxisContentListY()->IsLoaded(y) && Cell(x, y)->Selected())
                    s += (s.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y);
        return s;
    }
};

} // namespace qo::test
