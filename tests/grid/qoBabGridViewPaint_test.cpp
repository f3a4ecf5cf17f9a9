// The grid view's pictures and layout: what a paint visits, the scroll bars
// and their ranges, bringing the focus into view, the 3-D frame colour, the
// text flags, and golden images of every look.
#include "qoBabGridView_test.h"

#include "platform/graphics/qoBitmap.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

using GridPaint = test::GridViewFixture;

TEST_F(GridPaint, APaintVisitsTheCellsThatShowWhateverTheRowCount) {
    Fill(3, 0);
    // The owner lets rows go once they leave the screen.
    Root()->OnVirtualUnLoad = [](TBabGridCell*, TAxisContentItem*, bool, bool, bool& answer) { answer = true; };
    int cells = 0;
    control->OnBeforeRenderCell = [&](TComponent*, TBabCell*) { ++cells; };
    Root()->AxisContentListY()->AddUnloaded(100);
    control->Repaint();
    const int few = cells;
    Root()->AxisContentListY()->AddUnloaded(1000000 - 100);
    Root()->SetTop(500000);
    cells = 0;
    control->Repaint();
    EXPECT_EQ(cells, few);
    EXPECT_LE(Root()->AxisContentListY()->LoadedCount(), TAxisContentList::MaxLoadedItems);
    EXPECT_EQ(control->VertScrollBar()->Max(), 1000000);
}

TEST_F(GridPaint, BarsShowOnlyWhenNeededAndFitColumnsResetLeft) {
    Fill(3, 3);
    EXPECT_FALSE(control->GridScrollVisibleHorizontal());
    EXPECT_FALSE(control->GridScrollVisibleVertical());
    EXPECT_EQ(control->HorzInset(), 0);
    Root()->SetFixedCols(1);
    Root()->AxisContentListX()->Items(1)->SetHide(true);
    Root()->SetLeft(2);
    control->Repaint();
    EXPECT_EQ(Root()->Left(), 2) << "the first unhidden column after the fixed ones";
    for (int i = 0; i < 30; ++i) Root()->AxisContentListY()->AddNew(nullptr);
    control->Repaint();
    TScrollBar* bar = control->VertScrollBar();
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Min(), 1);
    EXPECT_EQ(bar->Max(), 33);
    EXPECT_EQ(control->HorzInset(), TScrollBar::DefaultThickness + 1 + 5);
    EXPECT_EQ(bar->Left(), control->Width() - TScrollBar::DefaultThickness);
    const int page = bar->PageSize();
    EXPECT_EQ(page, Root()->VisibleRowCount() - 1);
    harness.Click(*bar, {8, bar->Height() - 8});
    EXPECT_EQ(Root()->Top(), 2);
    harness.Wheel(*control, {30, 30}, -WHEEL_DELTA);
    EXPECT_EQ(Root()->Top(), 3);
    control->PublicScroll(0);
    EXPECT_EQ(Root()->Top(), 2);
    // A far focus comes into view once the deferred step has run.
    Root()->SetFocusedCell(Cell(2, 30));
    harness.RunUntilIdle();
    EXPECT_EQ(bar->Position(), 30 + 2 - page);
    EXPECT_EQ(Root()->Top(), 30 + 2 - page);
    // More fixed rows than rows: the range is clamped rather than refused during a paint.
    Root()->SetFixedRows(40);
    EXPECT_NO_THROW(control->Repaint());
    EXPECT_EQ(bar->Min(), bar->Max());
}

TEST_F(GridPaint, TheInnerLineOfA3DFrameIsAQuarterLighterPerChannel) {
    const struct {
        TColor in, out;
    } cases[] = {
        {0x000000, 0x000000},
        {0x404040, 0x505050},
        {0x0000FF, 0x0000FF}, // red stays red: nothing carries into green
        {0xC08040, 0xF0A050},
        {0xE0E0E0, 0xFFFFFF}, // each channel stops at its top
    };
    for (const auto& c : cases) EXPECT_EQ(TBabGridView_Custom::Frame3DInnerColor(c.in), c.out) << std::hex << c.in;
}

TEST_F(GridPaint, TextFlagsFollowTheLayout) {
    EXPECT_EQ(TBabGridView_Custom::GetFlags(nullptr), DT_NOPREFIX);
    TLayoutProp layout;
    layout.Flags = DT_SINGLELINE;
    layout.WrapTextAndFit = layout.HorzAlignRight = layout.VertAlignCenter = layout.EndEllipsis = true;
    EXPECT_EQ(TBabGridView_Custom::GetFlags(&layout),
              DT_NOPREFIX | DT_SINGLELINE | DT_WORDBREAK | DT_RIGHT | DT_VCENTER | DT_END_ELLIPSIS);
    layout = TLayoutProp();
    layout.HorzAlignCenter = true;
    EXPECT_EQ(TBabGridView_Custom::GetFlags(&layout), DT_NOPREFIX | DT_CENTER);
}

TEST_F(GridPaint, WrappingCellsMeasureTheirRow) {
    Fill(2, 2);
    TLayoutProp wrap = *control->DefaultContentLayoutProperty();
    wrap.WrapTextAndFit = true;
    Cell(1, 1)->SetLayoutProp(&wrap);
    control->SetText(Cell(1, 1), "one two three four five six");
    control->Repaint();
    EXPECT_GT(Root()->AxisContentListY()->Items(1)->CalculatedSize(), 2 * control->DrawBitmap().Canvas().TextHeight("X"));
    EXPECT_EQ(Root()->AxisContentListY()->Items(2)->CalculatedSize(), 20);
}

TEST_F(GridPaint, LooksWithHeadersSelectionAndFocus) {
    Fill(4, 12);
    harness.Click(*control, MiddleOf(1, 2));
    harness.Click(*control, MiddleOf(2, 3), mbLeft, ssShift);
    EXPECT_TRUE(LooksLike("gridview_selection_focused"));
    form.SetFocus();
    EXPECT_TRUE(LooksLike("gridview_selection_unfocused"));
}

TEST_F(GridPaint, LooksWithCheckBoxesSortSymbolsFramesAndASubGrid) {
    MakeSubGrid(2, 3);
    TLayoutProp framed = *control->DefaultContentLayoutProperty();
    framed.FrameOptionsUse = true;
    framed.FrameOptions = foLeft | foRight | foTop | foBottom;
    framed.FrameKind = fk3d;
    framed.FrameColor = 0x806040;
    framed.HorzAlignRight = true;
    Fill(4, 8);
    control->AllowSort = true;
    harness.Click(*control, MiddleOf(1, 0));
    harness.Click(*control, MiddleOf(1, 0));
    for (int y = 1; y <= 4; ++y) {
        auto* data = static_cast<TBabSimpleCellStringData*>(Cell(3, y)->BabCellData());
        data->SetIsBoolean(true);
        data->SetString(y % 2 ? "TRUE" : "false");
    }
    Cell(0, 5)->SetLayoutProp(&framed);
    Cell(1, 6)->SetLayoutProp(&framed);
    control->SetFocusRect_Grid(false);
    control->Invalidate();
    EXPECT_TRUE(LooksLike("gridview_checkboxes_sort_frames_subgrid"));
}

TEST_F(GridPaint, LooksWithTreeButtonsLinesAndIcons) {
    // Rows 1..9 as a tree: levels 0, 1, 2, 1, 0, 1, 1, 0, 0.
    static const int levels[] = {0, 0, 1, 2, 1, 0, 1, 1, 0, 0};
    auto level = [](TBabCell* c) { return levels[c->RowIndex()]; };
    TImageList images(12, 12);
    for (TColor color : {clRed, clGreen}) {
        TBitmap image;
        image.SetSize(12, 12);
        image.Canvas().Brush().Color = color;
        image.Canvas().FillRect({2, 2, 10, 10});
        images.Add(image);
    }
    struct TIconView : test::TTestGridView {
        using TTestGridView::TTestGridView;
        bool CellHasIcon(TBabCell* c) override { return c->ColumnIndex() == 1 && !c->IsFixed(); }
        int CellIconIndex(TBabCell* c) override { return c->RowIndex() % 2; }
    };
    delete control;
    control = new TIconView(&form);
    control->SetParent(&form);
    Attach();
    control->OnCellHasButton = [](TComponent*, TBabCell* c) { return c->ColumnIndex() == 0 && !c->IsFixed(); };
    control->OnCellInset = [level](TComponent*, TBabCell* c) { return level(c); };
    control->OnIsButtonTerminal = [level](TComponent*, TBabCell* c) {
        return c->RowIndex() + 1 >= 10 || levels[c->RowIndex() + 1] <= level(c);
    };
    control->OnIsButtonExpanded = [](TComponent*, TBabCell* c) { return c->RowIndex() != 5; };
    control->OnGetParentButtonCell = [this, level](TComponent*, TBabCell* c) -> TBabCell* {
        for (int y = c->RowIndex() - 1; y >= 1; --y)
            if (levels[y] < level(c)) return Cell(0, y);
        return nullptr;
    };
    control->SetImageList(&images);
    Fill(3, 9);
    EXPECT_TRUE(LooksLike("gridview_tree_icons"));
    std::vector<int> clicked;
    control->OnButtonClick = [&](TComponent*, TBabCell* c) { clicked.push_back(c->RowIndex()); };
    const TPoint button = control->GetMiddleOfButton(Cell(0, 2));
    harness.Click(*control, button);
    harness.Click(*control, button + TPoint{20, 0});
    EXPECT_EQ(clicked, std::vector<int>{2});
}

TEST_F(GridPaint, PrintsThroughThePaintSurfaceAtAScale) {
    Fill(3, 4);
    harness.Click(*control, MiddleOf(1, 2));
    TBitmap page;
    page.SetSize(control->Width() * 2, control->Height() * 2);
    page.Canvas().Brush().Color = clWhite;
    page.Canvas().FillRect({0, 0, page.Width(), page.Height()});
    control->Print(*page.Canvas().Handle(), 0, 0, 2.0, 2.0, true);
    EXPECT_EQ(control->Width(), 300) << "the bounds come back";
    EXPECT_FALSE(control->IsPrinting());
    EXPECT_TRUE(test::MatchesGolden(page.Raster(), "gridview_printed_x2"));
}

} // namespace
} // namespace qo
