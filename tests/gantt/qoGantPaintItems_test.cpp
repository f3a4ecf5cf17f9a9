// The chart area's items and links: every style with texts, selection and
// focus; links of both paths; which items and links a paint looks at; and
// hosts or data that could break a paint.
#include "gantt/qoGant.h"

#include "data/qoDoLater.h"
#include "platform/graphics/qoRegion.h"
#include "support/golden/qoGolden.h"
#include "support/widgets/qoWidgetFixture.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class GantPaint : public test::TFormFixture {
protected:
    GantPaint() {
        form.SetBounds(0, 0, 640, 330);
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 14, 100);
        gant->TreeView()->SetItemHeight(24);
    }
    ~GantPaint() override { TDoLater::Shutdown(); }
    TqoDataEntity_Tree* Node(const std::string& text) {
        TqoDataEntity_Tree* node = gant->TreeView()->AddDataEntity(nullptr);
        node->SetText(text);
        return node;
    }
    TqoDataEntity_GantTime* Item(TqoDataEntity_Tree* node, double from, double to, TGantTimeStyle style,
                                 TColor color = RGB(90, 160, 230)) {
        TqoDataEntity_GantTime* item = gant->AddGantTime(node, 0);
        item->SetStart(kMonday + from);
        item->SetStop(kMonday + to);
        item->SetStyle(style);
        item->SetColor(color);
        item->SetTopInset(3);
        item->SetBottomInset(3);
        return item;
    }
    TqoDataEntity_Link* Link(TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to, TLinkStyle style,
                             TLinkStartFinishOption option = tlsfNormal) {
        TqoDataEntity_Link* link = gant->AddLink();
        link->SetLinkOwner(from);
        link->SetLinkedTo(to);
        link->SetLinkStyle(style);
        link->SetStartFinishOption(option);
        link->SetLinkColor(clNavy);
        link->SetLinkPenWidth(1);
        return link;
    }
    // One paint of the chart area.
    void Paint() {
        gant->InvalidateGA();
        harness.RunUntilIdle();
    }
    TqoGant* gant;
};

TEST_F(GantPaint, EveryStyleWithTextsSelectionAndFocusLooks) {
    gant->SetImageList(nullptr);
    const TGantTimeStyle styles[] = {gtsSquare, gtsSpan, gtsUser, gtsLine, gtsLineWEnd, gtsWave, gtsRomb, gtsPipe};
    const char* names[] = {"Square", "Span", "User", "Line", "Line ends", "Wave", "Diamond", "Pipe"};
    TqoDataEntity_GantTime* active = nullptr;
    for (size_t i = 0; i < std::size(styles); ++i) {
        TqoDataEntity_Tree* node = Node(names[i]);
        TqoDataEntity_GantTime* plain = Item(node, 0.5 + i * 0.3, 4.5 + i * 0.3, styles[i]);
        TqoDataEntity_GantTime* selected = Item(node, 7, 11, styles[i], RGB(230, 140, 70));
        selected->SetSelected(true);
        if (i == 0) {
            plain->TextCollection()->AddText("inside", 3, 1, 1);
            selected->TextCollection()->AddTextEx("beside", 4, 1, 1, trpOutsideFar, trpInside);
            active = selected;
        }
    }
    gant->OnUserDrawTime = [](TComponent*, TqoDataEntity_GantTime*, TCanvas& canvas, const TRect& rect) {
        canvas.Brush().Color = clYellow;
        canvas.FillRect(rect);
    };
    // Runs off the right side: its text stays inside the area.
    TqoDataEntity_GantTime* running = Item(Node("Long"), 12, 40, gtsSquare, clLime);
    running->TextCollection()->AddText("runs on", 3, 1, 1);
    gant->SetActiveDataEntity(active);
    harness.RunUntilIdle();
    EXPECT_TRUE(test::LooksLike(harness, *gant->GA(), "gantt_items_every_style"));
}

// Left to right and back, up and down, start to start, both path styles, one
// link in a row (drawn on the default path whatever its style) and one whose
// target lies past the right side.
TEST_F(GantPaint, LinksOfBothPathsWithTheirHeadsLook) {
    TqoDataEntity_Tree* rows[6];
    for (int i = 0; i < 6; ++i) rows[i] = Node("Row " + std::to_string(i));
    TqoDataEntity_GantTime* a = Item(rows[0], 1, 3, gtsSquare);
    TqoDataEntity_GantTime* b = Item(rows[1], 4, 6, gtsSquare);
    TqoDataEntity_GantTime* c = Item(rows[2], 1.5, 2.5, gtsSquare);
    TqoDataEntity_GantTime* d = Item(rows[3], 7, 9, gtsPipe);
    TqoDataEntity_GantTime* e = Item(rows[3], 10.5, 12, gtsPipe);
    TqoDataEntity_GantTime* f = Item(rows[4], 8, 10, gtsSquare);
    TqoDataEntity_GantTime* g = Item(rows[5], 12, 30, gtsSquare);
    Link(a, b, tlsDefault);
    Link(b, c, tlsDefault);
    Link(a, c, tlsDefault, tlsfSS);
    Link(b, d, tlsMSProject);
    Link(d, e, tlsMSProject);
    Link(f, d, tlsMSProject, tlsfFF);
    Link(f, g, tlsMSProject, tlsfSS);
    harness.RunUntilIdle();
    EXPECT_TRUE(test::LooksLike(harness, *gant->GA(), "gantt_links"));
}

// The points a host is given are the ones the chart would draw between.
TEST_F(GantPaint, LinksShowByTheirEndsAndGiveTheirPointsToTheHost) {
    TqoDataEntity_Tree* top = Node("Top");
    TqoDataEntity_Tree* bottom = Node("Bottom");
    TqoDataEntity_GantTime* owner = Item(top, 1, 3, gtsSquare);
    TqoDataEntity_GantTime* inside = Item(bottom, 4, 6, gtsSquare);
    TqoDataEntity_GantTime* outside = Item(bottom, 20, 22, gtsSquare);
    std::vector<std::pair<TPoint, TPoint>> drawn;
    gant->OnUserDrawLinks = [&](TComponent*, TqoDataEntity_Link*, TCanvas&, TPoint p, TPoint q) {
        drawn.emplace_back(p, q);
    };
    TqoDataEntity_Link* toInside = Link(owner, inside, tlsUserDraw);
    TqoDataEntity_Link* toOutside = Link(owner, outside, tlsUserDraw);
    struct Case {
        TLinkShow show;
        size_t links;
    } cases[] = {{lsOneEndVisible, 2}, {lsBothEndsVisible, 1}, {lsAlways, 2}, {lsNever, 0}};
    for (const Case& c : cases) {
        gant->SetLinkShow(c.show);
        drawn.clear();
        Paint();
        EXPECT_EQ(drawn.size(), c.links) << "show " << c.show;
    }
    gant->SetLinkShow(lsBothEndsVisible);
    const TRect s = gant->RectFromDataEntity(owner), e = gant->RectFromDataEntity(inside);
    struct Points {
        TLinkStartFinishOption option;
        TPoint p, q;
    } points[] = {
        {tlsfNormal, {s.Right, (s.Top + s.Bottom) / 2}, {e.Left, (e.Top + e.Bottom) / 2}},
        {tlsfSS, {s.Left, (s.Top + s.Bottom) / 2}, {e.Left, (e.Top + e.Bottom) / 2}},
        {tlsfSF, {s.Left, (s.Top + s.Bottom) / 2}, {e.Right, (e.Top + e.Bottom) / 2}},
        {tlsfFF, {s.Right, (s.Top + s.Bottom) / 2}, {e.Right, (e.Top + e.Bottom) / 2}},
    };
    for (const Points& c : points) {
        toInside->SetStartFinishOption(c.option);
        drawn.clear();
        Paint();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].first, c.p) << "option " << c.option;
        EXPECT_EQ(drawn[0].second, c.q) << "option " << c.option;
    }
    // A collapsed end hides the link in every mode.
    TqoDataEntity_Tree* parent = Node("Parent");
    TqoDataEntity_Tree* child = gant->TreeView()->AddDataEntity(parent);
    toOutside->SetLinkedTo(Item(child, 4, 5, gtsSquare));
    parent->SetExpanded(false);
    for (TLinkShow show : {lsOneEndVisible, lsBothEndsVisible, lsAlways}) {
        gant->SetLinkShow(show);
        drawn.clear();
        Paint();
        EXPECT_EQ(drawn.size(), 1u) << "only the link between shown rows, show " << show;
    }
}

TEST_F(GantPaint, ARightToLeftLinkEndsBesideItsTargetWithTheHeadPointingLeft) {
    TqoDataEntity_GantTime* owner = Item(Node("Later"), 6, 8, gtsSquare);
    TqoDataEntity_GantTime* target = Item(Node("Earlier"), 1, 3, gtsSquare);
    Link(owner, target, tlsDefault)->SetLinkColor(clRed);
    harness.RunUntilIdle();
    TBitmap picture;
    harness.Snapshot(*gant->GA(), picture);
    const TRect e = gant->RectFromDataEntity(target);
    const int y = (e.Top + e.Bottom) / 2;
    // The path ends one pixel right of the edge; the open head reaches right of its tip.
    EXPECT_EQ(picture.Pixel(e.Right + 1, y), clRed);
    EXPECT_EQ(picture.Pixel(e.Right + 4, y - 3), clRed);
    EXPECT_NE(picture.Pixel(e.Right - 4, y - 3), clRed) << "no head on the target's side";
}

// Items are drawn through the user style so that the test sees which ones the
// paint reached, in which order.
// A row of a few items is looked at whole, a long one through its index by
// time: either way the same items are drawn, layer by layer from the row's
// first drawn layer.
TEST_F(GantPaint, APaintReachesTheItemsOfTheWindowWhateverTheirTimes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double start, stop;
        bool drawn;
    } cases[] = {
        {2, 4, true},      {5, 3, true},     {6, 6, true},         {-1e6, 1e6, true}, {1e7, 1e7 + 1, false},
        {-1e7, -1e7 + 1, false}, {nan, 3, true}, {nan, nan, false}, {-inf, inf, true}, {20, 30, false},
    };
    for (const int fillers : {1, 100}) {
        const std::string what = std::to_string(fillers) + " more in the first drawn layer";
        TqoDataEntity_Tree* node = Node("Row " + what);
        std::vector<TqoDataEntity_GantTime*> expected, drawn;
        for (int i = 0; i < fillers; ++i) {
            TqoDataEntity_GantTime* item = gant->AddGantTime(node, 1);
            item->SetStart(kMonday + (i == 0 ? 1 : 50 + i));
            item->SetStop(item->Start() + 1);
            item->SetStyle(gtsUser);
            if (i == 0) expected.push_back(item);
        }
        for (const Case& c : cases) {
            TqoDataEntity_GantTime* item = Item(node, 0, 0, gtsUser);
            item->SetStart(kMonday + c.start);
            item->SetStop(kMonday + c.stop);
            if (c.drawn) expected.push_back(item);
        }
        TGantRow* row = expected.front()->Row();
        row->SetDrawLayerStart(1);
        gant->OnUserDrawTime = [&](TComponent*, TqoDataEntity_GantTime* item, TCanvas&, const TRect&) {
            if (item->Row() != row) return;
            drawn.push_back(item);
            if (drawn.size() == 1) throw std::runtime_error("a host that raises");
        };
        Paint();
        EXPECT_EQ(drawn, expected) << "in list order, a raising handler stopping only its own item; " << what;
        // An item moved into the window through the mouse's path is found at once.
        TqoDataEntity_GantTime* distant = Item(node, 40, 41, gtsUser);
        Paint();
        distant->SetStart(kMonday + 8);
        distant->DoInfoPush();
        drawn.clear();
        Paint();
        ASSERT_FALSE(drawn.empty()) << what;
        EXPECT_EQ(drawn.back(), distant) << what;
    }
}

// Which links a paint hands to the host, and between which points, as rows
// scroll, expand and collapse and as links and items change between paints.
TEST_F(GantPaint, LinksFollowScrollingFoldingAndChangesBetweenPaints) {
    TqoDataEntity_Tree* first = Node("First");
    TqoDataEntity_Tree* folder = Node("Folder");
    std::vector<TqoDataEntity_Tree*> children;
    for (int i = 0; i < 40; ++i) {
        children.push_back(gant->TreeView()->AddDataEntity(folder));
        children.back()->SetText("Child " + std::to_string(i));
    }
    TqoDataEntity_Tree* last = Node("Last");
    TqoDataEntity_Tree* after = Node("After");
    TqoDataEntity_GantTime* top = Item(first, 1, 3, gtsSquare);
    TqoDataEntity_GantTime* bottom = Item(last, 5, 7, gtsSquare);
    TqoDataEntity_GantTime* inside = Item(children[30], 4, 6, gtsSquare);
    TqoDataEntity_Link* across = Link(top, bottom, tlsUserDraw);
    TqoDataEntity_Link* intoFolder = Link(top, inside, tlsUserDraw);
    TqoDataEntity_Link* tail = Link(bottom, Item(after, 8, 9, gtsSquare), tlsUserDraw);
    struct Drawn {
        TqoDataEntity_Link* link;
        TPoint p, q;
    };
    std::vector<Drawn> drawn;
    gant->OnUserDrawLinks = [&](TComponent*, TqoDataEntity_Link* link, TCanvas&, TPoint p, TPoint q) {
        drawn.push_back({link, p, q});
    };
    // The links a paint draws, each checked against where its ends are now.
    const auto paint = [&] {
        harness.RunUntilIdle();
        drawn.clear();
        Paint();
        std::vector<TqoDataEntity_Link*> links;
        for (const Drawn& d : drawn) {
            const TRect s = gant->RectFromDataEntity(d.link->LinkOwner());
            const TRect e = gant->RectFromDataEntity(d.link->LinkedTo());
            EXPECT_EQ(d.p.Y, (s.Top + s.Bottom) / 2) << "owner end moved with its row";
            EXPECT_EQ(d.q.Y, (e.Top + e.Bottom) / 2) << "target end moved with its row";
            links.push_back(d.link);
        }
        return links;
    };
    using TLinks = std::vector<TqoDataEntity_Link*>;
    const auto expandAndScroll = [&] {
        folder->SetExpanded(true);
        gant->TreeView()->SetTopItem(children[10]);
    };
    EXPECT_EQ(paint(), (TLinks{across, tail})) << "an end in a collapsed row hides its link";
    // Both ends of the long link off screen, above and below the rows shown.
    expandAndScroll();
    EXPECT_EQ(paint(), (TLinks{across, intoFolder})) << "crossing the view once expanded and scrolled";
    EXPECT_LT(gant->RectFromDataEntity(top).Bottom, 0);
    EXPECT_GT(gant->RectFromDataEntity(bottom).Top, gant->GA()->Height());
    folder->SetExpanded(false);
    EXPECT_EQ(paint(), (TLinks{across, tail})) << "the rows below the folder moved up into view";
    expandAndScroll();
    EXPECT_EQ(paint(), (TLinks{across, intoFolder}));

    // Out of the window, and linked to another item out of it.
    TqoDataEntity_GantTime* later = Item(children[12], 30, 32, gtsSquare);
    TqoDataEntity_Link* waiting = Link(later, Item(children[14], 35, 36, gtsSquare), tlsUserDraw);
    TqoDataEntity_Link* added = gant->AddLink();
    added->SetLinkStyle(tlsUserDraw);
    EXPECT_EQ(paint(), (TLinks{across, intoFolder})) << "a link without ends";
    added->SetLinkOwner(inside);
    added->SetLinkedTo(top);
    EXPECT_EQ(paint(), (TLinks{across, intoFolder, added})) << "its ends set after a paint";
    gant->GetLinks()->Remove(intoFolder);
    EXPECT_EQ(paint(), (TLinks{across, added})) << "a link deleted after a paint";
    // Both ends moved after the window: the long link no longer passes through it.
    for (TqoDataEntity_GantTime* item : {top, bottom}) {
        item->SetStart(kMonday + 40);
        item->SetStop(kMonday + 42);
        item->DoInfoPush();
    }
    EXPECT_EQ(paint(), TLinks{added}) << "items moved out of the window";
    later->SetStart(kMonday + 5);
    later->SetStop(kMonday + 6);
    later->DoInfoPush();
    EXPECT_EQ(paint(), (TLinks{waiting, added})) << "an item moved into it";
    // Drawn with no end on screen, a pen this wide reaches the view from rows
    // well above it, widened after a paint too.
    gant->SetLinkShow(lsAlways);
    TqoDataEntity_Link* wide =
        Link(Item(children[2], 1, 2, gtsSquare), Item(children[3], 3, 4, gtsSquare), tlsUserDraw);
    EXPECT_EQ(paint(), (TLinks{waiting, added})) << "a thin pen";
    wide->SetLinkPenWidth(200);
    EXPECT_EQ(paint(), (TLinks{waiting, added, wide})) << "a pen widened after a paint";
    // The last row moved to the top: its link to the row that was above it now
    // crosses the view.
    after->Move(0);
    const TLinks moved = paint();
    EXPECT_EQ(std::count(moved.begin(), moved.end(), tail), 1) << "a row moved";
}

// On paper at scale 2 the stripes are solid, the summary bar's triangles and
// the lines grow with the scale, and selection marks are left out.
TEST_F(GantPaint, APrintedPageAtScaleTwoLooks) {
    form.SetBounds(0, 0, 400, 160);
    TqoDataEntity_GantTime* span = Item(Node("Summary"), 1, 6, gtsSpan);
    span->TextCollection()->AddTextEx("Phase", 4, 0, 1, trpInside, trpInside);
    TqoDataEntity_GantTime* line = Item(Node("Line"), 2, 5, gtsLineWEnd, RGB(230, 140, 70));
    line->SetSelected(true);
    TqoDataEntity_GantTime* pipe = Item(Node("Pipe"), 6, 9, gtsPipe);
    Link(span, pipe, tlsMSProject);
    Link(line, pipe, tlsDefault);
    harness.RunUntilIdle();
    TqoOffscreenPaint_GA& area = *gant->GA();
    TBitmap page(area.Width() * 2, area.Height() * 2);
    page.Canvas().Brush().Color = clWhite;
    page.Canvas().FillRect({0, 0, page.Width(), page.Height()});
    area.Print(page.Handle(), 0, 0, 2.0, 2.0, true);
    EXPECT_TRUE(test::MatchesGolden(page.Raster(), "gantt_printed_x2"));
}

// The chart's link drawing, open to the test.
class TOpenGant : public TqoGant {
public:
    using TqoGant::TqoGant;
    using TqoGant_ComBasic::DrawLink;
};

TEST_F(GantPaint, AnArrowTipOutsideTheClipDrawsThePathWithoutItsHead) {
    auto* open = new TOpenGant(&form);
    struct Case {
        TRect clip;
        bool head;
    } cases[] = {{{0, 0, 80, 40}, true}, {{0, 0, 48, 40}, false}};
    for (const Case& c : cases) {
        TBitmap bitmap(80, 40);
        TCanvas& canvas = bitmap.Canvas();
        const TqoRegion clip(c.clip);
        bitmap.Handle().SelectClipRgn(&clip);
        canvas.Pen().Width = 4;
        open->DrawLink({10, 10}, {50, 30}, canvas, tlsDefault, clRed, 1, nullptr);
        EXPECT_EQ(canvas.Pen().Width, 4) << "the pen comes back";
        // The path turns down at x = 29 and ends one pixel before the target at x = 49.
        EXPECT_EQ(bitmap.Pixel(29, 20), clRed);
        EXPECT_EQ(bitmap.Pixel(47, 30), clRed);
        // The head's back edge lies inside both clips; the tip only inside the first.
        EXPECT_EQ(bitmap.Pixel(49 - 3, 30 - 2), c.head ? clRed : clWhite) << "clip right " << c.clip.Right;
    }
}

} // namespace
} // namespace qo
