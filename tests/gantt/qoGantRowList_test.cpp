// Rows follow the tree's nodes; a row is found from its node and from a y
// through the tree's geometry; the row list's hooks, and bad input: rows and
// layers that do not exist, a host's hook that returns no row, rows removed
// or lists freed while a host still holds them or from inside a handler.
#include "qoGantRowFixture.h"

namespace qo {
namespace {

using GantRows = test::TGantRowFixture;
using test::Strings;

TEST_F(GantRows, FollowTheNodesInCreationOrderAndGoWithTheirSubtrees) {
    Build();
    EXPECT_EQ(RowNames(), (Strings{"a", "a1", "a2", "b", "c"}));
    EXPECT_EQ(gant.AllDataEntities()->Count(), 5);
    EXPECT_EQ(RowOf(b)->TreeNode(), b);
    EXPECT_EQ(RowOf(b)->Gant(), &gant);
    EXPECT_EQ(Rows().FindRowFromUntypedNode(a1), RowOf(a1));
    gant.Log.clear();
    a1->ObjAddRef(); // a host holds the child
    tree->RemoveDataEntity(a);
    EXPECT_EQ(RowNames(), (Strings{"b", "c"}));
    EXPECT_EQ(gant.AllDataEntities()->Count(), 2) << "the layer sets of the freed rows left the chart's list";
    EXPECT_EQ(gant.Log.size(), 3u);
    EXPECT_EQ(RowOf(a1), nullptr) << "a node out of the tree has no row";
    a1->ObjRelease();
    EXPECT_GT(gant.Invalidations, 0);
}

TEST_F(GantRows, AreFoundFromYStrictlyInsideTheirBandsOnlyWhileTheyShow) {
    Build();
    struct TCase {
        int Y;
        const char* Row;
    };
    // Rows of 20 pixels: a, b, c; a's children are collapsed away.
    for (const TCase& t : {TCase{1, "a"}, {19, "a"}, {0, "nil"}, {20, "nil"}, {21, "b"}, {59, "c"}, {60, "nil"},
                           {-5, "nil"}, {500, "nil"}})
        EXPECT_EQ(AtY(t.Y), t.Row) << "y " << t.Y;
    EXPECT_FALSE(RowOf(a1)->GetVisible());
    EXPECT_EQ(RowOf(a1)->GetRect(), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(RowOf(b)->GetRect(), (TRect{0, 20, 400, 40})) << "the band spans the chart's width";
    EXPECT_EQ(gant.RowHeight, 20) << "the tree's row height became the chart's";

    a->SetExpanded(true);
    tree->EnsureDisplayUpToDate();
    Rows().GeometryChanged();
    EXPECT_EQ(AtY(30), "a1");
    EXPECT_EQ(AtY(70), "b");
    EXPECT_TRUE(RowOf(a1)->GetVisible());

    gant.DrawOffset = 10;
    Rows().GeometryChanged();
    EXPECT_EQ(RowOf(b)->GetRect(), (TRect{0, 50, 400, 70})) << "every band moves up by the offset";
    EXPECT_EQ(AtY(11), "a1");
    EXPECT_EQ(AtY(10), "nil");
}

TEST_F(GantRows, ScrolledTreeMovesTheBandsAndOnlyTheRowsThatShowAreVisited) {
    for (int i = 0; i < 30; ++i) Add(nullptr, "r" + std::to_string(i));
    tree->EnsureDisplayUpToDate();
    tree->SetTopItem(tree->RootDataEntities()->Item(10));
    Rows().GeometryChanged();
    EXPECT_EQ(AtY(5), "r10");
    EXPECT_EQ(Rows().GetGantRow(12)->GetRect().Top, 40);
    Strings visible;
    for (TGantRow* row : Rows().VisibleRows(0, 100)) visible.push_back(test::TFakeGant::Name(row));
    EXPECT_EQ(visible, (Strings{"r10", "r11", "r12", "r13", "r14"}));
    visible.clear();
    for (TGantRow* row : Rows().VisibleRows(30, 45)) visible.push_back(test::TFakeGant::Name(row));
    EXPECT_EQ(visible, (Strings{"r11", "r12"}));
}

TEST_F(GantRows, LookupsOfRowsThatDoNotExistFindNothing) {
    Build();
    EXPECT_EQ(Rows().GetGantRow(-1), nullptr);
    EXPECT_EQ(Rows().GetGantRow(Rows().Count()), nullptr);
    EXPECT_EQ(Rows().FindRowFromTreeNode(nullptr), nullptr);
    EXPECT_EQ(Rows().FindRowFromUntypedNode(nullptr), nullptr);
    Rows().RemoveRow(nullptr, nullptr);
    Rows().RemoveRow(a, nullptr);
    Rows().RemoveRow(a, nullptr);
    EXPECT_EQ(RowNames(), (Strings{"a1", "a2", "b", "c"}));
    EXPECT_EQ(AtY(5), "nil") << "a node without a row has no band to find";
    int dummy = 0;
    b->SetUserReference(&dummy);
    EXPECT_EQ(Rows().FindRowFromTreeNodeDataEntityUserReference(&dummy), RowOf(b));
    EXPECT_EQ(Rows().FindRowFromTreeNodeDataEntityUserReference(&gant), nullptr);
}

TEST_F(GantRows, AHookThatReturnsNoUsableRowLeavesTheRowToTheFactory) {
    Build();
    TGantRow* listed = RowOf(b);
    struct TCase {
        const char* What;
        std::function<TGantRow*(TGantRowList*, TqoDataEntity_Tree*)> Hook;
    };
    for (const TCase& t : {TCase{"nil", [](TGantRowList*, TqoDataEntity_Tree*) -> TGantRow* { return nullptr; }},
                           {"a listed row", [&](TGantRowList*, TqoDataEntity_Tree*) { return listed; }}}) {
        gant.OnUserCreate = [&](TGantRowList* list, TqoDataEntity_Tree* node, TqoDataEntity_GridTreeNode*) {
            return t.Hook(list, node);
        };
        TqoDataEntity_Tree* d = Add(nullptr, t.What);
        ASSERT_NE(RowOf(d), nullptr) << t.What;
        EXPECT_EQ(RowOf(d)->TreeNode(), d) << t.What;
        EXPECT_EQ(RowOf(b), listed);
    }
    TGantRow* own = nullptr;
    gant.OnUserCreate = [&](TGantRowList* list, TqoDataEntity_Tree* node, TqoDataEntity_GridTreeNode*) {
        return own = new TGantRow(list, node, nullptr);
    };
    TqoDataEntity_Tree* e = Add(nullptr, "e");
    EXPECT_EQ(RowOf(e), own) << "the host's own row is taken";
    EXPECT_EQ(Rows().Count(), 8);
}

// A node names one row, its first: a second row of it takes over when the
// first goes, and is still found once the rows close up around removals.
TEST_F(GantRows, ASecondRowOfANodeTakesOverWhenTheFirstGoes) {
    Build();
    TGantRow* first = RowOf(b);
    TGantRow* second = Rows().AddRow(b, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(RowOf(b), first);
    Rows().RemoveRow(b, nullptr);
    EXPECT_EQ(RowOf(b), second);
    tree->RemoveDataEntity(a);
    EXPECT_EQ(RowNames(), (Strings{"c", "b"}));
    EXPECT_EQ(RowOf(b), second);
    EXPECT_EQ(RowOf(c)->TreeNode(), c);
    b->ObjAddRef(); // a host holds the node
    tree->RemoveDataEntity(b);
    EXPECT_EQ(RowNames(), (Strings{"c"}));
    EXPECT_EQ(b->IntegrationCookie(), nullptr) << "a freed row's node names none";
    b->ObjRelease();
}

TEST_F(GantRows, ARowRemovedWhileAHostHoldsItIsEmptyAndOutOfEveryLookup) {
    Build();
    TGantRow* row = RowOf(b);
    TqoDataEntity_GantTime* item = gant.AddItem(row, 1, 0.5, 1);
    item->ObjAddRef();
    row->ObjAddRef();
    b->ObjAddRef();
    tree->RemoveDataEntity(b);
    EXPECT_EQ(RowOf(b), nullptr);
    b->ObjRelease();
    EXPECT_EQ(row->DataLists(), nullptr);
    EXPECT_EQ(row->Layer(0), nullptr);
    EXPECT_EQ(row->AddDataList(), nullptr);
    EXPECT_EQ(row->Gant(), nullptr);
    EXPECT_EQ(row->GetRect(), (TRect{-1, -1, -1, -1}));
    EXPECT_FALSE(row->GetVisible());
    EXPECT_EQ(row->FindDataEntityFromXY(60, 25), nullptr);
    row->DrawContent();
    EXPECT_EQ(item->Row(), nullptr) << "the item left its layer with the row";
    TRect rect;
    EXPECT_FALSE(row->RectFromDataEntity(item, rect));
    row->ObjRelease();
    item->ObjRelease();
}

TEST_F(GantRows, HandlersThatRemoveTheRowAgainOrFreeTheListLeaveNothingDangling) {
    Build();
    gant.OnBeforeFree = [&](TGantRow*) { Rows().RemoveRow(b, nullptr); };
    tree->RemoveDataEntity(b);
    EXPECT_EQ(RowNames(), (Strings{"a", "a1", "a2", "c"}));
    gant.OnBeforeFree = [&](TGantRow*) { gant.FreeRows(); };
    tree->RemoveDataEntity(c);
    EXPECT_EQ(gant.RowList(), nullptr);
    EXPECT_EQ(gant.AllDataEntities()->Count(), 0);
    gant.OnBeforeFree = nullptr;
    tree->RemoveDataEntity(a) ;
}

TEST_F(GantRows, LayersAreMadeOnDemandAndNegativeLayersDoNotExist) {
    Build();
    TGantRow* row = RowOf(a);
    EXPECT_EQ(row->Layer(-1), nullptr);
    EXPECT_EQ(row->LayerCount(), 0);
    TqoDataList_GantRow* third = row->Layer(2);
    EXPECT_EQ(row->LayerCount(), 3);
    EXPECT_EQ(third->Row(), row);
    EXPECT_EQ(row->DataLists()->Items(4), row->Layer(4)) << "a missing index makes the layers up to it";
    EXPECT_EQ(row->LayerCount(), 5);
    EXPECT_EQ(third->ListController(), &gant.Controller);
    EXPECT_EQ(gant.AddItem(row, 2, 0, 1)->Row(), row);
}

} // namespace
} // namespace qo
