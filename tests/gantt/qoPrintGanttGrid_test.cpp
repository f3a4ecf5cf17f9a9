// Printing the Gantt chart with its grid as the header, through a grid header
// over the grid component: the rows from a start node to the last, pages that
// continue at the node after the last one printed, the mode and the grid
// given back, and the printed pages.
#include "gantt/qoGantGridHeader.h"
#include "gantt/qoPrintGantt.h"

#include "qoGantModelFixture.h"

#include "grid/qoGrid.h"
#include "grid/qoGridTree.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

class PrintGanttGrid : public test::TFormFixture {
protected:
    PrintGanttGrid() {
        form.SetBounds(0, 0, 500, 240);
        gant = new TqoGant_ComBasic(&form);
        gant->SetParent(&form);
        gant->SetUseGridNotTree(true);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 160);
        grid = static_cast<TGantGridHeader*>(gant->Grid())->Grid();
        // The header's first column holds the tree.
        grid->Columns()->Columns(0)->SetHeaderText("Task");
        grid->AddColumn()->SetHeaderText("Who");
        grid->Columns()->Columns(0)->SetWidth(90);
        grid->SetHasHeaders(true);
        gant->UpdateGridAlign();
        for (int p = 0; p < 3; ++p) {
            TqoDataEntity_GridTreeNode* phase = Node(nullptr, "Phase " + std::to_string(p + 1), "Ann");
            phases.push_back(phase);
            for (int t = 0; t < 3; ++t) Node(phase, "Task " + std::to_string(3 * p + t + 1), t % 2 ? "Bob" : "Eve");
        }
        // The chart shows its tree: printing with the grid switches for the print only.
        gant->SetUseGridNotTree(false);
        harness.RunUntilIdle();
        Whiten(page);
    }
    ~PrintGanttGrid() override { TDoLater::Shutdown(); }
    TqoDataEntity_GridTreeNode* Node(TqoDataEntity_GridTreeNode* parent, const std::string& task,
                                     const std::string& who) {
        TqoDataEntity_GridTreeNode* node = gant->GridNode_Add(parent);
        const int y = node->AxisContentItem() ? node->AxisContentItem()->ListIndex() : -1;
        if (y >= 0) {
            grid->SetText(grid->Cell(0, y), task);
            grid->SetText(grid->Cell(1, y), who);
        }
        // A bar a day later on each row: on paper it must stand in its own row.
        if (TqoDataEntity_GantTime* bar = gant->GridNode_AddGantTime(node, 0)) {
            const double day = double(nodes.size() % 5);
            bar->SetStart(kMonday + day);
            bar->SetStop(kMonday + day + 1);
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
    TqoGant_ComBasic* gant;
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
