// The grid's column model: the info column and header row, column items,
// default names, kinds deciding cell types and editors, removal while cells
// use a column, moving columns.
#include "qoGrid_test.h"

namespace qo {
namespace {

using GridColumns = test::GridFixture;

TEST_F(GridColumns, TheInfoColumnIsTwentyWideAndTogglesAFreshItem) {
    Column("A");
    Column("B", tckSimpleEdit, 80);
    ASSERT_EQ(control->CellCountX(), 3);
    EXPECT_EQ(control->MainGrid()->FixedCols(), 1);
    EXPECT_EQ(control->MainGrid()->FixedRows(), 1);
    TAxisContentItem* info = X()->Items(0);
    EXPECT_EQ(info->Value(), nullptr);
    EXPECT_EQ(info->UserSize(), TqoGrid::InfoColumnWidth);
    EXPECT_TRUE(info->UserSizeActive());
    EXPECT_EQ(TqoGrid::AxisContentItemToColumn(X()->Items(2)), control->Columns()->Columns(1));
    EXPECT_EQ(X()->Items(2)->UserSize(), 80);

    info->SetUserSize(55);
    control->SetHasInfoCol(false);
    EXPECT_EQ(control->CellCountX(), 2);
    EXPECT_EQ(control->MainGrid()->FixedCols(), 0);
    EXPECT_EQ(TqoGrid::AxisContentItemToColumn(X()->Items(0)), control->Columns()->Columns(0));
    control->SetHasInfoCol(true);
    ASSERT_EQ(control->CellCountX(), 3);
    EXPECT_EQ(X()->Items(0)->UserSize(), 20) << "a fresh item";
    EXPECT_EQ(X()->Items(0)->Value(), nullptr);

    control->SetHasHeaders(false);
    EXPECT_EQ(control->MainGrid()->FixedRows(), 0);
    control->SetHasHeaders(true);
    EXPECT_EQ(control->MainGrid()->FixedRows(), 1);
}

TEST_F(GridColumns, DefaultNamesAndHeaderTexts) {
    TqoGrid_Column* a = Column("");
    TqoGrid_Column* b = Column("Task");
    EXPECT_EQ(a->DisplayName(), "Column0");
    EXPECT_EQ(b->DisplayName(), "Task");
    EXPECT_EQ(control->SubGrids()->Add()->DisplayName(), "SubGrid0");
    TqoGrid_SubGrid* named = control->SubGrids()->Add();
    named->SetName("Resources");
    EXPECT_EQ(named->DisplayName(), "Resources");
    EXPECT_EQ(control->SubGrids()->Add()->DisplayName(), "SubGrid2");
    control->Repaint();
    EXPECT_EQ(control->GetText(control->Cell(2, 0)), "Task") << "a header cell shows its column's text";
    EXPECT_EQ(control->GetText(control->Cell(0, 0)), "");
}

TEST_F(GridColumns, KindsDecideCellTypeCheckBoxesAndEditors) {
    struct TCase {
        TColumnKind Kind;
        TBabEditorType Editor;
        bool Boolean, TimeMode;
        TBabCellType Type;
    };
    // Sub-grid columns keep the type they are asked with.
    const TBabEditorType asked = babETMemo;
    const TCase cases[] = {
        {tckSimpleEdit, babETEdit, false, true, babCellTypeSimple},
        {tckMemo, babETMemo, false, true, babCellTypeSimple},
        {tckBool, babETBool, true, true, babCellTypeSimple},
        {tckCombo, babETCombo, false, true, babCellTypeSimple},
        {tckDate, babETDateTime, false, false, babCellTypeSimple},
        {tckTime, babETDateTime, false, true, babCellTypeSimple},
        {tckSubGrid, asked, false, true, babCellTypeGrid},
        {tckSubTree, asked, false, true, babCellTypeGrid},
    };
    for (const TCase& c : cases) Column("k", c.Kind)->SetCheckBoxOnDateTime(true);
    TAxisContentItem* row = Row({});
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(i);
        TBabCell* cell = CellOf(i, row);
        EXPECT_EQ(cell->CellType(), cases[i].Type);
        const TqoGrid::TEditorChoice choice = control->ChooseEditor(cell, asked);
        EXPECT_EQ(choice.EditorType, cases[i].Editor);
        EXPECT_EQ(choice.TimeMode, cases[i].TimeMode);
        EXPECT_TRUE(choice.DateCheckBox);
        if (cases[i].Type == babCellTypeSimple) {
            auto* data = dynamic_cast<TBabSimpleCellStringData*>(cell->BabCellData());
            EXPECT_EQ(data->IsBoolean(), cases[i].Boolean);
        }
        // Header cells of sub-grid columns stay simple.
        EXPECT_EQ(control->Cell(1 + i, 0)->CellType(), babCellTypeSimple);
    }
    EXPECT_EQ(control->ChooseEditor(control->Cell(0, 1), babETBool).EditorType, babETBool)
        << "the info column changes nothing";
}

class GridColumnEditors : public GridColumns {
protected:
    GridColumnEditors() {
        Column("L")->SetReadOnly(true);
        Column("C", tckCombo);
        Column("D", tckDate)->SetCheckBoxOnDateTime(true);
        Column("T", tckTime);
        row = Row({"x", "y", "", ""});
        control->OnBeforeEditWithCombo = [this](TqoGrid* grid, TqoGrid_Column* column, TBabCell*) {
            asked.push_back(column->HeaderText());
            grid->InitEditCombo({"a", "b"}, 1);
        };
    }
    void Edit(int column) {
        control->BreakEditing();
        control->SetFocusedCell(CellOf(column, row));
        control->StartEditing();
    }
    TAxisContentItem* row = nullptr;
    std::vector<std::string> asked;
};

TEST_F(GridColumnEditors, TheColumnPicksTheEditorAndTheHostFillsTheComboList) {
    Edit(0);
    EXPECT_FALSE(control->Editing()) << "a read-only column";
    Edit(1);
    ASSERT_TRUE(control->Editing());
    TBabInplaceComboEditor* combo = control->InplaceComboEditor();
    EXPECT_EQ(control->CurrentEditor(), combo);
    EXPECT_EQ(asked, std::vector<std::string>{"C"});
    EXPECT_EQ(combo->Items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    control->StopEditing();
    EXPECT_EQ(control->GetText(CellOf(1, row)), "b") << "the host's choice is committed";

    control->OnBeforeEditWithCombo = [](TqoGrid* grid, TqoGrid_Column*, TBabCell*) { grid->InitEditCombo({"a"}, 5); };
    Edit(1);
    EXPECT_EQ(combo->Items(), std::vector<std::string>{"a"});
    EXPECT_EQ(combo->ItemIndex(), -1) << "an index outside the list selects nothing";

    Edit(2);
    TBabInplaceDateTimeEditor* picker = control->InplaceDateTimeEditor();
    ASSERT_EQ(control->CurrentEditor(), picker);
    EXPECT_EQ(picker->Kind(), dtkDate);
    EXPECT_TRUE(picker->ShowCheckbox());
    Edit(3);
    ASSERT_EQ(control->CurrentEditor(), picker);
    EXPECT_EQ(picker->Kind(), dtkTime);
    EXPECT_FALSE(picker->ShowCheckbox());
}

TEST_F(GridColumnEditors, AHostThatFreesTheGridWhileFillingTheListEndsTheEdit) {
    control->OnBeforeEditWithCombo = [this](TqoGrid*, TqoGrid_Column*, TBabCell*) { FreeControl(); };
    Edit(1);
    EXPECT_EQ(control, nullptr);
}

TEST_F(GridColumns, RemovingAColumnTakesItsCellsAndKeepsTheOthers) {
    Column("A");
    Column("B");
    Column("C");
    Row({"a1", "b1", "c1"});
    Row({"a2", "b2", "c2"});
    control->SortColumn(1, false);
    EXPECT_EQ(control->SortingColumn(), control->Columns()->Columns(1));
    control->Columns()->Delete(1);
    control->Repaint();
    EXPECT_EQ(control->CellCountX(), 3);
    EXPECT_EQ(control->SortingColumn(), nullptr);
    EXPECT_EQ(Texts(0), "a1,a2");
    EXPECT_EQ(Texts(1), "c1,c2");
    EXPECT_EQ(TqoGrid::AxisContentItemToColumn(X()->Items(2))->HeaderText(), "C");
    EXPECT_EQ(control->GetText(control->Cell(2, 0)), "C");
    control->Columns()->Clear();
    control->Repaint();
    EXPECT_EQ(control->CellCountX(), 1) << "the info column stays";
    EXPECT_EQ(control->CellCountY(), 3) << "rows stay";
}

TEST_F(GridColumns, MovingAColumnMovesItsItemAndCells) {
    Column("A");
    Column("B");
    Column("C");
    Row({"a", "b", "c"});
    control->Columns()->Columns(2)->SetIndex(0);
    EXPECT_EQ(Texts(0), "c");
    EXPECT_EQ(Texts(1), "a");
    EXPECT_EQ(Texts(2), "b");
    EXPECT_EQ(control->Columns()->Columns(0)->HeaderText(), "C");
    EXPECT_EQ(TqoGrid::AxisContentItemToColumn(X()->Items(1))->HeaderText(), "C");
}

TEST_F(GridColumns, HiddenColumnsHideTheirItemsAtTheNextLayout) {
    Column("A");
    TqoGrid_Column* b = Column("B");
    Row({"a", "b"});
    b->SetHidden(true);
    control->Repaint();
    EXPECT_TRUE(X()->Items(2)->Hide());
    b->SetHidden(false);
    control->Repaint();
    EXPECT_FALSE(X()->Items(2)->Hide());
}

TEST_F(GridColumns, AssigningColumnsCopiesEverySetting) {
    TqoGrid_Column* a = Column("A", tckDate, 90);
    a->SetNumericSort(true);
    a->SetLayoutName("L");
    a->SetSortEnable(true);
    TqoGrid other(&form);
    other.SetColumns(*control->Columns());
    ASSERT_EQ(other.Columns()->Count(), 1);
    TqoGrid_Column* copy = other.Columns()->Columns(0);
    EXPECT_EQ(copy->HeaderText(), "A");
    EXPECT_EQ(copy->Kind(), tckDate);
    EXPECT_EQ(copy->Width(), 90);
    EXPECT_TRUE(copy->NumericSort());
    EXPECT_TRUE(copy->SortEnable());
    EXPECT_EQ(copy->LayoutName(), "L");
    EXPECT_EQ(copy->Grid(), &other);
}

} // namespace
} // namespace qo
