// A project list in grid mode: the Gantt chart headed by a grid whose tree
// column holds the tasks with icons, beside a grouped phase column, resource
// and date columns with their editors; each task's bar in the chart, the list
// sorted by the user's choice of column, its expanded states saved and restored.
// Live in a window, its bars move, copy and link as in the Gantt demo, and the
// keys step from bar to bar and from row to row of the grid.
#include "qoDemoGrid.h"

#include "qoDemoGanttActions.h"

#include "gantt/qoGant.h"
#include "grid/qoGrid.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoDateTime.h"
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoHeadless.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

using namespace qo;

struct TDemoTask {
    int Parent;
    const char* Name;
    const char* Phase;
    const char* Resource;
    int StartDay, Days;
};

const TDemoTask Tasks[] = {
    {-1, "Plan", "Define", "Ann", 0, 10},       {0, "Interviews", "Define", "Ann", 0, 4},
    {0, "Requirements", "Define", "Bob", 4, 6}, {-1, "Build", "Deliver", "Team", 10, 30},
    {3, "Frame", "Deliver", "Carl", 10, 12},    {3, "Walls", "Deliver", "Carl", 22, 10},
    {5, "Windows", "Deliver", "Dora", 28, 4},   {3, "Roof", "Deliver", "Dora", 32, 8},
    {-1, "Hand over", "Close", "Bob", 40, 2},
};

std::unique_ptr<TImageList> MakeIcons() {
    auto images = std::make_unique<TImageList>(12, 12);
    for (TColor color : {TColor(0x2060C0), TColor(0x30A040), TColor(0x3050E0)}) {
        TBitmap image;
        image.SetSize(12, 12);
        image.Canvas().Brush().Color = clWindow;
        image.Canvas().FillRect({0, 0, 12, 12});
        image.Canvas().Brush().Color = color;
        image.Canvas().FillRect({1, 2, 11, 10});
        images->Add(image);
    }
    return images;
}

// The chart's grid comes with its tree column: it becomes the task column.
void AddColumns(TqoGrid* grid) {
    struct TColumnPlan {
        const char* Header;
        TColumnKind Kind;
        int Width;
    };
    const TColumnPlan plans[] = {{"Task", tckSimpleEdit, 170}, {"Phase", tckSimpleEdit, 70},
                                 {"Resource", tckCombo, 70},   {"Start", tckDate, 80},
                                 {"Finish", tckDate, 80}};
    for (const TColumnPlan& plan : plans) {
        TqoGrid_Column* column = &plan == plans ? grid->Columns()->Columns(0) : grid->AddColumn();
        column->SetHeaderText(plan.Header);
        column->SetKind(plan.Kind);
        column->SetWidth(plan.Width);
        column->SetSortEnable(true);
    }
    grid->Columns()->Columns(0)->SetTreeButton(true);
    grid->Columns()->Columns(0)->SetHasIcon(true);
    grid->Columns()->Columns(1)->SetGroupcells(true);
    TqoCellLayout* dates = grid->CellLayouts()->Add();
    dates->SetName("dates");
    dates->SetHorzAlignRight(true);
    grid->Columns()->Columns(3)->SetLayoutName("dates");
    grid->Columns()->Columns(4)->SetLayoutName("dates");
}

const TDateTime kStart = EncodeDate(2026, 3, 2);

// A summary's bar spans its tasks; a task's bar is as long as its days.
void AddBar(TqoGant& gant, TqoDataEntity_GridTreeNode* node, const TDemoTask& task) {
    const bool summary = task.Parent < 0;
    TqoDataEntity_GantTime* bar = gant.GridNode_AddGantTime(node, 0);
    bar->SetStart(kStart + task.StartDay);
    bar->SetStop(kStart + task.StartDay + task.Days);
    bar->SetStyle(summary ? gtsSpan : gtsSquare);
    bar->SetColor(summary ? RGB(40, 40, 40) : task.Days > 5 ? RGB(90, 160, 230) : RGB(240, 160, 80));
    bar->SetTopInset(summary ? 1 : 3);
    bar->SetBottomInset(summary ? 7 : 3);
}

void AddTasks(TqoGant& gant, TqoGrid* grid) {
    std::vector<TqoDataEntity_GridTreeNode*> nodes;
    for (const TDemoTask& task : Tasks) {
        TqoDataEntity_GridTreeNode* node = gant.GridNode_Add(task.Parent < 0 ? nullptr : nodes[size_t(task.Parent)]);
        const bool summary = task.Parent < 0;
        node->SetImageIndex(summary ? 0 : task.Days > 5 ? 1 : 2);
        node->SetSelectedIndex(node->ImageIndex());
        const int y = node->AxisContentItem()->ListIndex();
        const std::string texts[] = {task.Name, task.Phase, task.Resource,
                                     FormatDateTime("yyyy-mm-dd", kStart + task.StartDay),
                                     FormatDateTime("yyyy-mm-dd", kStart + task.StartDay + task.Days)};
        for (int x = 0; x < 5; ++x) grid->SetText(grid->Cell(x, y), texts[x]);
        AddBar(gant, node, task);
        nodes.push_back(node);
    }
}

} // namespace

namespace {

// The project list on a form; the grid shows the icons, which must outlive it.
TqoGant* BuildGridDemoForm(TPanel& form, TImageList& icons) {
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 900, 260);
    auto* gant = new TqoGant(&form);
    gant->SetParent(&form);
    gant->SetAlign(alClient);
    gant->SetScaleAndTree(kStart - 1, kStart + 44, 520);
    gant->SetUseGridNotTree(true);
    TqoGrid* grid = static_cast<TGantGridHeader*>(gant->Grid())->Grid();
    gant->SetColorTree(clWindow);
    grid->SetImageList(&icons);
    AddColumns(grid);
    grid->SetHasHeaders(true);
    gant->UpdateGridAlign();
    AddTasks(*gant, grid);
    grid->GetTree()->ExpandAll();
    // The user's layout of the list survives a rebuild: saved, collapsed, restored.
    grid->ExpandedStateSave();
    grid->GetTree()->CollapseAll();
    grid->ExpandedStateRestore();
    // The user sorted by the finish, latest first.
    grid->SortColumn(4, true);
    grid->SetFocusedCell(grid->Cell(1, 2));
    grid->Repaint();
    return gant;
}

} // namespace

void RenderGridDemo(const std::string& outDir) {
    std::filesystem::create_directories(outDir);
    THeadlessHarness harness;
    TPanel form(nullptr);
    const std::unique_ptr<TImageList> icons = MakeIcons();
    BuildGridDemoForm(form, *icons);
    harness.RunUntilIdle();
    const std::string path = (std::filesystem::path(outDir) / "qo-demo-grid.png").string();
    harness.SaveSnapshot(form, path);
    std::printf("%s\n", path.c_str());
}

bool ShowGridDemo() {
    TPanel form(nullptr);
    const std::unique_ptr<TImageList> icons = MakeIcons();
    TqoGant* gant = BuildGridDemoForm(form, *icons);
    WireGanttActions(*gant);
    form.SetBounds(0, 0, 1100, 420);
#ifdef _WIN32
    return RunInWin32Window(form, "qoChartix project list");
#else
    return RunInX11Window(form, "qoChartix project list");
#endif
}
