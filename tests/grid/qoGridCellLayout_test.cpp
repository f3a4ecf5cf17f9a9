// Cell layouts: values copied into the layout property the cells read,
// defaults, columns resolving the last layout of their name, applying by
// name, and layouts renamed or removed while cells use them.
#include "qoGrid_test.h"

namespace qo {
namespace {

using GridLayouts = test::GridFixture;

TEST_F(GridLayouts, SettersCopyIntoTheLayoutPropertyAndDefaultsHold) {
    TqoCellLayout* layout = control->CellLayouts()->Add();
    TLayoutProp* p = layout->LayoutProperty();
    EXPECT_EQ(p->MinHeight, 20);
    EXPECT_EQ(p->MinWidth, 20);
    EXPECT_EQ(p->BackColor, clWindow);
    EXPECT_EQ(p->FrameColor, clBtnFace);
    EXPECT_EQ(p->FrameOptions, foRight);
    EXPECT_EQ(layout->DisplayName(), "TqoCellLayout");
    layout->SetName("Bold");
    EXPECT_EQ(layout->DisplayName(), "Bold");
    layout->SetWindowsFlagDraw(true);
    layout->SetWindowsFlags(0x24);
    layout->SetWrapTextAndFit(true);
    layout->SetFrameKind(fk3d);
    layout->SetHorzAlignRight(true);
    layout->SetEndEllipsis(true);
    EXPECT_TRUE(p->FlagDraw);
    EXPECT_EQ(p->Flags, 0x24u);
    EXPECT_TRUE(p->WrapTextAndFit);
    EXPECT_EQ(p->FrameKind, fk3d);
    EXPECT_TRUE(p->HorzAlignRight && p->EndEllipsis);
    TFont font;
    font.Name = "Arial";
    font.Size = 11;
    font.Style = TLayoutProp::StyleBold;
    font.Color = clRed;
    layout->SetFont(font);
    layout->SetUseFontInfo(true);
    EXPECT_EQ(p->FontName, "Arial");
    EXPECT_EQ(p->FontSize, 11);
    EXPECT_EQ(p->FontStyle, TLayoutProp::StyleBold);
    EXPECT_EQ(p->FontColor, clRed);
    EXPECT_TRUE(p->UseFontInfo);
    // A copy carries the name and every value, not the font alone.
    TqoGrid other(&form);
    other.SetCellLayouts(*control->CellLayouts());
    TLayoutProp* copy = other.CellLayouts()->CellLayouts(0)->LayoutProperty();
    EXPECT_EQ(copy->Name, "Bold");
    EXPECT_EQ(copy->Flags, 0x24u);
    EXPECT_EQ(copy->FontName, "Arial");
}

TEST_F(GridLayouts, ColumnsAndApplyByNameTakeTheLastLayoutOfTheName) {
    TqoCellLayout* first = control->CellLayouts()->Add();
    first->SetName("Warn");
    TqoCellLayout* last = control->CellLayouts()->Add();
    last->SetName("WARN");
    TqoGrid_Column* column = Column("A");
    Column("B");
    column->SetLayoutName("warn");
    EXPECT_EQ(column->LayoutProp(), last->LayoutProperty());
    TAxisContentItem* row = Row({"a", "b"});
    EXPECT_EQ(CellOf(0, row)->LayoutProp(), last->LayoutProperty());
    EXPECT_EQ(CellOf(1, row)->LayoutProp(), control->DefaultContentLayoutProperty());
    EXPECT_EQ(control->Cell(1, 0)->LayoutProp(), nullptr) << "header cells get no layout";
    control->CellLayouts()->ApplyFromLayoutName("Warn", CellOf(1, row));
    EXPECT_EQ(CellOf(1, row)->LayoutProp(), last->LayoutProperty()) << "the same layout as the column's";
    last->Remove(CellOf(1, row));
    EXPECT_EQ(CellOf(1, row)->LayoutProp(), nullptr);
    // Renamed away, the column falls back on the other one, and so do its cells.
    last->SetName("Other");
    EXPECT_EQ(column->LayoutProp(), first->LayoutProperty());
    EXPECT_EQ(CellOf(0, row)->LayoutProp(), first->LayoutProperty());
}

TEST_F(GridLayouts, RemovingALayoutWhileCellsUseItFallsBackToTheDefault) {
    TqoCellLayout* layout = control->CellLayouts()->Add();
    layout->SetName("L");
    Column("A")->SetLayoutName("L");
    Column("B");
    TAxisContentItem* row = Row({"a", "b"});
    layout->Apply(CellOf(1, row));
    layout->Apply(control->Cell(0, 1));
    control->Repaint();
    control->CellLayouts()->Delete(0);
    EXPECT_EQ(control->Columns()->Columns(0)->LayoutProp(), nullptr);
    EXPECT_EQ(CellOf(0, row)->LayoutProp(), control->DefaultContentLayoutProperty());
    EXPECT_EQ(CellOf(1, row)->LayoutProp(), control->DefaultContentLayoutProperty());
    EXPECT_EQ(control->Cell(0, 1)->LayoutProp(), nullptr) << "a fixed cell has no default";
    control->Repaint();
    // A layout of that name added later is taken up by the column and its cells.
    control->CellLayouts()->Add()->SetName("l");
    EXPECT_EQ(CellOf(0, row)->LayoutProp(), control->CellLayouts()->CellLayouts(0)->LayoutProperty());
    EXPECT_EQ(CellOf(1, row)->LayoutProp(), control->DefaultContentLayoutProperty());
}

} // namespace
} // namespace qo
