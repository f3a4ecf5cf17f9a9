// The Gantt demo's project printed as a planner prints it: every row expanded,
// the project's twelve weeks across the page, as many pages as the rows
// need, each continuing where the last stopped. The page handler starts the
// printer's next page and names its device context. In grid mode the header
// is a grid component with the task, its start and its length.
#include "qoDemoPrint.h"

#include "qoDemoGantt.h"

#include "gantt/qoGant.h"
#include "gantt/qoGantGridHeader.h"
#include "gantt/qoPrintGantt.h"
#include "grid/qoGrid.h"
#include "grid/qoGridTree.h"
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoPrinter.h"
#include "platform/window/qoHeadless.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

constexpr int Dpi = 300;
// Half an inch all round.
constexpr int Margin = Dpi / 2;

// The tree's rows again as grid rows (task, start and working days) with their bars.
void CopyBar(TqoDataEntity_GantTime& bar, TqoGant& target, TqoDataEntity_GridTreeNode* node) {
    TGantRow* row = target.RowList()->FindRowFromGridNode(node);
    TqoDataEntity_GantTime* copy = row ? target.AddGantTimeToGantRow(row, 0) : nullptr;
    if (!copy) return;
    copy->SetStart(bar.Start());
    copy->SetStop(bar.Stop());
    copy->SetStyle(bar.Style());
    copy->SetColor(bar.Color());
    copy->SetTopInset(bar.TopInset());
    copy->SetBottomInset(bar.BottomInset());
}

void CopyTreeToGrid(TqoGant& gant, TqoGant& target, TqoGrid& grid) {
    // The header's own first column holds the tree.
    grid.Columns()->Columns(0)->SetHeaderText("Task");
    for (const char* title : {"Start", "Days"}) grid.AddColumn()->SetHeaderText(title);
    grid.Columns()->Columns(0)->SetWidth(150);
    grid.Columns()->Columns(1)->SetWidth(60);
    grid.Columns()->Columns(2)->SetWidth(40);
    const std::function<void(TqoDataList_Tree*, TqoDataEntity_GridTreeNode*)> copy =
        [&](TqoDataList_Tree* list, TqoDataEntity_GridTreeNode* parent) {
            for (int i = 0; list && i < list->Count(); ++i) {
                TqoDataEntity_Tree* entity = list->Item(i);
                TqoDataEntity_GridTreeNode* node = target.GridNode_Add(parent);
                if (TAxisContentItem* row = node->AxisContentItem()) {
                    const int y = row->ListIndex();
                    grid.SetText(grid.Cell(0, y), std::string(entity->Text()));
                    TGantRow* gantRow = gant.RowList()->FindRowFromTreeNode(entity);
                    TqoDataList_GantRow* layer = gantRow && gantRow->LayerCount() > 0 ? gantRow->Layer(0) : nullptr;
                    if (layer && layer->Count() > 0) {
                        auto* bar = static_cast<TqoDataEntity_GantTime*>(layer->Items(0));
                        grid.SetText(grid.Cell(1, y), FormatDateTime("dd mmm", bar->Start()));
                        grid.SetText(grid.Cell(2, y), std::to_string(Round(bar->Stop() - bar->Start())));
                        CopyBar(*bar, target, node);
                    }
                }
                copy(entity->SubDataList(), node);
            }
        };
    copy(gant.TreeView()->RootDataEntities(), nullptr);
}
// Halves a page by averaging each 2 x 2 block: readable, and a quarter of the size.
void SaveHalfSize(const TBitmap& page, const std::string& path) {
    const TqoRaster& in = page.Raster();
    TBitmap half(in.Width() / 2, in.Height() / 2);
    TqoRaster& out = half.Raster();
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            const uint32_t p[] = {in.Row(2 * y)[2 * x], in.Row(2 * y)[2 * x + 1], in.Row(2 * y + 1)[2 * x],
                                  in.Row(2 * y + 1)[2 * x + 1]};
            uint32_t pixel = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                uint32_t sum = 0;
                for (uint32_t q : p) sum += (q >> shift) & 0xFF;
                pixel |= ((sum + 2) / 4) << shift;
            }
            out.Row(y)[x] = pixel;
        }
    half.SaveToPNG(path);
}

// Prints the chart into a PDF and PNG pages named after the mode.
void PrintToFiles(TqoGant& gant, bool withGrid, int headerWidth, const std::string& outDir) {
    TqoPrinter printer;
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printer.SetResolution(Dpi);
    printer.Title = withGrid ? "Project plan (grid)" : "Project plan";
    printer.BeginDoc();
    const int handle = TqoPrintGantt::RegisterDC([&printer] { return &printer.Handle(); });
    gant.OnPrintToHdcNewPage = [&](TComponent*, int page, int& height, int&, bool&, bool&) {
        if (page > 1) printer.NewPage();
        gant.SetHdcToUseOnNewPage(handle);
        height = printer.PageHeight() - Margin;
    };
    const double scale = Dpi / 96.0;
    TqoGantPrintArgs args;
    args.DC = &printer.Handle();
    args.X = args.Y = Margin;
    args.ScaleX = args.ScaleY = scale;
    args.TreeWidth = headerWidth;
    args.ScaleLength = int((printer.PageWidth() - 2 * Margin) / scale) - headerWidth;
    args.ScaleHeight = 45;
    // The whole project across the page, where the screen shows its first eight weeks.
    args.StartDate = gant.Start();
    args.StopDate = gant.Start() + 12 * 7;
    args.ExpandAll = true;
    try {
        if (withGrid)
            TqoPrintGantt::PrintWithGrid(gant, args, nullptr);
        else
            TqoPrintGantt::Print(gant, args, nullptr);
    } catch (...) {
        TqoPrintGantt::UnregisterDC(handle);
        printer.Abort();
        throw;
    }
    TqoPrintGantt::UnregisterDC(handle);
    gant.OnPrintToHdcNewPage = nullptr;
    printer.EndDoc();
    const std::string name = withGrid ? "qo-demo-print-grid" : "qo-demo-print-tree";
    const std::string pdf = (std::filesystem::path(outDir) / (name + ".pdf")).string();
    printer.SaveToPDF(pdf);
    for (size_t i = 0; i < printer.Pages().size(); ++i)
        SaveHalfSize(*printer.Pages()[i],
                     (std::filesystem::path(outDir) / (name + "-" + std::to_string(i + 1) + ".png")).string());
    std::printf("%s printed to %s and %d PNG pages at half size\n", printer.Title.c_str(),
                std::filesystem::absolute(pdf).string().c_str(), int(printer.Pages().size()));
}

} // namespace

void RenderPrintDemo(const std::string& outDir) {
    THeadlessHarness harness;
    {
        TPanel form(nullptr);
        TqoGant* gant = nullptr;
        BuildGanttDemoForm(form, gant);
        harness.RunUntilIdle();
        PrintToFiles(*gant, false, gant->TreeWidth(), outDir);
    }
    TPanel form(nullptr);
    TqoGant* source = nullptr;
    BuildGanttDemoForm(form, source);
    auto* gant = new TqoGant(&form);
    gant->SetParent(&form);
    gant->SetUseGridNotTree(true);
    gant->SetBounds(0, 0, form.Width(), form.Height());
    gant->SetHiddenDays(source->HiddenDays());
    gant->SetDrawShortLines(true);
    gant->SetScaleAndTree(source->Start(), source->Stop(), 300);
    TqoGrid& grid = *static_cast<TGantGridHeader*>(gant->Grid())->Grid();
    grid.SetHasHeaders(true);
    gant->UpdateGridAlign();
    CopyTreeToGrid(*source, *gant, grid);
    harness.RunUntilIdle();
    PrintToFiles(*gant, true, 150 + 60 + 40, outDir);
}
