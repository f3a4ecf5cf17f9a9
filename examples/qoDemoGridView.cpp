// A grid view of a few hundred tasks: a name, hours (right-aligned), a start
// date (a date picker), a done check box and a colour chosen from a list, each
// column with its in-place editor. The pictures show the edits a user makes with the
// keyboard and the mouse; live, every cell edits, and the view scrolls and
// resizes its columns.
#include "qoDemoGridView.h"

#include "grid/qoBabGridView.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/core/qoDateFormat.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

constexpr int Rows = 300;
const char* const Headers[] = {"Task", "Hours", "Start", "Done", "Colour"};
const int Widths[] = {130, 56, 80, 44, 80};
const std::vector<std::string> Colours = {"red", "green", "blue", "amber"};

std::string CellText(int column, int row) {
    if (row == 0) return Headers[column];
    switch (column) {
    case 0: return "Task " + std::to_string(row);
    case 1: return std::to_string(4 + row * 7 % 37);
    case 2: return FormatDateTime("m/d/yyyy", EncodeDate(2024, 3, 1) + row % 60);
    case 3: return row % 3 == 0 ? "TRUE" : "FALSE";
    default: return Colours[size_t(row) % Colours.size()];
    }
}

// The form with its grid; the layouts outlive the view's cells.
struct TGridDemo {
    TPanel Form{nullptr};
    TBabGridView* View;
    TLayoutProp Numbers;

    TGridDemo() {
        Form.SetBevelOuter(bvNone);
        Form.SetBounds(0, 0, 420, 260);
        View = new TBabGridView(&Form);
        View->SetParent(&Form);
        View->SetAlign(alClient);
        Numbers = *View->DefaultContentLayoutProperty();
        Numbers.HorzAlignRight = true;
        View->OnInitContent = [this](TComponent*, TBabSimpleCellStringData* data) {
            TBabCell* cell = data->BabCell();
            const int column = cell->ColumnIndex(), row = cell->RowIndex();
            data->SetIsBoolean(column == 3 && row > 0);
            if (column == 1 && row > 0) cell->SetLayoutProp(&Numbers);
            data->SetString(CellText(column, row));
        };
        View->OnChooseEditor = [](TComponent*, TBabCellData* data, TBabEditorType& type) {
            const int column = data->BabCell()->ColumnIndex();
            if (column == 2) type = babETDateTime;
            if (column == 4) type = babETCombo;
        };
        View->InplaceComboEditor()->SetItems(Colours);
        TBabGridCellForViewer* root = View->MainGrid();
        for (int width : Widths) {
            TAxisContentItem* column = root->AxisContentListX()->AddNew(nullptr);
            column->SetUserSizeActive(true);
            column->SetUserSize(width);
        }
        for (int i = 0; i <= Rows; ++i) root->AxisContentListY()->AddNew(nullptr);
        root->SetFixedRows(1);
    }
};

void Save(THeadlessHarness& harness, TGridDemo& demo, const std::string& outDir, const std::string& name) {
    const std::string path = (std::filesystem::path(outDir) / ("qo-demo-gridview-" + name + ".png")).string();
    harness.SaveSnapshot(demo.Form, path);
    std::printf("grid view written to %s\n", std::filesystem::absolute(path).string().c_str());
}

TPoint MiddleOf(TGridDemo& demo, int column, int row) {
    const TRect r = demo.View->MainGrid()->getCell(column, row)->getVisibleRect();
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void TypeText(THeadlessHarness& harness, const std::string& text) {
    for (char c : text) harness.Char(char16_t(c));
}

} // namespace

void RenderGridViewDemo(const std::string& outDir) {
    std::filesystem::create_directories(outDir);
    THeadlessHarness harness;
    TGridDemo demo;
    harness.RunUntilIdle();
    // A name retyped, a box ticked with a click, the hours of the next row being typed.
    harness.Click(*demo.View, MiddleOf(demo, 0, 2));
    harness.Key(VK_F2);
    TypeText(harness, "Order parts");
    harness.Key(VK_RETURN);
    const TRect done = demo.View->MainGrid()->getCell(3, 4)->getVisibleRect();
    harness.Click(*demo.View, {done.Left + 7, done.Top + 9});
    harness.AdvanceTime(1000);
    harness.Click(*demo.View, MiddleOf(demo, 1, 3));
    harness.Key(VK_F2);
    TypeText(harness, "12");
    Save(harness, demo, outDir, "text");
    harness.Key(VK_TAB);
    // The date picker on row 5, its day stepped on three days.
    harness.AdvanceTime(1000);
    harness.Click(*demo.View, MiddleOf(demo, 2, 5));
    harness.Key(VK_F2);
    harness.Key(VK_RIGHT);
    for (int i = 0; i < 3; ++i) harness.Key(VK_UP);
    Save(harness, demo, outDir, "date");
    harness.Key(VK_RETURN);
    // The colour list on row 6, moved one item on.
    harness.AdvanceTime(1000);
    harness.Click(*demo.View, MiddleOf(demo, 4, 6));
    harness.Key(VK_F2);
    harness.Key(VK_DOWN);
    Save(harness, demo, outDir, "combo");
    harness.Key(VK_RETURN);
}

bool ShowGridViewDemo() {
    TGridDemo demo;
    demo.View->SetFocus();
#ifdef _WIN32
    return RunInWin32Window(demo.Form, "qoChartix grid view");
#else
    return RunInX11Window(demo.Form, "qoChartix grid view");
#endif
}
