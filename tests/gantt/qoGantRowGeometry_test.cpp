// Item rectangles from the row's band and the time mapping: fixed sizes,
// the least width, insets, sub-columns by collision or by layer (the layer
// table's bounds), printing scales; the draw order that starts at a layer and
// wraps, and the hit test that finds the item painted on top.
#include "qoGantRowFixture.h"

namespace qo {
namespace {

class GantRowGeometry : public test::TGantRowFixture {
protected:
    GantRowGeometry() {
        Build();
        row = RowOf(b);
    }
    TRect RectOf(TqoDataEntity_GantTime* item) {
        TRect rect;
        return row->RectFromDataEntity(item, rect) ? rect : TRect{-9, -9, -9, -9};
    }
    TGantRow* row = nullptr;
};

TEST_F(GantRowGeometry, ItemsSpanTheirTimesAtLeastFivePixelsInsideTheBandLessOnePixel) {
    struct TCase {
        double Start, Stop;
        int32_t FixedSize, TopInset, BottomInset;
        TRect Expected;
    };
    // Row b lies at 20..40: items at 21..39.
    for (const TCase& t : {
             TCase{0.5, 1.0, 0, 0, 0, {50, 21, 100, 39}},
             {1.0, 1.02, 0, 0, 0, {100, 21, 105, 39}},   // shorter than 5 pixels
             {1.0, 0.5, 0, 0, 0, {100, 21, 105, 39}},    // stop before start
             {1.0, 3.0, 9, 0, 0, {96, 21, 105, 39}},     // fixed size 9, centred on the start
             {0.0, 1.0, 0, 2, 3, {0, 23, 100, 36}},      // insets
             {0.0, 1.0, 0, 10, 15, {0, 31, 100, 31}},    // insets that meet leave no height
         }) {
        auto* item = gant.AddItem(row, 0, t.Start, t.Stop);
        item->SetFixedSize(t.FixedSize);
        item->SetTopInset(t.TopInset);
        item->SetBottomInset(t.BottomInset);
        EXPECT_EQ(RectOf(item), t.Expected) << t.Start << ".." << t.Stop << " fixed " << t.FixedSize;
    }
}

TEST_F(GantRowGeometry, ItemsWithoutARowOrOutOfSightHaveNoRectangle) {
    auto* item = gant.AddItem(row, 0, 0, 1);
    item->SetVisible(false);
    EXPECT_EQ(RectOf(item), (TRect{-9, -9, -9, -9})) << "hidden item";
    auto* hidden = gant.AddItem(RowOf(a1), 0, 0, 1);
    EXPECT_EQ(RectOf(hidden), (TRect{-9, -9, -9, -9})) << "an item of another row";
    TRect rect;
    EXPECT_FALSE(RowOf(a1)->RectFromDataEntity(hidden, rect)) << "a collapsed node's row";
    EXPECT_FALSE(row->RectFromDataEntity(nullptr, rect));
    EXPECT_EQ(row->FindDataEntityFromXY(50, 30), nullptr);
}

TEST_F(GantRowGeometry, SubColumnsSplitTheBandByCollisionOrByLayer) {
    tree->SetItemHeight(32);
    Rows().GeometryChanged();
    row->SetUseSubCols(3);
    // Row b lies at 32..64: a band of 30 pixels, sub-columns of 10.
    auto* first = gant.AddItem(row, 0, 0, 1);
    auto* second = gant.AddItem(row, 1, 0, 1);
    auto* beyond = gant.AddItem(row, 11, 0, 1);
    row->DataListOnSubCol(1, 2);
    row->DataListOnSubCol(11, 1);
    row->DataListOnSubCol(-1, 1);
    row->DataListOnSubCol(10, 1);
    EXPECT_EQ(row->SubColOfLayer(0), 0) << "indexes outside the table of 10 change nothing";
    EXPECT_EQ(RectOf(first), (TRect{0, 33, 100, 43}));
    EXPECT_EQ(RectOf(second), (TRect{0, 53, 100, 63}));
    EXPECT_EQ(RectOf(beyond), (TRect{0, 33, 100, 63})) << "a layer beyond the table keeps the full height";

    row->SetCollisionDetection(true);
    struct TCase {
        int32_t SubCol;
        int Top, Bottom;
    };
    for (const TCase& t : {TCase{1, 33, 43}, {3, 53, 63}, {0, 33, 63}, {4, 33, 63}, {-2, 33, 63}}) {
        first->SetSubCol(t.SubCol);
        EXPECT_EQ(RectOf(first), (TRect{0, t.Top, 100, t.Bottom})) << "sub-column " << t.SubCol;
    }
    row->SetCollisionDetection(false);
    EXPECT_EQ(row->SubColCount(), 0) << "switching detection off drops the sub-columns";
    row->SetUseSubCols(3);
    row->SetDataListOnSubColUse(false);
    first->SetSubCol(2);
    EXPECT_EQ(RectOf(first), (TRect{0, 43, 100, 53})) << "without layer sub-columns the item's own counts";
}

TEST_F(GantRowGeometry, PrintingScalesPositionsAndInsets) {
    auto* item = gant.AddItem(row, 0, 0.5, 1);
    item->SetTopInset(1);
    gant.Printing = true;
    gant.Scalex = 2;
    gant.Scaley = 3;
    EXPECT_EQ(RectOf(item), (TRect{100, 66, 200, 117}));
}

TEST_F(GantRowGeometry, DrawOrderStartsAtItsLayerAndWrapsAndTheHitFindsTheTopItem) {
    std::vector<TqoDataEntity_GantTime*> items;
    for (int32_t layer = 0; layer < 3; ++layer) items.push_back(gant.AddItem(row, layer, 0.2 * layer, 1));
    struct TCase {
        int32_t Start;
        std::vector<int> Order;
    };
    for (const TCase& t : {TCase{0, {0, 1, 2}}, {1, {1, 2, 0}}, {-1, {2, 0, 1}}, {5, {2, 0, 1}}}) {
        row->SetDrawLayerStart(t.Start);
        gant.Drawn.clear();
        row->DrawContent();
        std::vector<TqoDataEntity_GantTime*> expected;
        for (int k : t.Order) expected.push_back(items[size_t(k)]);
        EXPECT_EQ(gant.Drawn, expected) << "start " << t.Start;
        EXPECT_EQ(row->FindDataEntityFromXY(50, 30), expected.back()) << "start " << t.Start;
    }
    row->SetDrawLayerStart(0);
    EXPECT_EQ(row->FindDataEntityFromXY(10, 30), items[0]) << "only the first item reaches back there";
    EXPECT_EQ(row->FindDataEntityFromXY(100, 30), nullptr) << "the right edge is outside";
    EXPECT_EQ(row->FindDataEntityFromXY(50, 39), nullptr) << "the bottom edge is outside";
    EXPECT_EQ(row->FindDataEntityFromXY(50, 21), items[2]);
}

TEST_F(GantRowGeometry, AHostThatFreesTheRowWhileItIsDrawnStopsTheDrawing) {
    for (int32_t layer = 0; layer < 2; ++layer) gant.AddItem(row, layer, 0, 1);
    const int32_t rows = Rows().Count();
    gant.OnDraw = [&](TqoDataEntity_GantTime*) { tree->RemoveDataEntity(b); };
    row->DrawContent();
    EXPECT_EQ(gant.Drawn.size(), 1u);
    EXPECT_EQ(Rows().Count(), rows - 1) << "the row went with its node";
}

} // namespace
} // namespace qo
