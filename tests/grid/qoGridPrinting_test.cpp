// Grid printing: the rows a page holds from a top-left cell, blank rows asked
// for beyond the last, hidden rows, the bottom limit (also for a row taller
// than the page), the grid given back after success and failure, bad input
// and the printed look.
#include "grid/qoGridPrinting.h"

#include "qoGrid_test.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

class GridPrinting : public test::GridFixture {
protected:
    GridPrinting() {
        Column("Task", tckSimpleEdit, 90);
        Column("Owner", tckSimpleEdit, 60);
        for (int i = 0; i < 12; ++i) rows.push_back(Row({"Task " + std::to_string(i + 1), i % 2 ? "Ann" : "Bob"}));
        harness.RunUntilIdle();
    }
    TqoGridPrintArgs Args(int firstRow = -1, int count = -1) {
        TqoGridPrintArgs args;
        args.Grid = control;
        args.DC = &page.Handle();
        args.X = 10;
        args.Y = 20;
        args.ScaleX = args.ScaleY = 2;
        args.Width = 180;
        args.TopLeft = firstRow < 0 ? nullptr : CellOf(0, rows[size_t(firstRow)]);
        args.Rows = count;
        return args;
    }
    int RowHeight() { return control->GetRowHeight(rows[0]->ListIndex()); }
    std::string TextOf(void* rowItem) {
        return control->GetText(control->Cell(1, static_cast<TAxisContentItem*>(rowItem)->ListIndex()));
    }
    std::vector<TAxisContentItem*> rows;
    TBitmap page{500, 900};
};

TEST_F(GridPrinting, CountsTheRowsFromTheTopLeftCellAndAddsBlankRowsBeyondTheLast) {
    const int h = RowHeight() * 2;
    const int header = control->GetRowHeight(0) * 2;
    rows[5]->SetHide(true);
    struct Case {
        const char* name;
        int firstRow, count;
        int printed, height;
    } cases[] = {
        {"every row", -1, -1, 12, header + 11 * h + 1},
        {"from the ninth row", 8, -1, 4, header + 4 * h + 1},
        {"three rows, a hidden one among them", 4, 3, 3, header + 2 * h + 1},
        {"two blank rows asked for", 8, 6, 4, header + 4 * h + 2 * 40 + 1},
    };
    for (const Case& c : cases) {
        const TqoPrintResult result = TqoGridPrinting::Print(Args(c.firstRow, c.count));
        EXPECT_EQ(result.RowsPrinted, c.printed) << c.name;
        EXPECT_EQ(result.UsedHeight, c.height) << c.name;
        EXPECT_EQ(result.UsedWidth, 360) << c.name;
    }
    TqoGridPrintArgs args = Args();
    args.TopLeft = control->Cell(1, 0);
    EXPECT_EQ(TqoGridPrinting::Print(args).RowsPrinted, 12) << "a header cell as the top-left: the rows below it";
}

TEST_F(GridPrinting, ABottomLimitEndsThePageAfterTheLastRowThatFits) {
    const int h = RowHeight() * 2;
    const int header = control->GetRowHeight(0) * 2;
    std::vector<std::string> calls;
    TqoGridPrintArgs args = Args(2);
    args.Limits.Callback = [&](bool right, int value, void* data) {
        calls.push_back((right ? "right " : "bottom ") + std::to_string(value) + " " + TextOf(data));
    };
    args.Limits.Bottom = args.Y + header + 3 * h + h / 2;
    const TqoPrintResult result = TqoGridPrinting::Print(args);
    EXPECT_EQ(result.RowsPrinted, 3);
    EXPECT_EQ(calls, std::vector<std::string>{"bottom " + std::to_string(header + 3 * h) + " Task 5"});
    // A page lower than one row prints it cut and names it: the next page moves on.
    calls.clear();
    args.Limits.Bottom = args.Y + header / 2;
    EXPECT_EQ(TqoGridPrinting::Print(args).RowsPrinted, 1);
    EXPECT_EQ(calls, std::vector<std::string>{"bottom " + std::to_string(header + h) + " Task 3"});
    // Limits of -1 and -1 are never called, nor is a page that holds everything.
    calls.clear();
    args.Limits.Bottom = -1;
    EXPECT_EQ(TqoGridPrinting::Print(args).RowsPrinted, 10);
    args.Limits.Bottom = 890;
    TqoGridPrinting::Print(args);
    EXPECT_TRUE(calls.empty());
}

TEST_F(GridPrinting, GivesTheGridBackAfterPrintingAndAfterAFailure) {
    control->MainGrid()->SetTop(4);
    const TRect bounds = control->BoundsRect();
    const auto check = [&](const char* when) {
        EXPECT_EQ(control->MainGrid()->Top(), 4) << when;
        EXPECT_EQ(control->MainGrid()->Left(), control->MainGrid()->FixedCols()) << when;
        EXPECT_EQ(control->BoundsRect(), bounds) << when;
        EXPECT_FALSE(control->IsPrinting()) << when;
    };
    TqoGridPrinting::Print(Args(1));
    check("after printing");
    control->OnBeforeRenderCell = [](TComponent*, TBabCell*) { throw EqoError("host failed"); };
    EXPECT_THROW(TqoGridPrinting::Print(Args(1)), EqoError);
    check("after a failure");
}

TEST_F(GridPrinting, RefusesBadInput) {
    TqoGrid other(&form);
    other.AddColumn();
    TAxisContentItem* row = other.AddRow(nullptr);
    TqoGridPrintArgs args = Args();
    args.TopLeft = other.Cell(1, row->ListIndex());
    EXPECT_THROW(TqoGridPrinting::Print(args), EqoError) << "a cell of another grid";
    args = Args();
    args.ScaleX = 0;
    EXPECT_THROW(TqoGridPrinting::Print(args), EqoError);
    EXPECT_FALSE(control->IsPrinting());
}

// The header row on top, then the rows from the fourth at scale 2.
TEST_F(GridPrinting, APrintedPageLooks) {
    TBitmap small(400, 200);
    small.Canvas().Brush().Color = clWhite;
    small.Canvas().FillRect({0, 0, 400, 200});
    TqoGridPrintArgs args = Args(3);
    args.DC = &small.Handle();
    args.Limits.Bottom = 190;
    args.Limits.Callback = [](bool, int, void*) {};
    TqoGridPrinting::Print(args);
    EXPECT_TRUE(test::MatchesGolden(small.Raster(), "grid_printed_from_row"));
}

} // namespace
} // namespace qo
