// Printing the Gantt chart in tree mode: one page without a page handler,
// pages until every row is printed with one, go-ahead and measure-only pages,
// the row count across pages, the device context switched by the host, the
// chart given back exactly (also after failures), no nesting, bad input, and
// the printed pages.
#include "gantt/qoPrintGantt.h"

#include "qoGantModelFixture.h"
#include "qoGantWithoutGrid.h"

#include "platform/core/qoErrors.h"
#include "support/golden/qoGolden.h"

namespace qo {
namespace {

class PrintGantt : public GantModel {
protected:
    PrintGantt() {
        form.SetBounds(0, 0, 500, 240);
        const char* phases[] = {"Analysis", "Design", "Build"};
        for (int p = 0; p < 3; ++p) {
            TqoDataEntity_Tree* phase = Node(nullptr, phases[p]);
            Item(phase, 0, 2 * p, 2 * p + 3);
            for (int t = 0; t < 3; ++t)
                Item(Node(phase, std::string(phases[p]) + " " + std::to_string(t + 1)), 0, 2 * p + t, 2 * p + t + 1.5);
            phases_.push_back(phase);
        }
        phases_[0]->SetExpanded(true);
        harness.RunUntilIdle();
        Whiten(page);
    }
    TqoGantPrintArgs Args(TqoDC& dc) {
        TqoGantPrintArgs args;
        args.DC = &dc;
        args.X = 4;
        args.Y = 6;
        args.ScaleX = args.ScaleY = 1.5;
        args.TreeWidth = 100;
        args.ScaleLength = 200;
        args.ScaleHeight = 40;
        args.StartDate = kMonday;
        args.StopDate = kMonday + 8;
        args.ExpandAll = true;
        return args;
    }
    // Pages of a height; each page's number, rows and first row text logged.
    void PagesOf(int height, bool render = true) {
        gant->OnPrintToHdcNewPage = [=, this](TComponent*, int page, int& h, int&, bool&, bool& r) {
            h = height;
            r = render;
            Record("page " + std::to_string(page));
        };
    }
    // What the chart shows that printing must give back.
    std::string State() {
        TqoDateScaler& s = *gant->DateScaler();
        std::string expanded;
        for (TqoDataEntity_Tree* p : phases_) expanded += p->Expanded() ? "+" : "-";
        return std::to_string(s.Start()) + ".." + std::to_string(s.Stop()) + " " + Text(s.BoundsRect()) + " " +
               Text(gant->GA()->BoundsRect()) + " grid " + std::to_string(gant->UseGridNotTree()) + " offset " +
               std::to_string(gant->RowDrawOffset()) + " " + expanded + " dc " + std::to_string(gant->HdcToUseOnNewPage());
    }
    static void Whiten(TBitmap& page) {
        page.Canvas().Brush().Color = clWhite;
        page.Canvas().FillRect({0, 0, page.Width(), page.Height()});
    }
    static std::string Text(const TRect& r) {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom);
    }
    static bool Blank(const TBitmap& page) {
        for (int y = 0; y < page.Height(); ++y)
            for (int x = 0; x < page.Width(); ++x)
                if (page.Pixel(x, y) != clWhite) return false;
        return true;
    }
    std::vector<TqoDataEntity_Tree*> phases_;
    TBitmap page{480, 400};
};

TEST_F(PrintGantt, WithoutAPageHandlerPrintsOnePageAndTellsTheCallerItsLimits) {
    TqoGantPrintArgs args = Args(page.Handle());
    std::vector<std::string> calls;
    args.Limits.Bottom = 200;
    args.Limits.Callback = [&](bool right, int value, void* data) {
        calls.push_back(std::string(right ? "right " : "bottom ") + std::to_string(value) + " " +
                        (data ? std::string(static_cast<TqoDataEntity_Tree*>(data)->Text()) : "(none)"));
    };
    bool expandedWhileDrawn = false;
    gant->OnUserDrawForeground = [&](TComponent*, const TRect&, TCanvas&) { expandedWhileDrawn = phases_[2]->Expanded(); };
    const TqoGantPrintResult result = TqoPrintGantt::Print(*gant, args, nullptr);
    EXPECT_EQ(result.Pages, 1);
    EXPECT_TRUE(expandedWhileDrawn) << "the chart area shows the collapsed rows the header prints";
    EXPECT_FALSE(phases_[2]->Expanded()) << "collapsed again";
    // Rows of 24 pixels below a scaler of 60 from y 6: five fit above 200.
    EXPECT_EQ(result.RowsPrinted, 5);
    EXPECT_EQ(result.UsedHeight, 60 + 5 * 24);
    EXPECT_EQ(result.UsedWidth, 150 + 300);
    EXPECT_EQ(calls, std::vector<std::string>{"bottom 120 Design 1"});
    // A chart wider than the page is told too, once the page is printed.
    calls.clear();
    args.Limits.Right = 400;
    args.Limits.Bottom = 1000;
    TqoPrintGantt::Print(*gant, args, nullptr);
    EXPECT_EQ(calls, std::vector<std::string>{"right 450 (none)"});
    // Limits of -1 and -1 are never reported.
    calls.clear();
    args.Limits.Right = -1;
    args.Limits.Bottom = -1;
    EXPECT_EQ(TqoPrintGantt::Print(*gant, args, nullptr).RowsPrinted, 12);
    EXPECT_TRUE(calls.empty());
}

TEST_F(PrintGantt, PagesGoOnUntilEveryRowIsPrinted) {
    struct Case {
        const char* name;
        int height, rowsToPrint;
        bool render;
        int pages, printed;
    } cases[] = {
        {"pages of four rows", 6 + 60 + 4 * 24 + 5, -1, true, 3, 12},
        {"a row count over the pages", 6 + 60 + 4 * 24 + 5, 6, true, 2, 6},
        {"pages lower than a row: one row each", 30, -1, true, 12, 12},
        {"measured only: nothing counts", 6 + 60 + 4 * 24 + 5, 6, false, 3, 0},
    };
    for (const Case& c : cases) {
        Log.clear();
        PagesOf(c.height, c.render);
        TBitmap target(480, 400);
        Whiten(target);
        TqoGantPrintArgs args = Args(target.Handle());
        args.RowsToPrint = c.rowsToPrint;
        const TqoGantPrintResult result = TqoPrintGantt::Print(*gant, args, nullptr);
        EXPECT_EQ(result.Pages, c.pages) << c.name;
        EXPECT_EQ(int(Log.size()), c.pages) << c.name;
        EXPECT_EQ(result.RowsPrinted, c.printed) << c.name;
        EXPECT_EQ(Blank(target), !c.render) << c.name;
    }
}

TEST_F(PrintGantt, NoGoAheadOnThePageOnePrintsNothing) {
    gant->OnPrintToHdcNewPage = [](TComponent*, int, int&, int&, bool& goAhead, bool&) { goAhead = false; };
    const TqoGantPrintResult result = TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr);
    EXPECT_EQ(result.Pages, 0);
    EXPECT_TRUE(Blank(page));
}

TEST_F(PrintGantt, TheHostSendsTheNextPageToAnotherDeviceContext) {
    TBitmap second(480, 400);
    Whiten(second);
    const int handle = TqoPrintGantt::RegisterDC([&] { return &second.Handle(); });
    gant->OnPrintToHdcNewPage = [&](TComponent*, int number, int& h, int&, bool&, bool&) {
        h = 6 + 60 + 6 * 24 + 5;
        if (number == 2) gant->SetHdcToUseOnNewPage(handle);
    };
    TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr);
    TqoPrintGantt::UnregisterDC(handle);
    EXPECT_FALSE(Blank(page));
    EXPECT_FALSE(Blank(second));
    EXPECT_TRUE(test::MatchesGolden(page.Raster(), "gantt_print_tree_page1"));
    EXPECT_TRUE(test::MatchesGolden(second.Raster(), "gantt_print_tree_page2"));
}

TEST_F(PrintGantt, GivesTheChartBackExactly) {
    gant->SetHdcToUseOnNewPage(77);
    gant->SetRowDrawOffset(3);
    gant->DateScaler()->SetMinStart(0);
    harness.RunUntilIdle();
    int changes = 0;
    gant->OnScalerChange = [&](TComponent*, TDateTime, TDateTime) { ++changes; };
    const std::string before = State();
    PagesOf(150);
    TqoPrintGantt::Print(*gant, Args(page.Handle()), phases_[1]);
    EXPECT_EQ(State(), before);
    gant->Repaint();
    harness.RunUntilIdle();
    EXPECT_EQ(State(), before) << "after the next paint too";
    EXPECT_EQ(changes, 0) << "the printed range is never reported";
    // A handler that fails on the second page: the error comes through, the chart back.
    gant->OnPrintToHdcNewPage = [](TComponent*, int number, int& h, int&, bool&, bool&) {
        h = 150;
        if (number == 2) throw EqoError("out of paper");
    };
    EXPECT_THROW(TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr), EqoError);
    EXPECT_EQ(State(), before) << "after a failure";
}

TEST_F(PrintGantt, APrintInsideAPrintIsRefused) {
    std::string nested;
    gant->OnPrintToHdcNewPage = [&](TComponent*, int, int&, int&, bool& goAhead, bool&) {
        TBitmap other(10, 10);
        try {
            TqoPrintGantt::Print(*gant, Args(other.Handle()), nullptr);
        } catch (const EqoError& e) {
            nested = e.what();
        }
        goAhead = false;
    };
    TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr);
    EXPECT_EQ(nested, "A chart is printing already: a print cannot start inside another");
    gant->OnPrintToHdcNewPage = nullptr;
    EXPECT_EQ(TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr).Pages, 1) << "and the next print runs";
}

TEST_F(PrintGantt, RefusesBadInputAndLeavesTheChartAsItWas) {
    TqoGant other(&form);
    TqoDataEntity_Tree* stranger = other.AddRootDataEntityTree();
    const std::string before = State();
    struct Case {
        const char* name;
        std::function<void(TqoGantPrintArgs&)> change;
        TqoDataEntity_Tree* start;
    } cases[] = {
        {"scale 0", [](TqoGantPrintArgs& a) { a.ScaleX = 0; }, nullptr},
        {"stop before start", [](TqoGantPrintArgs& a) { a.StopDate = a.StartDate - 1; }, nullptr},
        {"no scaler length", [](TqoGantPrintArgs& a) { a.ScaleLength = 0; }, nullptr},
        {"a page limit of 0", [](TqoGantPrintArgs& a) { a.Limits.Bottom = 0; }, nullptr},
        {"a row of another chart", [](TqoGantPrintArgs&) {}, stranger},
    };
    for (const Case& c : cases) {
        TqoGantPrintArgs args = Args(page.Handle());
        c.change(args);
        EXPECT_THROW(TqoPrintGantt::Print(*gant, args, c.start), EqoError) << c.name;
    }
    auto* treeOnly = new test::TGantWithoutGrid(&form);
    EXPECT_THROW(TqoPrintGantt::PrintWithGrid(*treeOnly, Args(page.Handle()), nullptr), EqoError) << "no grid";
    // The host's answers are checked too.
    using THandler = std::function<void(int, int&, int&)>;
    const std::pair<const char*, THandler> hosts[] = {
        {"a page height of 0", [](int, int& h, int&) { h = 0; }},
        {"a negative page width", [](int, int&, int& w) { w = -5; }},
        {"an unknown device context", [this](int, int&, int&) { gant->SetHdcToUseOnNewPage(9999); }},
        {"the next page's row deleted",
         [this](int number, int& h, int&) {
             h = 150;
             if (number == 2) gant->TreeView()->RemoveDataEntity(phases_[0]->SubDataList()->Item(2));
         }},
    };
    for (const auto& host : hosts) {
        const THandler& handler = host.second;
        gant->OnPrintToHdcNewPage = [&handler](TComponent*, int n, int& h, int& w, bool&, bool&) { handler(n, h, w); };
        EXPECT_THROW(TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr), EqoError) << host.first;
        EXPECT_EQ(State(), before) << host.first;
    }
}

TEST_F(PrintGantt, AHandlerThatFreesTheChartEndsThePages) {
    gant->OnPrintToHdcNewPage = [this](TComponent*, int number, int& h, int&, bool&, bool&) {
        h = 150;
        if (number == 2) {
            delete gant;
            gant = nullptr;
        }
    };
    const TqoGantPrintResult result = TqoPrintGantt::Print(*gant, Args(page.Handle()), nullptr);
    EXPECT_EQ(result.Pages, 1);
    EXPECT_EQ(gant, nullptr);
}

} // namespace
} // namespace qo
