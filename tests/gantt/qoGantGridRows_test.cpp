// Rows that follow a grid tree's announcements: a row per node inserted or
// loaded, held in the node's integration cookie and dropped with the node;
// rows of tree nodes and of grid nodes side by side, each counting only in
// its own mode.
#include "qoGantRowFixture.h"

#include "grid/qoBabGridContent_test.h"
#include "grid/qoGridTree.h"

namespace qo {
namespace {

class GantGridRows : public test::TGantRowFixture {
protected:
    GantGridRows() {
        grid.X()->AddNew(nullptr);
        gridTree = TqoGridTree::Create(grid.root.get());
        gridTree->SetOnIntegrationEvents([this](TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node) {
            if (TGantRowList* rows = gant.RowList()) rows->FollowGridTree(kind, node);
        });
    }
    // The grid tree's end announces nothing: the rows of its nodes go first.
    ~GantGridRows() override { gant.FreeRows(); }
    test::TTestGrid grid;
    std::unique_ptr<TqoGridTree> gridTree;
};

TEST_F(GantGridRows, FollowTheNodesThroughTheirCookies) {
    TqoDataEntity_GridTreeNode* p = gridTree->AddDataEntity(nullptr);
    TqoDataEntity_GridTreeNode* q = gridTree->AddDataEntity(p);
    TqoDataEntity_GridTreeNode* r = gridTree->AddDataEntity(nullptr);
    ASSERT_EQ(Rows().Count(), 3);
    TGantRow* row = Rows().FindRowFromGridNode(q);
    ASSERT_NE(row, nullptr);
    EXPECT_NE(q->IntegrationCookie(), nullptr) << "the node names its row";
    EXPECT_EQ(row->GridTreeNode(), q);
    EXPECT_EQ(row->TreeNode(), nullptr);
    TGantRow* last = Rows().FindRowFromGridNode(r);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GridTreeNode(), r);
    EXPECT_EQ(Rows().FindRowFromUntypedNode(r), last);
    int reference = 0;
    r->SetUserReference(&reference);
    EXPECT_EQ(Rows().FindRowFromTreeNodeDataEntityUserReference(&reference), last);

    q->ObjAddRef(); // a host holds the child
    gridTree->RemoveDataEntity(p);
    EXPECT_EQ(Rows().Count(), 1) << "the child's row went with its parent's";
    EXPECT_EQ(Rows().GetGantRow(0), last) << "the rows closed up";
    EXPECT_EQ(Rows().FindRowFromGridNode(r), last) << "and the node still finds its row";
    EXPECT_EQ(Rows().FindRowFromGridNode(q), nullptr);
    q->ObjRelease();
    gant.FreeRows();
    EXPECT_EQ(r->IntegrationCookie(), nullptr) << "freeing the rows clears the cookies they held";
}

TEST_F(GantGridRows, RowsOfBothHeadersCountOnlyInTheirOwnMode) {
    Build();
    TqoDataEntity_GridTreeNode* p = gridTree->AddDataEntity(nullptr);
    TGantRow* gridRow = Rows().FindRowFromGridNode(p);
    TGantRow* treeRow = RowOf(a);
    EXPECT_EQ(Rows().Count(), 6);
    EXPECT_TRUE(treeRow->RowTypeCheckOK());
    EXPECT_FALSE(gridRow->RowTypeCheckOK());
    EXPECT_EQ(AtY(5), "a");
    gant.GridMode = true;
    EXPECT_FALSE(treeRow->RowTypeCheckOK());
    EXPECT_TRUE(gridRow->RowTypeCheckOK());
    Rows().GeometryChanged();
    EXPECT_EQ(AtY(5), "nil") << "the tree's rows do not count in grid mode";
    EXPECT_EQ(treeRow->GetRect(), (TRect{-1, -1, -1, -1}));
    auto* item = gant.AddItem(treeRow, 0, 0, 1);
    TRect rect;
    EXPECT_FALSE(treeRow->RectFromDataEntity(item, rect)) << "nor do their items";
    EXPECT_EQ(item->Row(), treeRow) << "which stay in their rows";
}

} // namespace
} // namespace qo
