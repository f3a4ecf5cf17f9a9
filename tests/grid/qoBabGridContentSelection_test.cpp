#include "platform/core/qoErrors.h"
#include "qoBabGridContent_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qo {
namespace {

using test::TTestGrid;

// Four by four, one fixed column and row.
struct Selecting : ::testing::Test {
    TTestGrid g;
    void SetUp() override {
        g.Fill(4, 4);
        g.root->SetFixedCols(1);
        g.root->SetFixedRows(1);
    }
    TBabCell* Cell(int x, int y) { return g.root->getCell(x, y); }
    // The selected cells as "xy" pairs, column by column.
    std::string Selection() {
        std::string s;
        for (int x = 0; x < g.X()->Count(); ++x)
            for (int y = 0; y < g.Y()->Count(); ++y)
                if (Cell(x, y)->Selected()) s += std::to_string(x) + std::to_string(y) + " ";
        return s;
    }
};

struct Click {
    int x, y;
    TShiftState shift;
};

TEST_F(Selecting, ClicksWithShiftAndCtrlBuildTheSelection) {
    const struct {
        std::vector<Click> clicks;
        bool multiSelect;
        std::string selection;
    } cases[] = {
        {{{2, 2, 0}}, true, "22 "},
        {{{2, 2, 0}, {3, 3, ssCtrl}}, true, "22 33 "},
        {{{2, 2, 0}, {3, 3, ssCtrl}, {3, 3, ssCtrl}}, true, "22 "},
        {{{1, 1, 0}, {2, 3, ssShift}}, true, "11 12 13 21 22 23 "},
        {{{1, 1, 0}, {3, 1, ssCtrl}, {3, 2, ssShift | ssCtrl}}, true, "11 31 32 "},
        {{{1, 1, 0}, {3, 1, ssCtrl}, {3, 2, ssShift}}, true, "31 32 "},
        {{{1, 1, 0}, {2, 3, ssShift}}, false, "23 "},
        {{{1, 1, 0}, {0, 0, 0}, {1, 0, ssShift}}, true, "11 "},
    };
    for (const auto& c : cases) {
        g = TTestGrid();
        SetUp();
        g.root->SetMultiSelect(c.multiSelect);
        for (const Click& k : c.clicks) g.root->UpdateMultiSelect(Cell(k.x, k.y), k.shift);
        EXPECT_EQ(Selection(), c.selection) << c.clicks.size() << " clicks";
    }
}

TEST_F(Selecting, RowSelectSelectsTheRowBesideTheFixedColumns) {
    g.root->SetRowSelect(true);
    g.root->UpdateMultiSelect(Cell(2, 2), 0);
    EXPECT_EQ(Selection(), "12 22 32 ");
    g.root->UpdateMultiSelect(Cell(3, 1), 0);
    EXPECT_EQ(Selection(), "11 21 31 ");
}

TEST_F(Selecting, TheOwnerHearsOfAChangeBeforeAndAfter) {
    std::vector<std::string> log;
    g.root->OnInternalSelectionChanged = [&](TBabGridCellForViewer*, TBabCell* cell, bool v) {
        log.push_back(std::string("before ") + (cell->Selected() ? "1" : "0") + (v ? "1" : "0"));
    };
    TSingleEventListener listener(
        g.root->SelectionChangeEvent(),
        [&](TSingleEventListener* l) {
            log.push_back(l->CallingMessage() == Cell(2, 2) ? "after" : "other");
        },
        false);
    Cell(2, 2)->SetSelected(true);
    Cell(2, 2)->SetSelected(true);
    EXPECT_EQ(log, (std::vector<std::string>{"before 01", "after"}));
}

TEST_F(Selecting, DeselectingTheRootClearsSubGridsToo) {
    g.root->OnCreateCell = [](TBabGridCell*, TAxisContentItem* x, TAxisContentItem*) {
        return x->ListIndex() == 4 ? babCellTypeGrid : babCellTypeSimple;
    };
    g.X()->AddNew(nullptr);
    auto* sub = dynamic_cast<TBabGridCell*>(Cell(4, 2));
    ASSERT_NE(sub, nullptr);
    sub->AxisContentListX()->AddNew(nullptr);
    sub->AxisContentListY()->AddNew(nullptr);
    sub->getCell(0, 0)->SetSelected(true);
    Cell(1, 1)->SetSelected(true);
    g.root->SetSelected(false);
    EXPECT_FALSE(sub->getCell(0, 0)->Selected());
    EXPECT_EQ(Selection(), "");
}

TEST_F(Selecting, FocusSkipsFixedCellsAndIsAnnounced) {
    int changes = 0;
    TSingleEventListener listener(
        g.root->FocusedCellChangeEvent(), [&](TSingleEventListener*) { ++changes; }, false);
    g.root->SetFocusedCell(Cell(2, 2));
    g.root->SetFocusedCell(Cell(2, 2));
    EXPECT_EQ(changes, 1);
    g.root->SetFocusedCell(Cell(0, 2));
    EXPECT_EQ(g.root->FocusedCell(), nullptr);
    EXPECT_EQ(changes, 2);
}

TEST_F(Selecting, AFreedCellLeavesFocusAndAnchor) {
    g.root->UpdateMultiSelect(Cell(2, 2), 0);
    g.root->SetFocusedCell(Cell(2, 2));
    g.Y()->Drop(2);
    EXPECT_EQ(g.root->FocusedCell(), nullptr);
    EXPECT_EQ(g.root->Anchor(), nullptr);
    g.root->UpdateMultiSelect(Cell(1, 1), ssShift); // no stale anchor
    EXPECT_EQ(Selection(), "11 ");
}

TEST_F(Selecting, LosingTheFocusedCellIsAnnouncedOnceTheGridIsWhole) {
    const struct {
        const char* how;
        void (*free)(test::TTestGrid&);
    } cases[] = {
        {"dropped", [](test::TTestGrid& g) { g.Y()->Drop(2); }},
        {"unloaded", [](test::TTestGrid& g) { g.Y()->UnloadAll(); }},
        {"cleared", [](test::TTestGrid& g) { g.X()->ClearKeepFixedItems(); }},
    };
    for (const auto& c : cases) {
        g = test::TTestGrid();
        SetUp();
        g.AllowUnload();
        g.root->SetFocusedCell(Cell(2, 2));
        int changes = 0;
        TSingleEventListener listener(
            g.root->FocusedCellChangeEvent(),
            [&](TSingleEventListener*) {
                ++changes;
                EXPECT_EQ(g.root->FocusedCell(), nullptr) << c.how;
                EXPECT_EQ(g.root->CellMatris()->LoadedCountX(), g.X()->LoadedCount()) << c.how;
                EXPECT_EQ(g.root->CellMatris()->LoadedCountY(), g.Y()->LoadedCount()) << c.how;
            },
            false);
        c.free(g);
        EXPECT_EQ(changes, 1) << c.how;
    }
}

// Two columns and a row; the cell in the second column is a one-cell sub-grid.
struct SubGridFocus : ::testing::Test {
    TTestGrid g;
    TBabGridCell* sub = nullptr;
    int rootChanges = 0;
    std::unique_ptr<TSingleEventListener> listener;
    void SetUp() override {
        g.root->OnCreateCell = [this](TBabGridCell* grid, TAxisContentItem* x, TAxisContentItem*) {
            return grid == g.root.get() && x->ListIndex() == 1 ? babCellTypeGrid : babCellTypeSimple;
        };
        g.Fill(2, 1);
        sub = static_cast<TBabGridCell*>(g.root->getCell(1, 0));
        sub->AxisContentListX()->AddNew(nullptr);
        sub->AxisContentListY()->AddNew(nullptr);
        listener = std::make_unique<TSingleEventListener>(
            g.root->FocusedCellChangeEvent(), [this](TSingleEventListener*) { ++rootChanges; }, false);
    }
};

TEST_F(SubGridFocus, FocusInASubGridFocusesTheSubGridCellAndTracksDown) {
    TBabCell* inner = sub->getCell(0, 0);
    g.root->SetFocusedCell(inner);
    EXPECT_EQ(g.root->FocusedCell(), sub);
    EXPECT_EQ(sub->FocusedCell(), inner);
    EXPECT_EQ(g.root->FocusedCellDownTrack(), inner);
    EXPECT_EQ(rootChanges, 2); // the sub-grid's change, then the root's own
    g.root->SetFocusedCell(g.root->getCell(0, 0));
    EXPECT_EQ(sub->FocusedCell(), nullptr);
}

TEST_F(SubGridFocus, FocusLostInsideASubGridReachesTheRoot) {
    g.root->SetFocusedCell(sub->getCell(0, 0));
    rootChanges = 0;
    sub->AxisContentListY()->Drop(0);
    EXPECT_EQ(sub->FocusedCell(), nullptr);
    EXPECT_EQ(rootChanges, 1);
    g.X()->Drop(1); // the sub-grid itself
    EXPECT_EQ(g.root->FocusedCell(), nullptr);
    EXPECT_EQ(rootChanges, 2);
}

TEST(BabCellData, MissingCellDataClassesFail) {
    const struct { bool simple, grid; } cases[] = {{true, false}, {false, true}};
    for (auto c : cases) {
        try {
            auto root = std::make_unique<TBabGridCellForViewer>(
                nullptr, c.simple ? TBabCellDataClass::Of<TBabSimpleCellData>() : TBabCellDataClass(),
                c.grid ? TBabCellDataClass::Of<TBabGridCellData>() : TBabCellDataClass());
            root->AxisContentListX()->AddNew(nullptr);
            root->AxisContentListY()->AddNew(nullptr);
            root->getCell(0, 0);
            FAIL() << "no error";
        } catch (const EqoError& e) {
            EXPECT_STREQ(e.what(), "CreateBabCellData");
        }
    }
}

struct TCountingData : TBabSimpleCellData {
    static inline int inits = 0;
    void InitContent() override { ++inits; }
};

TEST(BabCellData, DataKnowsItsCellAndIsInitialisedOnce) {
    TBabGridCellForViewer root(nullptr, TBabCellDataClass::Of<TCountingData>(),
                               TBabCellDataClass::Of<TBabGridCellData>());
    root.AxisContentListX()->AddNew(nullptr);
    root.AxisContentListY()->AddNew(nullptr);
    TBabCell* cell = root.getCell(0, 0);
    root.getCell(0, 0);
    EXPECT_EQ(TCountingData::inits, 1);
    EXPECT_EQ(cell->BabCellData()->BabCell(), cell);
    EXPECT_EQ(cell->BabCellData()->CellType(), babCellTypeSimple);
    EXPECT_EQ(cell->BabCellData()->AxisContentItemY(), root.AxisContentListY()->Items(0));
    EXPECT_EQ(root.BabCellData()->CellType(), babCellTypeGrid);
}

} // namespace
} // namespace qo
