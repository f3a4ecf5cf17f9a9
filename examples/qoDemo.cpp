// The demo host. It grows with the library: it shows the core's date vocabulary
// on standard output, draws a sample of what the canvas can do, date scalers at
// several ranges, the widgets, tree, grids and a Gantt chart into out/, and shows
// the Gantt chart in a window when a display is present. `qo-demo --help` says what it writes and how it ends.
#include "platform/core/qoDateFormat.h"
#include "platform/graphics/qoBitmap.h"
#include "qoDemoGallery.h"
#include "qoDemoGantt.h"
#include "qoDemoGrid.h"
#include "qoDemoGridView.h"
#include "qoDemoPrint.h"
#include "qoDemoTree.h"
#include "qoDemoScaler.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

using namespace qo;

void DrawShapes(TCanvas& c) {
    c.Brush().Color = clBtnFace;
    c.FillRect({0, 0, 480, 240});
    c.Pen() = {clNavy, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    c.Brush().Color = clAqua;
    c.Rectangle(10, 10, 110, 60);
    c.Pen().Width = 4;
    c.Brush().Color = clYellow;
    c.Rectangle(120, 10, 220, 60);
    c.Pen() = {clMaroon, 1, TPenStyle::psDot, TPenMode::pmCopy};
    c.Brush().Style = TBrushStyle::bsClear;
    c.Rectangle(230, 10, 330, 60);
    c.Brush().Style = TBrushStyle::bsSolid;
    TqoRaster checker(2, 2, ColorToPixel(clSilver));
    checker.Row(0)[1] = checker.Row(1)[0] = ColorToPixel(clGray);
    c.Brush().SetPattern(checker);
    c.FillRect({340, 10, 470, 60});
    c.Brush().ClearPattern();
    c.Pen() = {clGreen, 3, TPenStyle::psSolid, TPenMode::pmCopy};
    const TPoint zigzag[] = {{10, 120}, {40, 80}, {70, 120}, {100, 80}, {130, 120}};
    c.Polyline(zigzag);
    c.Pen() = {clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    c.Brush().Color = clFuchsia;
    const TPoint star[] = {{200, 130}, {220, 72}, {240, 130}, {190, 94}, {250, 94}};
    c.Polygon(star);
    c.Pen().Mode = TPenMode::pmXor;
    c.Pen().Color = clWhite;
    c.Brush().Color = clLime;
    c.Rectangle(270, 75, 350, 125);
    c.Rectangle(300, 90, 380, 135);
    c.DrawFocusRect({390, 75, 470, 125});
}

void DrawTexts(TCanvas& c) {
    c.Pen().Mode = TPenMode::pmCopy;
    c.Brush().Style = TBrushStyle::bsClear;
    const std::pair<const char*, TFontStyles> styles[] = {
        {"MS Sans Serif 8", 0},
        {"Bold", fsBold},
        {"Italic", fsItalic},
        {"Underline and strike-out", fsUnderline | fsStrikeOut}};
    int32_t y = 145;
    for (const auto& [text, style] : styles) {
        c.Font().Style = style;
        c.TextOut(10, y, text);
        y += c.TextHeight(text) + 2;
    }
    c.Font() = TFont{};
    c.Font().Name = "Times New Roman";
    c.Font().Size = 14;
    c.Font().Color = clNavy;
    c.TextOut(180, 145, "Times New Roman 14");
    c.Font().Name = "Courier New";
    c.Font().Size = 10;
    c.Font().Color = clMaroon;
    c.TextOut(180, 172, "Courier New 10");
    c.Font() = TFont{};
    c.Brush().Style = TBrushStyle::bsSolid;
    c.Brush().Color = clInfoBk;
    TRect box{180, 195, 330, 232};
    c.DrawTextW("Word break, centred and cut with an ellipsis when too long", box,
                DT_WORDBREAK | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    c.Brush().Style = TBrushStyle::bsClear;
    c.Font().Orientation = 900;
    c.Font().Color = clBlue;
    c.TextOut(450, 232, "Rotated label");
}

constexpr const char* Usage = R"(usage: qo-demo [--no-window] [--gallery] [--tree] [--grid-view] [--grid] [--help]

Prints today's date in several formats, then writes into out/ under the current
directory:
  out/qo-demo-canvas.png              a sample of what the canvas draws
  out/qo-demo-widgets.png             a gallery of the common widgets
  out/qo-demo-tree.png                a work breakdown in the tree
  out/qo-demo-gridview-EDITOR.png     a grid view with its text editor, date
                                      picker and list open over a cell
  out/qo-demo-grid.png                a project list in grid mode: tasks as a tree
  out/qo-demo-gantt.png               a Gantt chart of a project of 330 rows
  out/qo-demo-print-MODE.pdf          that project printed on A4 landscape at 300 DPI,
  out/qo-demo-print-MODE-N.png        with its tree or its grid (MODE), and its pages
                                      as PNG at half size
  out/qo-demo-scaler-RANGE-h.png      date scalers over an hour, a day, a week with
  out/qo-demo-scaler-RANGE-v.png      the weekend hidden, a month, a year and a
                                      decade, horizontal (-h) and vertical (-v)
When a display is present it then shows the Gantt chart live in a window and
runs until that window is closed with the window manager's close button.

  --no-window   do not open the window (so does QO_HEADLESS=1, or no DISPLAY)
  --gallery     show the widget gallery instead of the Gantt chart
  --tree        show the work breakdown tree instead of the Gantt chart
  --grid-view   show the grid view instead of the Gantt chart
  --grid        show the project list in grid mode instead of the Gantt chart
  --help        show this text
)";

// The demos that can run live in a window instead of the Gantt chart.
struct TLiveDemo {
    const char* Option;
    bool (*Show)();
};
constexpr TLiveDemo LiveDemos[] = {
    {"--gallery", ShowWidgetGallery},
    {"--tree", ShowTreeDemo},
    {"--grid-view", ShowGridViewDemo},
    {"--grid", ShowGridDemo},
};

void RenderDemos(const std::string& outDir) {
    for (auto render : {RenderScalerDemo, RenderWidgetGallery, RenderTreeDemo, RenderGridViewDemo, RenderGridDemo,
                        RenderGanttDemo, RenderPrintDemo})
        render(outDir);
}

} // namespace

int main(int argc, char** argv) {
    bool window = true;
    const TLiveDemo* live = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto named = std::find_if(std::begin(LiveDemos), std::end(LiveDemos),
                                        [&](const TLiveDemo& d) { return arg == d.Option; });
        if (arg == "--no-window") {
            window = false;
        } else if (named != std::end(LiveDemos)) {
            live = named;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "qo-demo: unknown option %s\n%s", arg.c_str(), Usage);
            return 2;
        }
    }
    const TDateTime now = Now();
    for (const char* format : {"dddddd", "ddddd tt", "YYMMDD HH:MM:SS", "yyyy mmm", "dddd d mmmm yyyy"})
        std::printf("%-20s %s\n", format, FormatDateTime(format, now).c_str());
    try {
        TBitmap sample(480, 240);
        DrawShapes(sample.Canvas());
        DrawTexts(sample.Canvas());
        std::filesystem::create_directories("out");
        const std::string path = "out/qo-demo-canvas.png";
        sample.SaveToPNG(path);
        std::printf("canvas sample written to %s\n", std::filesystem::absolute(path).string().c_str());
        RenderDemos("out");
        if (live) return live->Show() ? 0 : 1;
        if (window) std::printf(ShowGanttDemo() ? "window closed\n" : "no window: headless, or no display\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qo-demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
