// A row's collision detection with real workers on a small chart: results
// applied on the user-interface thread, the host's override, switching off,
// grid row heights, the cap on live workers, and rows freed under workers.
#include "../qoGantRowFixture.h"
#include "qoCollisionSettle.h"

namespace qo {
namespace {

using test::Settle;

class GantRowCollision : public test::TGantRowFixture {
protected:
    GantRowCollision() {
        Build();
        row = RowOf(b);
    }
    ~GantRowCollision() override {
        Settle(harness);
        TDoLater::Shutdown();
    }
    // Hours of day 0 (the fake maps a day to 100 pixels).
    TqoDataEntity_GantTime* Item(TGantRow* r, int32_t layer, double from, double to) {
        return gant.AddItem(r, layer, from / 24, to / 24);
    }
    std::vector<int32_t> SubCols(const std::vector<TqoDataEntity_GantTime*>& items) {
        std::vector<int32_t> out;
        for (auto* item : items) out.push_back(item->SubCol());
        return out;
    }
    TGantRow* row;
};

TEST_F(GantRowCollision, OverlappingItemsGoIntoSubColumnsAndTheRestKeepsTheRow) {
    auto* a = Item(row, 0, 8, 10);
    auto* bItem = Item(row, 0, 9, 11);
    auto* c = Item(row, 0, 12, 13);
    const int invalidations = gant.Invalidations;
    const int pending = TDoLater::PendingCount();
    row->SetCollisionDetection(true);
    EXPECT_EQ(TDoLater::PendingCount(), pending + 1) << "switching on queues one detection";
    row->UpdateSubColumns();
    EXPECT_EQ(TDoLater::PendingCount(), pending + 1) << "a detection already queued is not queued twice";
    Settle(harness);
    EXPECT_EQ(SubCols({a, bItem, c}), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(row->SubColCount(), 2);
    EXPECT_GT(gant.Invalidations, invalidations + 1) << "switching on and the result both repaint";
    EXPECT_EQ(row->TimeDistinctGenericThread(), nullptr);
    // Row b's band is 21..39 after the frame: 18 pixels, 9 per sub-column.
    Rows().GeometryChanged();
    TRect rect;
    ASSERT_TRUE(row->RectFromDataEntity(bItem, rect));
    EXPECT_EQ(rect.Top, 21);
    EXPECT_EQ(rect.Bottom, 30);
    ASSERT_TRUE(row->RectFromDataEntity(a, rect));
    EXPECT_EQ(rect.Top, 30);
    ASSERT_TRUE(row->RectFromDataEntity(c, rect));
    EXPECT_EQ(rect.Height(), 18) << "an item that overlaps nothing spans the row";
}

TEST_F(GantRowCollision, InvisibleItemsAndOtherLayersTakeNoPart) {
    auto* a = Item(row, 0, 8, 10);
    auto* hidden = Item(row, 0, 8, 10);
    hidden->SetVisible(false);
    auto* other = Item(row, 1, 9, 11);
    row->SetCollisionDetection(true);
    Settle(harness);
    EXPECT_EQ(SubCols({a, hidden, other}), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(row->SubColCount(), 0);
    row->SetCollisionDetectionBetweenLayers(true);
    row->UpdateSubColumns();
    Settle(harness);
    EXPECT_EQ(SubCols({a, hidden, other}), (std::vector<int32_t>{2, 0, 1}));
}

TEST_F(GantRowCollision, TheHostHearsOfChangedPositionsOnlyAndMayOverrideThem) {
    auto* a = Item(row, 0, 8, 10);
    auto* bItem = Item(row, 0, 9, 11);
    std::vector<std::string> heard;
    gant.OnCollision = [&](TqoDataEntity_GantTime* item, int32_t position) {
        heard.push_back((item == a ? "a " : "b ") + std::to_string(position) + " from " +
                        std::to_string(item->SubCol()));
        if (item == a) item->SetSubCol(3);
    };
    row->SetCollisionDetection(true);
    Settle(harness);
    EXPECT_EQ(heard, (std::vector<std::string>{"a 2 from -1", "b 1 from -1"}));
    EXPECT_EQ(SubCols({a, bItem}), (std::vector<int32_t>{3, 1})) << "the handler's 3 stands";
    EXPECT_EQ(row->SubColCount(), 3);
    heard.clear();
    row->UpdateSubColumns();
    Settle(harness);
    EXPECT_EQ(heard, (std::vector<std::string>{"a 2 from -1"})) << "b kept its place; a is told again";
}

TEST_F(GantRowCollision, AHandlerThatFreesTheRowEndsTheApplication) {
    Item(row, 0, 8, 10);
    Item(row, 0, 9, 11);
    int calls = 0;
    gant.OnCollision = [&](TqoDataEntity_GantTime*, int32_t) {
        ++calls;
        Rows().RemoveRow(b, nullptr);
    };
    row->SetCollisionDetection(true);
    Settle(harness);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(RowOf(b), nullptr);
}

TEST_F(GantRowCollision, AHandlerThatStartsTheNextDetectionKeepsItsWorker) {
    Item(row, 0, 8, 10);
    Item(row, 0, 9, 11);
    bool again = true;
    gant.OnCollision = [&](TqoDataEntity_GantTime*, int32_t) {
        if (!std::exchange(again, false)) return;
        row->UpdateSubColumns();
        TDoLater::DoAllNow();
    };
    row->SetCollisionDetection(true);
    Settle(harness);
    EXPECT_EQ(row->SubColCount(), 2) << "the second worker's result arrived";
}

TEST_F(GantRowCollision, SwitchingOffDropsTheSubColumnsAndAnyPendingResult) {
    auto* a = Item(row, 0, 8, 10);
    Item(row, 0, 9, 11);
    row->SetCollisionDetection(true);
    Settle(harness);
    ASSERT_EQ(row->SubColCount(), 2);
    const int invalidations = gant.Invalidations;
    row->SetCollisionDetection(false);
    EXPECT_EQ(row->SubColCount(), 0);
    EXPECT_EQ(gant.Invalidations, invalidations + 1);
    EXPECT_EQ(a->SubCol(), 2) << "items keep their positions";

    // On and off again before the queue runs, and off while a worker runs.
    row->SetCollisionDetection(true);
    row->SetCollisionDetection(false);
    EXPECT_FALSE(TDoLater::AlreadyInList(DoLaterMethod<&TGantRow::UpdateSubColumnsAsync>(row), nullptr));
    row->SetCollisionDetection(true);
    TDoLater::DoAllNow();
    ASSERT_NE(row->TimeDistinctGenericThread(), nullptr);
    row->SetCollisionDetection(false);
    EXPECT_EQ(row->TimeDistinctGenericThread(), nullptr);
    Settle(harness);
    EXPECT_EQ(row->SubColCount(), 0) << "the abandoned worker's result never arrives";
}

TEST_F(GantRowCollision, GridRowsGrowWithTheirSubColumnsButKeepOneItemsHeight) {
    gant.GridMode = true;
    row->SetIncreaseRowHeightOnCollision(true);
    row->SetIncreaseRowHeightOnCollision_SuggestedHeightPerItem(20);
    struct TCase {
        const char* What;
        std::vector<std::pair<double, double>> Items;
        int Height;
    };
    const TCase cases[] = {
        {"three stacked", {{8, 10}, {9, 11}, {9, 12}}, 60},
        {"nothing overlaps", {{8, 9}, {9, 10}}, 20},
        {"no items", {}, 20},
    };
    for (const TCase& c : cases) {
        row->Layer(0)->Clear();
        for (auto [from, to] : c.Items) Item(row, 0, from, to);
        gant.GridRowHeights.clear();
        row->SetCollisionDetection(true);
        row->UpdateSubColumns();
        Settle(harness);
        ASSERT_EQ(gant.GridRowHeights.size(), 1u) << c.What;
        EXPECT_EQ(gant.GridRowHeights[0], std::make_pair(row, c.Height)) << c.What;
    }
    gant.GridMode = false;
    gant.GridRowHeights.clear();
    row->UpdateSubColumns();
    Settle(harness);
    EXPECT_TRUE(gant.GridRowHeights.empty()) << "tree rows keep the tree's height";
}

// Workers that found their result wait for the user-interface thread: while
// it only runs the queue, every started worker stays alive.
TEST_F(GantRowCollision, RowsBeyondFiftyLiveWorkersPauseAndResumeAsWorkersGo) {
    std::vector<TGantRow*> rows;
    for (int i = 0; i < 51; ++i) {
        TGantRow* r = RowOf(Add(nullptr, "row " + std::to_string(i)));
        Item(r, 0, 8, 10);
        Item(r, 0, 9, 11);
        r->SetCollisionDetection(true);
        rows.push_back(r);
    }
    TDoLater::DoAllNow();
    EXPECT_EQ(TTimeDistinctGenericThread::ThreadCount(), 50);
    TGantRow* last = rows.back();
    EXPECT_TRUE(last->CollisionDetectionPause());
    EXPECT_FALSE(last->CollisionDetection());
    EXPECT_EQ(last->TimeDistinctGenericThread(), nullptr);
    EXPECT_TRUE(gant.Paused);

    Settle(harness);
    EXPECT_FALSE(gant.Paused);
    for (TGantRow* r : rows) {
        EXPECT_FALSE(r->CollisionDetectionPause());
        EXPECT_TRUE(r->CollisionDetection());
        EXPECT_EQ(r->SubColCount(), 2);
    }
}

TEST_F(GantRowCollision, RowsFreedUnderRunningWorkersAreNeverReached) {
    for (int i = 0; i < 20; ++i) {
        TGantRow* r = RowOf(Add(nullptr, "row " + std::to_string(i)));
        for (int k = 0; k < 200; ++k) Item(r, 0, k % 24, k % 24 + 3);
        r->SetCollisionDetection(true);
    }
    Item(row, 0, 8, 10);
    row->SetCollisionDetection(true);
    TDoLater::DoAllNow();
    EXPECT_GT(TTimeDistinctGenericThread::ThreadCount(), 0);
    gant.FreeRows();
    Settle(harness);
    EXPECT_EQ(TTimeDistinctGenericThread::ThreadCount(), 0);
}

} // namespace
} // namespace qo
