// The Gantt component's model as a host drives it: rows that follow the tree,
// items added to a node's row with their defaults, items removed with their
// links, the active item, hit tests and item rectangles on a painted chart,
// the scale moved to show a row or an item, and hosts that free things from
// inside the component's events.
#include "qoGantModelFixture.h"

namespace qo {
namespace {

TEST_F(GantModel, EveryTreeNodeGetsARowThatGoesWithIt) {
    gant->OnAfterAddGantRow = [this](TGantRowList*, TGantRow* row) { Record("add " + std::string(row->TreeNode()->Text())); };
    gant->OnBeforeFreeGantRow = [this](TGantRowList*, TGantRow* row) { Record("free " + std::string(row->TreeNode()->Text())); };
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    Node(a, "A1");
    EXPECT_EQ(gant->RowList()->Count(), 2);
    EXPECT_EQ(gant->AllDataEntities()->Count(), 2) << "each row's layer set is in the list of all";
    gant->TreeView()->RemoveDataEntity(a);
    EXPECT_EQ(gant->RowList()->Count(), 0);
    EXPECT_EQ(gant->AllDataEntities()->Count(), 0);
    EXPECT_EQ(Log, std::vector<std::string>({"add ", "add ", "free A", "free A1"}))
        << "a row is added before the host sets the node's text, and goes in the tree's order";
}

TEST_F(GantModel, AHostsRowHookThatMakesNoRowLeavesTheRowToTheFactory) {
    gant->OnUserCreateGantRow = [this](TGantRowList*, TqoDataEntity_Tree*, TqoDataEntity_GridTreeNode*,
                                       TGantRow*& row) {
        Record("asked");
        row = nullptr;
    };
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    EXPECT_EQ(Log, std::vector<std::string>({"asked"}));
    ASSERT_NE(RowOf(a), nullptr);
    EXPECT_EQ(RowOf(a)->TreeNode(), a);
    EXPECT_NE(gant->AddGantTime(a, 0), nullptr);
}

TEST_F(GantModel, ANewItemIsWhiteSquareAndEditableBeforeTheHostHearsOfIt) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    gant->OnInsertItem_GantTime = [this](TComponent*, TqoDataEntity_GantTime* item) {
        Record(item->Color() == 0xFFFFFF && item->Style() == gtsSquare && item->GetCanEdit() ? "white" : "other");
    };
    TqoDataEntity_GantTime* item = gant->AddGantTime(a, 3);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Log, std::vector<std::string>({"white"}));
    EXPECT_EQ(item->Start(), 0.0);
    EXPECT_EQ(item->Stop(), 0.0);
    EXPECT_EQ(item->Row(), RowOf(a));
    EXPECT_EQ(RowOf(a)->LayerCount(), 4) << "layers 0 to 2 are made on the way to layer 3";
}

TEST_F(GantModel, NothingIsAddedWhereThereIsNoRowOrLayer) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    EXPECT_EQ(gant->AddGantTime(nullptr, 0), nullptr);
    EXPECT_EQ(gant->AddGantTime(a, -1), nullptr);
    EXPECT_EQ(gant->AddGantTimeToGantRow(nullptr, 0), nullptr);
    EXPECT_EQ(RowOf(a)->LayerCount(), 0);
    gant->RemoveGantTime(nullptr);
}

TEST_F(GantModel, ADeletedItemTakesItsLinksAndStopsBeingActive) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* x = Item(a, 0, 1, 2);
    TqoDataEntity_GantTime* y = Item(a, 0, 3, 4);
    TqoDataEntity_GantTime* z = Item(a, 1, 5, 6);
    Link(x, y);
    Link(x, z);
    Link(z, x);
    TqoDataEntity_Link* kept = Link(y, z);
    EXPECT_EQ(kept->LinkColor(), clBlue);
    EXPECT_EQ(kept->LinkStyle(), tlsDefault);
    gant->SetActiveDataEntity(x);
    gant->OnHintInfo = [this](TqoDataEntity_GantTime* item, TDateTime, TDateTime, double) {
        Record(item ? "hint item" : "hint nil");
    };
    gant->OnDeleteItem_GantTime = [this](TComponent*, TqoDataEntity_GantTime*) {
        Record("delete with " + std::to_string(gant->GetLinks()->Count()) + " links");
    };
    gant->RemoveGantTime(x);
    EXPECT_EQ(Log, std::vector<std::string>({"hint nil", "delete with 4 links"}));
    EXPECT_EQ(gant->ActiveDataEntity(), nullptr);
    ASSERT_EQ(gant->GetLinks()->Count(), 1);
    EXPECT_EQ(gant->GetLinks()->Items(0), kept);
}

TEST_F(GantModel, FindsItemsByPointAndShowsWhereTheyAre) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_Tree* b = Node(nullptr, "B");
    TqoDataEntity_GantTime* item = Item(b, 0, 2, 4);
    TqoDataEntity_GantTime* hidden = Item(a, 0, 20, 21);
    Paint();
    const int h = gant->RowHeight();
    const int x2 = gant->DateScaler()->DateToPixel(kMonday + 2), x4 = gant->DateScaler()->DateToPixel(kMonday + 4);
    EXPECT_EQ(gant->RectFromDataEntity(item), TRect(x2, h + 1, x4, 2 * h - 1));
    EXPECT_EQ(gant->GetDataEntityFromXY((x2 + x4) / 2, h + h / 2), item);
    EXPECT_EQ(gant->GetDataEntityFromXY((x2 + x4) / 2, h), nullptr) << "a row's border finds no row";
    EXPECT_EQ(gant->GetDataEntityFromXY((x2 + x4) / 2, 5 * h), nullptr) << "below the rows";
    EXPECT_TRUE(gant->IsVisible(item));
    EXPECT_FALSE(gant->IsVisible(hidden));

    item->SetSelected(true);
    gant->ClearSelections();
    EXPECT_FALSE(item->GetSelected());
}

TEST_F(GantModel, ARowCollapsedAwayHasNoRectangle) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* item = Item(Node(a, "A1"), 0, 2, 4);
    a->SetExpanded(true);
    Paint();
    EXPECT_NE(gant->RectFromDataEntity(item).Top, -1);
    a->SetExpanded(false);
    Paint();
    EXPECT_EQ(gant->RectFromDataEntity(item), TRect(-1, -1, -1, -1));
}

TEST_F(GantModel, MovesTheScaleToShowARowOrTheActiveItem) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    Node(a, "empty");
    gant->MakeSureRowInView(RowOf(gant->TreeView()->RootDataEntities()->Item(0)->SubDataList()->Item(0)));
    gant->MakeSureRowInView(nullptr);
    EXPECT_EQ(gant->Start(), kMonday) << "a row without items leaves the scale";

    Item(a, 0, 20, 22);
    Item(a, 1, 18, 19);
    gant->MakeSureRowInView(RowOf(a));
    EXPECT_EQ(gant->Start(), kMonday + 18);
    EXPECT_EQ(gant->Stop(), kMonday + 22);

    struct Case {
        const char* what;
        double from, to;
        double start, stop;
    } cases[] = {
        {"wider than the window", 10, 30, 10, 30},
        {"partly left", 16, 19, 16, 20},
        {"partly right", 21, 25, 21, 25},
        {"inside", 19, 20, 18, 22},
    };
    for (const Case& c : cases) {
        gant->SetScaleAndTree(kMonday + 18, kMonday + 22, 100);
        gant->SetActiveDataEntity(Item(a, 2, c.from, c.to));
        gant->MakeSureActiveInView();
        EXPECT_DOUBLE_EQ(gant->Start(), kMonday + c.start) << c.what;
        EXPECT_DOUBLE_EQ(gant->Stop(), kMonday + c.stop) << c.what;
    }
}

TEST_F(GantModel, TheScrollColumnShowsWhileTheTreeHasMoreRowsThanFit) {
    gant->OnRealignScrollbar = [this](TComponent*, int, int, int max, int, bool enabled) {
        Record(enabled ? "bar to " + std::to_string(max) : "no bar");
    };
    std::vector<TqoDataEntity_Tree*> nodes;
    for (int i = 0; i < 40; ++i) nodes.push_back(Node(nullptr, "Row " + std::to_string(i)));
    Paint();
    harness.RunUntilIdle();
    EXPECT_TRUE(gant->ScrollBarVertical()->Enabled());
    EXPECT_TRUE(gant->PanelScrollHolder()->Visible());
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.back().rfind("bar to", 0), 0u) << Log.back();

    for (TqoDataEntity_Tree* node : nodes) gant->TreeView()->RemoveDataEntity(node);
    Paint();
    harness.RunUntilIdle();
    EXPECT_FALSE(gant->PanelScrollHolder()->Visible());
    EXPECT_EQ(Log.back(), "no bar");
}

TEST_F(GantModel, TheWheelOverTheChartMovesTheCurrentRow) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_Tree* b = Node(nullptr, "B");
    Paint();
    gant->TreeView()->SetCurrentDataEntity(a);
    harness.RunUntilIdle();
    EXPECT_EQ(gant->GetActiveGantRow(), RowOf(a));
    harness.Wheel(*gant->GA(), {50, 50}, -120);
    harness.RunUntilIdle();
    EXPECT_EQ(gant->GetActiveGantRow(), RowOf(b));
}

TEST_F(GantModel, ATabSheetHearsOfTheCurrentRow) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    Paint();
    auto* sheet = new TTabSheet(gant->PageControl());
    gant->AddTabSheet(sheet, [this](TGantRow* row) { Record(row ? std::string(row->TreeNode()->Text()) : "nil"); }, nullptr,
                      nullptr, nullptr);
    gant->SetTabSheetsONOFF(true);
    gant->PageControl()->SetActivePage(sheet);
    gant->TreeView()->SetCurrentDataEntity(a);
    harness.RunUntilIdle();
    gant->ChangeInTree();
    EXPECT_EQ(Log.back(), "A");
}

TEST_F(GantModel, TheTreesItemsComeBackWhenTheHeaderTurnsFromGridToTree) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* item = Item(a, 0, 2, 4);
    gant->SetUseGridNotTree(true);
    gant->SetUseGridNotTree(false);
    Paint();
    EXPECT_EQ(item->Row(), RowOf(a));
    EXPECT_NE(gant->RectFromDataEntity(item).Top, -1);
}

TEST_F(GantModel, AHostMayFreeTheComponentFromAnItemEvent) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    gant->OnInsertItem_GantTime = [this](TComponent*, TqoDataEntity_GantTime*) {
        delete gant;
        gant = nullptr;
    };
    TqoGant* doomed = gant;
    EXPECT_EQ(doomed->AddGantTime(a, 0), nullptr);
    EXPECT_EQ(gant, nullptr);
    EXPECT_EQ(form.ControlCount(), 0);
}

TEST_F(GantModel, AHostMayDeleteTheNewItemFromItsInsertEvent) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    gant->OnInsertItem_GantTime = [this](TComponent*, TqoDataEntity_GantTime* item) {
        gant->RemoveGantTime(item);
    };
    EXPECT_EQ(gant->AddGantTime(a, 0), nullptr);
    EXPECT_EQ(RowOf(a)->DataLists()->Items(0)->Count(), 0);
}

TEST_F(GantModel, FindsTheFirstMatchOfTheLastLayerHoldingTheReference) {
    int tag = 0;
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_Tree* b = Node(nullptr, "B");
    EXPECT_EQ(gant->FindGantTimeObjectFromUserReference(&tag), nullptr);
    Item(a, 0, 1, 2)->SetUserReference(&tag);
    TqoDataEntity_GantTime* first = Item(b, 1, 1, 2);
    first->SetUserReference(&tag);
    Item(b, 1, 3, 4)->SetUserReference(&tag);
    EXPECT_EQ(gant->FindGantTimeObjectFromUserReference(&tag), first);
}

} // namespace
} // namespace qo
