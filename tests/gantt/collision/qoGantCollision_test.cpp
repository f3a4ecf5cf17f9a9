// Collision detection in the Gantt component: the item notifications start
// it, the host's event overrides it, paused rows resume, its picture, a
// component freed under running workers, and worker errors shown on the
// user-interface thread.
#include "../qoGantModelFixture.h"
#include "qoCollisionSettle.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

using test::Settle;

class GantCollision : public GantModel {
protected:
    ~GantCollision() override { Settle(harness); }
};

TEST_F(GantCollision, ItemChangesDetectAgainAndTheEventMayOverride) {
    TqoDataEntity_Tree* node = Node(nullptr, "row");
    TGantRow* row = RowOf(node);
    row->SetCollisionDetection(true);
    auto* a = Item(node, 0, 1, 3);
    auto* b = Item(node, 0, 2, 4);
    Settle(harness);
    EXPECT_EQ(a->SubCol(), 2) << "inserting detects";
    EXPECT_EQ(b->SubCol(), 1);

    b->SetStart(kMonday + 5);
    b->SetStop(kMonday + 6);
    b->DoInfoPush();
    Settle(harness);
    EXPECT_EQ(row->SubColCount(), 0) << "a changed item detects";
    EXPECT_EQ(a->SubCol(), 0);

    std::vector<int32_t> told;
    gant->OnCollisionDetected = [&](TComponent* sender, TqoDataEntity_GantTime* item, int32_t position) {
        EXPECT_EQ(sender, gant);
        told.push_back(position);
        if (item == a) item->SetSubCol(4);
    };
    auto* c = Item(node, 1, 2, 4);
    row->SetCollisionDetectionBetweenLayers(true);
    a->DoInfoPush();
    Settle(harness);
    EXPECT_EQ(told, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(a->SubCol(), 4);
    EXPECT_EQ(c->SubCol(), 1);
    EXPECT_EQ(row->SubColCount(), 4);

    told.clear();
    gant->RemoveGantTime(c);
    Settle(harness);
    EXPECT_EQ(told, (std::vector<int32_t>{0})) << "deleting detects: a is alone again";
    EXPECT_EQ(a->SubCol(), 4) << "the handler keeps it where it put it";
}

TEST_F(GantCollision, UnpausingTheChartResumesPausedRows) {
    TqoDataEntity_Tree* node = Node(nullptr, "row");
    TGantRow* row = RowOf(node);
    Item(node, 0, 1, 3);
    Item(node, 0, 2, 4);
    row->SetCollisionDetection(true);
    row->SetCollisionDetectionPause(true);
    EXPECT_TRUE(gant->PausedCollisionDetectionRows());
    EXPECT_FALSE(row->CollisionDetection());
    gant->UnPauseCollisionDetectionRows();
    EXPECT_FALSE(gant->PausedCollisionDetectionRows());
    EXPECT_FALSE(row->CollisionDetectionPause());
    Settle(harness);
    EXPECT_EQ(row->SubColCount(), 2);
}

TEST_F(GantCollision, OverlappingBarsSpreadOverTheirRow) {
    gant->SetTreeWidth(60);
    TqoDataEntity_Tree* busy = Node(nullptr, "busy");
    TqoDataEntity_Tree* calm = Node(nullptr, "calm");
    gant->TreeView()->SetItemHeight(40);
    RowOf(busy)->SetCollisionDetection(true);
    const std::pair<double, double> bars[] = {{0.5, 3}, {1, 2}, {2, 4.5}, {2.5, 3.5}, {5, 7}, {6, 8}};
    TColor colors[] = {clRed, clBlue, clGreen, clYellow, clAqua, clFuchsia};
    for (size_t i = 0; i < std::size(bars); ++i) {
        Item(busy, 0, bars[i].first, bars[i].second)->SetColor(colors[i]);
        Item(calm, 0, bars[i].first, bars[i].second)->SetColor(colors[i]);
    }
    Settle(harness);
    ASSERT_EQ(RowOf(busy)->SubColCount(), 3);
    EXPECT_TRUE(test::LooksLike(harness, *gant->GA(), "gantt_collision_rows"));
}

TEST_F(GantCollision, AComponentFreedUnderRunningWorkersIsNeverReached) {
    for (int r = 0; r < 10; ++r) {
        TqoDataEntity_Tree* node = Node(nullptr, "row " + std::to_string(r));
        RowOf(node)->SetCollisionDetection(true);
        for (int k = 0; k < 300; ++k) Item(node, 0, (k % 50) / 10.0, (k % 50) / 10.0 + 1);
    }
    int told = 0;
    gant->OnCollisionDetected = [&](TComponent*, TqoDataEntity_GantTime*, int32_t) { ++told; };
    TDoLater::DoAllNow();
    EXPECT_GT(TTimeDistinctGenericThread::ThreadCount(), 0);
    delete gant;
    gant = nullptr;
    Settle(harness);
    EXPECT_EQ(told, 0);
}

class TThrowingDone {
public:
    void Done(TTimeDistinctGenericThread*) { throw EqoError("no room"); }
};

TEST_F(GantCollision, AWorkersErrorIsShownOnTheUserInterfaceThread) {
    auto* worker = new TTimeDistinctGenericThread;
    worker->DistinctTimeHolderList().Add(kMonday, kMonday + 1, "", nullptr);
    TThrowingDone done;
    worker->OnDone = TTimeDistinctGenericThread::TOnDone::Bind(&done, &TThrowingDone::Done);
    worker->Start();
    worker->WaitFor();
    delete worker;
    Settle(harness);
    const auto& boxes = harness.Backend().ModalRecords();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "TTimeDistinctGenericThread.Execute no room");
}

TEST_F(GantCollision, AbandonedWorkersDeliverNothingAndGo) {
    struct TCase {
        const char* What;
        bool Start;
    };
    for (const TCase& c : {TCase{"never started", false}, {"running", true}}) {
        auto* worker = new TTimeDistinctGenericThread;
        // Stops before its start: the pairwise loop, long enough to be caught running.
        for (int i = 0; i < 3000; ++i) worker->DistinctTimeHolderList().Add(kMonday + i, kMonday, "", nullptr);
        int delivered = 0;
        worker->OnDone = [&](TTimeDistinctGenericThread*) { ++delivered; };
        const int before = TTimeDistinctGenericThread::ThreadCount();
        if (c.Start) worker->Start();
        TTimeDistinctGenericThread::FreeAndCleanUp(worker);
        EXPECT_EQ(worker, nullptr) << c.What;
        if (!c.Start) {
            EXPECT_EQ(TTimeDistinctGenericThread::ThreadCount(), before - 1) << "freed at once";
        }
        Settle(harness);
        EXPECT_EQ(delivered, 0) << c.What;
    }
}

} // namespace
} // namespace qo
