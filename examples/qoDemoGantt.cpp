// A construction project as a planner lays it out: phases, their work
// packages and tasks in the tree, the scaler over eight weeks with Saturdays
// and Sundays hidden, and the chart's alternate rows following the tree as it
// expands, with bars of every kind, texts in and beside them and the links
// between tasks. Live, the splitter drags, the tree expands and the scaler pans.
#include "qoDemoGantt.h"
#include "qoDemoGanttActions.h"

#include "gantt/qoGant.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/window/qoHeadless.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

const TDateTime kProjectStart = EncodeDate(2025, 3, 3);

const char* const kPhases[] = {"Site preparation", "Foundations", "Structure", "Envelope", "Mechanical",
                               "Electrical",       "Plumbing",    "Interiors", "Exterior works", "Handover"};
const char* const kPackages[] = {"Planning", "Procurement", "Execution", "Inspection"};
const char* const kTasks[] = {"Survey", "Order materials", "Deliver", "Install", "Check", "Sign off", "Clean up"};

TqoDataEntity_Tree* Node(TqoGant_ComBasic& gant, TqoDataEntity_Tree* parent, const std::string& text) {
    TqoDataEntity_Tree* node = gant.TreeView()->AddDataEntity(parent);
    node->SetText(text);
    return node;
}

TqoDataEntity_GantTime* Bar(TqoGant_ComBasic& gant, TqoDataEntity_Tree* node, double from, double to,
                            TGantTimeStyle style, TColor color) {
    TqoDataEntity_GantTime* item = gant.AddGantTime(node, 0);
    item->SetStart(kProjectStart + from);
    item->SetStop(kProjectStart + to);
    item->SetStyle(style);
    item->SetColor(color);
    item->SetTopInset(style == gtsSpan ? 1 : 3);
    item->SetBottomInset(style == gtsSpan ? 7 : 3);
    return item;
}

// Each task follows the one before it; a sign-off is a milestone diamond, an
// inspection a wave, deliveries pipes; packages and phases are summary bars.
TqoDataEntity_GantTime* Schedule(TqoGant_ComBasic& gant, TqoDataEntity_Tree* package, int p, int w) {
    static const TGantTimeStyle kTaskStyles[] = {gtsSquare, gtsLine, gtsPipe, gtsSquare, gtsWave, gtsRomb, gtsLineWEnd};
    const double start = p * 6 + w * 3;
    TqoDataEntity_GantTime* previous = nullptr;
    TqoDataList_Tree& tasks = *package->SubDataList();
    for (int t = 0; t < tasks.Count(); ++t) {
        const double from = start + t * 2;
        TqoDataEntity_GantTime* item =
            Bar(gant, tasks.Item(t), from, from + 3, kTaskStyles[t], t % 2 ? RGB(240, 160, 80) : RGB(90, 160, 230));
        if (kTaskStyles[t] == gtsRomb) item->SetFixedSize(14);
        if (t == 0) item->TextCollection()->AddText("Start", 4, 1, 1);
        if (t == 3) item->TextCollection()->AddTextEx("crew of 4", 4, 1, 1, qo::trpOutsideFar, qo::trpInside);
        if (previous) {
            TqoDataEntity_Link* link = gant.AddLink();
            link->SetLinkOwner(previous);
            link->SetLinkedTo(item);
            link->SetLinkStyle(t % 3 == 0 ? qo::tlsMSProject : qo::tlsDefault);
            link->SetLinkColor(clNavy);
            link->SetLinkPenWidth(1);
        }
        previous = item;
    }
    Bar(gant, package, start, start + (tasks.Count() - 1) * 2 + 3, gtsSpan, RGB(70, 70, 120));
    return previous;
}

// 10 phases of 4 packages of 7 tasks: 330 rows in all.
void BuildProject(TqoGant_ComBasic& gant) {
    gant.SetMaxLevelsTree(3);
    int p = 0;
    for (const char* phase : kPhases) {
        TqoDataEntity_Tree* ph = Node(gant, nullptr, phase);
        int w = 0;
        for (const char* package : kPackages) {
            TqoDataEntity_Tree* wp = Node(gant, ph, package);
            for (const char* task : kTasks) Node(gant, wp, task);
            Schedule(gant, wp, p, w++);
        }
        Bar(gant, ph, p * 6, p * 6 + 3 * 3 + 6 * 2 + 3, gtsSpan, RGB(40, 40, 40));
        ++p;
    }
    // The first phase open down to its tasks, the second to its packages.
    TqoDataList_Tree& roots = *gant.TreeView()->RootDataEntities();
    roots.Item(0)->SetExpanded(true);
    roots.Item(0)->SubDataList()->Item(2)->SetExpanded(true);
    roots.Item(1)->SetExpanded(true);
}

} // namespace

void BuildGanttDemoForm(qo::TPanel& form, qo::TqoGant*& gant) {
    using namespace qo;
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 960, 540);
    gant = new TqoGant(&form);
    gant->SetParent(&form);
    gant->SetAlign(alClient);
    gant->SetHiddenDays((1u << thdSAT) | (1u << thdSUN));
    gant->SetDrawShortLines(true);
    gant->SetScaleAndTree(kProjectStart, kProjectStart + 8 * 7, 220);
    BuildProject(*gant);
    WireGanttActions(*gant);
    // Bars dropped onto one another spread over sub-columns of their row.
    for (int32_t i = 0; i < gant->RowList()->Count(); ++i) gant->RowList()->GetGantRow(i)->SetCollisionDetection(true);
}

void RenderGanttDemo(const std::string& outDir) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    TqoGant* gant = nullptr;
    BuildGanttDemoForm(form, gant);
    TBitmap picture;
    harness.Snapshot(form, picture);
    const std::string path = (std::filesystem::path(outDir) / "qo-demo-gantt.png").string();
    picture.SaveToPNG(path);
    std::printf("Gantt chart written to %s\n", std::filesystem::absolute(path).string().c_str());
}

bool ShowGanttDemo() {
    TPanel form(nullptr);
    TqoGant* gant = nullptr;
    BuildGanttDemoForm(form, gant);
#ifdef _WIN32
    return RunInWin32Window(form, "qoChartix Gantt chart");
#else
    return RunInX11Window(form, "qoChartix Gantt chart");
#endif
}
