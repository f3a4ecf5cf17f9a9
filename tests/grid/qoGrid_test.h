#pragma once
// A grid component on a form, with helpers that add columns and rows of texts
// and read a column back in row order.
#include "grid/qoGrid.h"
#include "support/widgets/qoWidgetFixture.h"

#include <string>
#include <vector>

namespace qo::test {

class GridFixture : public TWidgetFixture<TqoGrid> {
protected:
    GridFixture() {
        form.SetBounds(0, 0, 420, 300);
        Place(TRect::Bounds(0, 0, 400, 280));
    }
    TqoGrid_Column* Column(const std::string& header, TColumnKind kind = tckSimpleEdit, int width = 60) {
        TqoGrid_Column* column = control->AddColumn();
        column->SetHeaderText(header);
        column->SetKind(kind);
        column->SetWidth(width);
        return column;
    }
    // One row; texts fill the columns from the first.
    TAxisContentItem* Row(const std::vector<std::string>& texts) {
        TAxisContentItem* row = control->AddRow(nullptr);
        for (size_t i = 0; i < texts.size(); ++i) control->SetText(CellOf(int(i), row), texts[i]);
        return row;
    }
    TBabCell* CellOf(int column, TAxisContentItem* row) {
        return control->Cell(control->MainGrid()->FixedCols() + column, row->ListIndex());
    }
    // The texts of a column from the first data row down, comma-separated.
    std::string Texts(int column) {
        std::string s;
        TBabGridCellForViewer* root = control->MainGrid();
        for (int y = root->FixedRows(); y < root->AxisContentListY()->Count(); ++y)
            s += (s.empty() ? "" : ",") + control->GetText(control->Cell(root->FixedCols() + column, y));
        return s;
    }
    TAxisContentList* X() { return control->MainGrid()->AxisContentListX(); }
    TAxisContentList* Y() { return control->MainGrid()->AxisContentListY(); }
};

} // namespace qo::test
