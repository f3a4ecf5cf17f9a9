// Printing the Gantt chart with its grid as the header, through a grid header
// over the grid component: the rows from a start node to the last, pages that
// continue at the node after the last one printed, the mode and the grid
// given back, and the printed pages.
#include "gantt/qoGantGridPrinting.h"
#include "gantt/qoPrintGantt.h"

#include "qoGantModelFixture.h"

#include "grid/qoGrid.h"
#include "grid/qoGridTree.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

// The grid component as the chart's header, with its printing.
class TGridHeader : public IGantGridHeader {
public:
    explicit TGridHeader(TComponent* owner) : fGrid(new TqoGrid(owner)), fPrinting(*fGrid) {}
    ~TGridHeader() override { delete fGrid; }
    TWinControl& Control() override { return *fGrid; }
    int HeaderHeight() override { return fGrid->GetRowHeight(0); }
    void RedrawIfNeeded() override { fGrid->RedrawIfNeeded(); }
    void ForEachVisibleRow(const std::function<void(const TRect& cell, void* node)>& visit) override {
        TBabGridCellForViewer* root = fGrid->MainGrid();
        for (TAxisContentItem* row : root->AxisContentListY()->VisibleItems())
            if (TBabCell* cell = root->getCell(root->FixedCols(), row->ListIndex()); cell && !cell->IsFixed())
                visit(cell->VisibleRect_Untampered(), TqoGrid::AxisContentItemToGridTreeNode(row));
    }
    void SetMultiSelect(bool on) override { fGrid->SetMultiSelect(on); }
    IGantGridPrinting* Printing() override { return &fPrinting; }
    TqoGrid* Grid() const { return fGrid; }

private:
    TqoGrid* fGrid;
    TqoGantGridPrinting fPrinting;
};

class TGridGant : public TqoGant_ComBasic {
public:
    explicit TGridGant(TComponent* owner) : TqoGant_ComBasic(owner, TDeferInitialize{}) { InitializeInConstructor(); }
    TGridHeader* Header = nullptr;

protected:
    std::unique_ptr<IGantGridHeader> CreateGrid(TComponent* owner) override {
        auto header = std::make_unique<TGridHeader>(owner);
        Header = header.get();
        return header;
    }
};

class PrintGanttGrid : public test::TFormFixture {
protected:
    PrintGanttGrid() {
        form.SetBounds(0, 0, 500, 240);
        gant = new TGridGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 160);
        grid = gant->Header->Grid();
        for (const char* title : {"Task", "Who"}) grid->AddColumn()->SetHeaderText(title);
        grid->Columns()->Columns(0)->SetWidth(90);
        grid->Columns()->Columns(0)->SetTreeButton(true);
        grid->SetUseTree(true);
        grid->GetTree()->SetOnIntegrationEvents([this](TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node) {
            gant->RowList()->FollowGridTree(kind, node);
        });
        for (int p = 0; p < 3; ++p) {
            TqoDataEntity_GridTreeNode* phase = Node(nullptr, "Phase " + std::to_string(p + 1), "Ann");
            phases.push_back(phase);
            for (int t = 0; t < 3; ++t) Node(phase, "Task " + std::to_string(3 * p + t + 1), t % 2 ? "Bob" : "Eve");
        }
        harness.RunUntilIdle();
        Whiten(page);
    }
    // The grid tree's end announces nothing: its rows go with its nodes first.
    ~PrintGanttGrid() override {
        for (TqoDataEntity_GridTreeNode* phase : phases) grid->GetTree()->RemoveDataEntity(phase);
        TDoLater::Shutdown();
    }
    TqoDataEntity_GridTreeNode* Node(TqoDataEntity_GridTreeNode* parent, const std::string& task,
                                     const std::string& who) {
        TqoDataEntity_GridTreeNode* node = grid->GetTree()->AddDataEntity(parent);
        const int y = node->AxisContentItem() ? node->AxisContentItem()->ListIndex() : -1;
        if (y >= 0) {
            grid->SetText(grid->Cell(1, y), task);
            grid->SetText(grid->Cell(2, y), who);
        }
        nodes.push_back(node);
        return node;
    }
    TqoGantPrintArgs Args() {
        TqoGantPrintArgs args;
        args.DC = &page.Handle();
        args.X = 4;
        args.Y = 6;
        args.ScaleX = args.ScaleY = 1.5;
        args.TreeWidth = 160;
        args.ScaleLength = 160;
        args.ScaleHeight = 45;
        args.StartDate = kMonday;
        args.StopDate = kMonday + 6;
        args.ExpandAll = true;
        return args;
    }
    static void Whiten(TBitmap& bitmap) {
        bitmap.Canvas().Brush().Color = clWhite;
        bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    }
    TGridGant* gant;
    TqoGrid* grid;
    std::vector<TqoDataEntity_GridTreeNode*> nodes, phases;
    TBitmap page{480, 360};
};

TEST_F(PrintGanttGrid, AllRowsFromAStartNodeOnAndTheChartGivenBack) {
    grid->MainGrid()->SetTop(3);
    int announced = 0;
    grid->OnTopLeftChanged = [&](TComponent*) { ++announced; };
    // Every node expanded: twelve rows; from the sixth on, seven.
    EXPECT_EQ(TqoPrintGantt::PrintWithGrid(*gant, Args(), nodes[5]).RowsPrinted, 7);
    EXPECT_EQ(TqoPrintGantt::PrintWithGrid(*gant, Args(), nullptr).RowsPrinted, 12);
    EXPECT_FALSE(gant->UseGridNotTree()) << "the mode comes back";
    EXPECT_EQ(grid->MainGrid()->Top(), 3) << "and the grid's scroll position";
    EXPECT_FALSE(nodes[0]->Expanded()) << "and the collapsed rows";
    EXPECT_EQ(announced, 2) << "the grid's top-left cell is announced after each print";
}

TEST_F(PrintGanttGrid, PagesContinueAtTheRowAfterTheLastPrinted) {
    TBitmap second(480, 360);
    Whiten(second);
    const int handle = TqoPrintGantt::RegisterDC([&] { return &second.Handle(); });
    std::vector<int> pages;
    gant->OnPrintToHdcNewPage = [&](TComponent*, int number, int& h, int&, bool&, bool&) {
        h = 300;
        pages.push_back(number);
        if (number == 2) gant->SetHdcToUseOnNewPage(handle);
    };
    const TqoGantPrintResult result = TqoPrintGantt::PrintWithGrid(*gant, Args(), nullptr);
    TqoPrintGantt::UnregisterDC(handle);
    EXPECT_EQ(result.RowsPrinted, 12);
    EXPECT_EQ(pages, (std::vector<int>{1, 2}));
    EXPECT_TRUE(test::MatchesGolden(page.Raster(), "gantt_print_grid_page1"));
    EXPECT_TRUE(test::MatchesGolden(second.Raster(), "gantt_print_grid_page2"));
}

} // namespace
} // namespace qo
