// Tree printing: which rows a page holds from a start row on, the sizes it
// reports, the bottom limit that ends a page (also for a row taller than the
// page), the device context given back, bad input and the printed look.
#include "grid/qoPrintTree.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"
#include "support/golden/qoGolden.h"
#include "support/widgets/qoWidgetFixture.h"

#include <cmath>

namespace qo {
namespace {

class PrintTree : public test::TWidgetFixture<TqoTree> {
protected:
    PrintTree() {
        Place(TRect::Bounds(5, 5, 170, 130));
        // a+ (a1, a2 (a21)), hidden b, c (c1)
        a = Add(nullptr, "Analysis");
        a1 = Add(a, "Interviews");
        a2 = Add(a, "Requirements");
        a21 = Add(a2, "Sign-off");
        Add(nullptr, "Hidden")->Set_HideNode(true);
        c = Add(nullptr, "Construction");
        Add(c, "Coding");
        a->SetExpanded(true);
    }
    TqoDataEntity_Tree* Add(TqoDataEntity_Tree* owner, const std::string& text) {
        TqoDataEntity_Tree* e = control->AddDataEntity(owner);
        e->SetText(text);
        return e;
    }
    TqoTreePrintArgs Args(TqoDataEntity_Tree* start = nullptr, bool expandAll = false, int rows = -1) {
        TqoTreePrintArgs args;
        args.Tree = control;
        args.DC = &page.Handle();
        args.X = 10;
        args.Y = 20;
        args.ScaleX = args.ScaleY = 2;
        args.Width = 150;
        args.StartRow = start;
        args.ExpandAll = expandAll;
        args.RowsToPrint = rows;
        return args;
    }
    // The rows of a page in order: a page that holds k rows names row k as the next page's first.
    std::string RowsOf(const TqoTreePrintArgs& args) {
        const int rows = TqoPrintTree::Print(args).RowsPrinted;
        std::string out;
        for (int k = 0; k < rows; ++k) {
            TqoTreePrintArgs limited = args;
            TqoDataEntity_Tree* first = args.StartRow;
            limited.Limits.Bottom = args.Y + 36 * k + 35;
            limited.Limits.Callback = [&](bool, int, void* data) { first = static_cast<TqoDataEntity_Tree*>(data); };
            if (k > 0) TqoPrintTree::Print(limited);
            out += (out.empty() ? "" : ",") + (first ? std::string(first->Text()) : std::string("first"));
        }
        return out;
    }
    TBitmap page{400, 300};
    TqoDataEntity_Tree *a, *a1, *a2, *a21, *c;
};

TEST_F(PrintTree, APagePrintsTheRowsFromTheStartRowInTreeOrder) {
    struct Case {
        const char* name;
        TqoDataEntity_Tree* start;
        bool expandAll;
        int rows;
        std::string expected;
    } cases[] = {
        {"expanded branches", nullptr, false, -1, "first,Interviews,Requirements,Construction"},
        {"expand all", nullptr, true, -1, "first,Interviews,Requirements,Sign-off,Construction,Coding"},
        {"from a child: no ancestor", a1, false, -1, "Interviews,Requirements,Construction"},
        {"from a grandchild, expand all", a21, true, -1, "Sign-off,Construction,Coding"},
        {"two rows asked for", a1, true, 2, "Interviews,Requirements"},
        {"more rows asked for than there are", c, false, 9, "Construction"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(RowsOf(Args(k.start, k.expandAll, k.rows)), k.expected) << k.name;
    }
}

TEST_F(PrintTree, ReportsItsSizeAndGivesTheDeviceContextBack) {
    const TqoRegion clip(TRect(0, 0, 300, 200));
    page.Handle().SelectClipRgn(&clip);
    page.Handle().SetViewportOrg({3, 4});
    TqoTreePrintArgs args = Args(nullptr, true);
    args.ScaleX = 1.5;
    args.ScaleY = 2.5;
    args.RowHeight = 20;
    const TqoPrintResult result = TqoPrintTree::Print(args);
    EXPECT_EQ(result.RowsPrinted, 6);
    EXPECT_EQ(result.UsedWidth, 225);
    EXPECT_EQ(result.UsedHeight, 300) << "six rows of 20 pixels at 2.5";
    EXPECT_EQ(page.Handle().GetViewportOrg(), (TPoint{3, 4}));
    EXPECT_EQ(page.Handle().GetClipBox(), (TRect{-3, -4, 297, 196}));
}

TEST_F(PrintTree, ABottomLimitEndsThePageAtTheFirstRowThatDoesNotFit) {
    std::vector<std::string> calls;
    TqoTreePrintArgs args = Args(nullptr, true);
    args.Limits.Right = -1;
    args.Limits.Callback = [&](bool right, int value, void* data) {
        calls.push_back((right ? "right " : "bottom ") + std::to_string(value) + " " +
                        std::string(static_cast<TqoDataEntity_Tree*>(data)->Text()));
    };
    args.Limits.Bottom = 20 + 3 * 36 + 10;
    EXPECT_EQ(TqoPrintTree::Print(args).RowsPrinted, 3);
    EXPECT_EQ(calls, std::vector<std::string>{"bottom 108 Sign-off"});
    // A page lower than one row prints that row cut and moves on: every page ends.
    calls.clear();
    args.Limits.Bottom = 25;
    args.StartRow = c;
    EXPECT_EQ(TqoPrintTree::Print(args).RowsPrinted, 1);
    EXPECT_EQ(calls, std::vector<std::string>{"bottom 36 Coding"});
    // Limits of -1 and -1, and a page that holds everything, call nothing.
    calls.clear();
    args.Limits.Bottom = -1;
    args.StartRow = nullptr;
    EXPECT_EQ(TqoPrintTree::Print(args).RowsPrinted, 6);
    args.Limits.Bottom = 1000;
    TqoPrintTree::Print(args);
    EXPECT_TRUE(calls.empty());
}

TEST_F(PrintTree, RefusesBadInput) {
    TqoTree other(&form);
    TqoDataEntity_Tree* stranger = other.AddDataEntity(nullptr);
    TqoTreePrintArgs args = Args(stranger);
    EXPECT_THROW(TqoPrintTree::Print(args), EqoError) << "a start row of another tree";
    for (double scale : {0.0, -1.0, std::nan("")}) {
        args = Args();
        args.ScaleY = scale;
        EXPECT_THROW(TqoPrintTree::Print(args), EqoError) << scale;
    }
}

// Indented by level at the print scale, icons stretched, each row's own font.
TEST_F(PrintTree, APrintedPageLooks) {
    TImageList images(12, 12);
    for (TColor color : {clRed, clGreen}) {
        TBitmap image(12, 12);
        image.Canvas().Brush().Color = color;
        image.Canvas().FillRect({2, 2, 10, 10});
        images.Add(image);
    }
    control->SetImages(&images);
    a->SetImageIndex(0);
    a1->SetImageIndex(1);
    a2->SetFontStyle(fsBold);
    c->SetFontName("Courier New");
    page.Canvas().Brush().Color = clWhite;
    page.Canvas().FillRect({0, 0, 400, 300});
    TqoPrintTree::Print(Args(nullptr, true));
    EXPECT_TRUE(test::MatchesGolden(page.Raster(), "tree_printed_x2"));
    control->SetImages(nullptr);
}

} // namespace
} // namespace qo
