// The chart area under the mouse and the keys: which drag a press starts,
// moves and copies of the selection, resizing, links, snapping, scrolling at
// the edges, keyboard steps, and hosts and users that break a drag off.
#include "qoGantInteractionFixture.h"

#include "support/golden/qoGolden.h"

#include <cmath>

namespace qo {
namespace {

// ---- Selection ----

TEST_F(GantDrag, AClickOnOneOfASelectionSelectsItAloneButADragMovesThemAll) {
    for (auto* item : {ia, ib, ic}) item->SetSelected(true);
    harness.Click(GA(), Middle(ib));
    EXPECT_FALSE(ia->GetSelected());
    EXPECT_TRUE(ib->GetSelected());
    EXPECT_FALSE(ic->GetSelected());

    for (auto* item : {ia, ib, ic}) item->SetSelected(true);
    const TDateTime before[] = {ia->Start(), ib->Start(), ic->Start()};
    Drag(Middle(ib), Middle(ib) + TPoint{60, 0});
    const TDateTime moved = ib->Start() - before[1];
    EXPECT_GT(moved, 1.0) << "sixty pixels are more than a day at this scale";
    EXPECT_DOUBLE_EQ(ia->Start() - before[0], moved);
    EXPECT_DOUBLE_EQ(ic->Start() - before[2], moved);
    EXPECT_DOUBLE_EQ(ib->Stop() - ib->Start(), 2.0) << "a moved item keeps its length";
    for (auto* item : {ia, ib, ic}) EXPECT_TRUE(item->GetSelected()) << "the dragged selection stays";
}

TEST_F(GantDrag, CtrlTogglesAtTheReleaseAndCtrlDraggingCopies) {
    LogRowEvents();
    ia->SetSelected(true);
    ib->SetSelected(true);
    harness.Click(GA(), Middle(ib), mbLeft, ssCtrl);
    EXPECT_TRUE(ia->GetSelected());
    EXPECT_FALSE(ib->GetSelected()) << "deselected at the release";

    const TDateTime start = ia->Start();
    Drag(Middle(ia), Middle(ia) + TPoint{0, 18}, ssCtrl);
    EXPECT_EQ(ia->Start(), start) << "a copy leaves the item where it is";
    EXPECT_EQ(Log, std::vector<std::string>({"copy A>B 1.0000 3.0000"}));
}

TEST_F(GantDrag, APressOnEmptySpaceClearsTheSelectionAndStartsNothing) {
    ia->SetSelected(true);
    gant->OnClickGantArea = [this](TComponent*, TqoDataEntity* item) { Record(item ? "item" : "nil"); };
    const TPoint empty{R(ia).Right + 20, Middle(ia).Y};
    Press(empty);
    EXPECT_EQ(gant->Interaction().Mode(), mmNone);
    EXPECT_FALSE(ia->GetSelected());
    MoveTo(empty + TPoint{30, 30});
    Release(empty + TPoint{30, 30});
    EXPECT_EQ(Log, std::vector<std::string>({"nil"}));
    EXPECT_EQ(ia->Start(), kMonday + 1);
}

// ---- What a press starts ----

struct PressCase {
    const char* what;
    int x;        // from the item's left (or right, with fromRight)
    bool fromRight;
    TShiftState shift;
    bool dbl;
    TGantMouseMoveMode mode;
};

TEST_F(GantDrag, APressChoosesItsModeByWhereItLandsAndTheKeysHeld) {
    const PressCase cases[] = {
        {"left zone", 1, false, 0, false, mmGrowLeft},
        {"right zone", -2, true, 0, false, mmGrowRight},
        {"middle", 20, false, 0, false, mmMove},
        {"middle with ctrl", 20, false, ssCtrl, false, mmCopy},
        {"four pixels right of the end", 4, true, 0, false, mmGrowRight},
        {"six pixels right of the end", 6, true, 0, false, mmNone},
        {"double click", 20, false, 0, true, mmNone},
        {"double click with ctrl", 20, false, ssCtrl, true, mmCopy},
    };
    for (const PressCase& k : cases) {
        const TRect r = R(ib);
        const TPoint p{(k.fromRight ? r.Right : r.Left) + k.x, Middle(ib).Y};
        if (k.dbl) {
            harness.Click(GA(), p, mbLeft, k.shift);
            harness.MouseDown(GA(), p, mbLeft, k.shift);
        } else {
            Press(p, k.shift);
        }
        EXPECT_EQ(gant->Interaction().Mode(), k.mode) << k.what;
        gant->MouseMoveModeCancel();
        Release(p, k.shift);
        harness.AdvanceTime(1000);
        EXPECT_EQ(ib->Start(), kMonday + 4) << k.what;
        EXPECT_EQ(ib->Stop(), kMonday + 6) << k.what;
    }
}

TEST_F(GantDrag, ASmallItemIsMovedAtItsEndsWhenMovingIsFavoured) {
    gant->SetScaleAndTree(kMonday, kMonday + GA().Width() / 24.0, 100); // an hour a pixel
    ia->SetStart(kMonday + 1);
    ia->SetStop(kMonday + 1 + 8 / 24.0);
    Paint();
    ASSERT_EQ(R(ia).Width(), 8);
    for (bool favour : {false, true}) {
        gant->SetFavourMoveOverResizeOnSmallTimeItems(favour);
        for (int x : {R(ia).Left, R(ia).Right - 1}) {
            Press({x, Middle(ia).Y});
            EXPECT_EQ(gant->Interaction().Mode() == mmMove, favour) << x;
            gant->MouseMoveModeCancel();
            Release({x, Middle(ia).Y});
        }
    }
}

TEST_F(GantDrag, AnItemThatCannotBeEditedIsSelectedButNeverDragged) {
    gant->OnBeforeCanEditItem_GantTime = [](TComponent*, TqoDataEntity_GantTime* item) { item->SetCanEdit(false); };
    Drag(Middle(ia), Middle(ia) + TPoint{60, 18});
    EXPECT_TRUE(ia->GetSelected());
    EXPECT_EQ(ia->Start(), kMonday + 1);
}

// ---- Moves across rows and in time ----

TEST_F(GantDrag, TheRowUnderThePressDecidesWhetherTimeOrRowMayChange) {
    struct Case {
        bool canMove, canChangeRow;
        std::vector<std::string> events;
        bool timeChanged;
    } cases[] = {
        {true, true, {"row A>B"}, false},
        {false, true, {"row A>B 1.0000 3.0000"}, false},
        {true, false, {}, true},
    };
    LogRowEvents();
    for (const Case& k : cases) {
        Log.clear();
        RowOf(a)->SetTimeItems_CanMove(k.canMove);
        RowOf(a)->SetTimeItems_CanChangeRow(k.canChangeRow);
        Drag(Middle(ia), Middle(ia) + TPoint{78, 18});
        ASSERT_EQ(Log.size(), k.events.size());
        if (!Log.empty()) {
            EXPECT_EQ(Log[0].substr(0, k.events[0].size()), k.events[0]);
        }
        EXPECT_EQ(ia->Start() != kMonday + 1, k.timeChanged);
        ia->SetStart(kMonday + 1);
        ia->SetStop(kMonday + 3);
        Paint();
    }
}

TEST_F(GantDrag, WithMoveInTimeWhenMoveRowTheTimesChangeBeforeTheHostHearsOfTheRow) {
    gant->SetMoveInTimeWhenMoveRow(true);
    gant->OnTimeChangeRow = [this](TComponent*, TqoDataEntity_GantTime* item, TGantRow*, TGantRow*, TDateTime start,
                                   TDateTime) { Record(item->Start() == start ? "moved first" : "not moved"); };
    Drag(Middle(ia), Middle(ia) + TPoint{78, 18});
    EXPECT_EQ(Log, std::vector<std::string>({"moved first"}));
    EXPECT_GT(ia->Start(), kMonday + 2);
}

// Scales of m minutes a pixel that start at 08:00 of the Monday.
class GantSnap : public GantDrag {
protected:
    void MinutesAPixel(double m) {
        gant->SetScaleAndTree(kMonday + 8 / 24.0, kMonday + 8 / 24.0 + GA().Width() * m * OneMinute, 100);
        Paint();
    }
};

TEST_F(GantSnap, AMovedStartSnapsToQuantaFromMidnightNeverFinerThanAPixel) {
    struct Case {
        double minutesAPixel;
        int quantum; // minutes
    } cases[] = {{1, 5}, {20, 20}};
    for (const Case& k : cases) {
        for (int dx : {1, 2, 3, 7, 13}) {
            const double from = 8 * 60 + 31;
            ia->SetStart(kMonday + from * OneMinute);
            ia->SetStop(kMonday + (12 * 60 + 30) * OneMinute);
            MinutesAPixel(k.minutesAPixel);
            Drag(Middle(ia), Middle(ia) + TPoint{dx, 0});
            const double start = (ia->Start() - kMonday) / OneMinute;
            EXPECT_NEAR(start / k.quantum, std::round(start / k.quantum), 1e-6) << k.minutesAPixel << " " << dx;
            EXPECT_NEAR(start - from, dx * k.minutesAPixel, k.minutesAPixel + k.quantum / 2.0) << dx;
            EXPECT_NEAR((ia->Stop() - ia->Start()) / OneMinute, 239, 1e-6) << "the length stays";
        }
    }
}

TEST_F(GantSnap, AMoveOfThirteenHoursBecomesADayWithMoveOver12Then24) {
    for (bool whole : {false, true}) {
        gant->SetMoveOver12Then24(whole);
        ia->SetStart(kMonday + 10 / 24.0);
        ia->SetStop(kMonday + 20 / 24.0);
        MinutesAPixel(60);
        Drag(Middle(ia), Middle(ia) + TPoint{13, 0});
        EXPECT_NEAR((ia->Start() - kMonday) * 24, whole ? 34 : 23, 1e-6) << whole;
        EXPECT_NEAR((ia->Stop() - ia->Start()) * 24, 10, 1e-6);
    }
}

// ---- Resizing ----

TEST_F(GantDrag, ResizingMovesOneEndAndAnEndPastTheOtherStopsThere) {
    const TRect r = R(ib);
    Drag({r.Right - 1, Middle(ib).Y}, {r.Right + 38, Middle(ib).Y});
    EXPECT_EQ(ib->Start(), kMonday + 4);
    EXPECT_GT(ib->Stop(), kMonday + 6.9);
    EXPECT_LT(ib->Stop(), kMonday + 7.1);

    ib->SetStop(kMonday + 6);
    Paint();
    Drag({R(ib).Left + 1, Middle(ib).Y}, {R(ib).Right + 30, Middle(ib).Y});
    EXPECT_EQ(ib->Start(), kMonday + 6) << "a left end dragged beyond the right gives zero length at the stop";
    EXPECT_EQ(ib->Stop(), kMonday + 6);
}

TEST_F(GantDrag, ARowThatMayNotResizeShowsNoOutlineAndKeepsTheSize) {
    RowOf(b)->SetTimeItems_CanResize(false);
    const TqoRaster before = Screen();
    Press({R(ib).Right - 1, Middle(ib).Y});
    MoveTo({R(ib).Right + 30, Middle(ib).Y});
    EXPECT_EQ(Screen(), before);
    Release({R(ib).Right + 30, Middle(ib).Y});
    EXPECT_EQ(ib->Stop(), kMonday + 6);
}

// ---- Links ----

TEST_F(GantDrag, AStickyLinkModeDrawsALinkFromThePressedItemToTheReleasedOne) {
    gant->OnDependencyAction = [this](TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to) {
        Record(std::string(from == ia ? "a" : "?") + ">" + (to == ic ? "c" : to == ia ? "a" : "?"));
    };
    struct Case {
        std::function<TPoint()> target;
        std::vector<std::string> events;
    } cases[] = {
        {[this] { return Middle(ic); }, {"a>c"}},
        {[this] { return Middle(ia) + TPoint{2, 0}; }, {"a>a"}},
        {[this] { return TPoint{R(ic).Right + 40, Middle(ic).Y}; }, {}},
    };
    for (const Case& k : cases) {
        Log.clear();
        gant->SetStickyMode(smDependency);
        const TqoRaster before = Screen();
        Press(Middle(ia));
        EXPECT_EQ(gant->Interaction().Mode(), mmDependency);
        EXPECT_EQ(gant->StickyMode(), smNone) << "used up by the press";
        MoveTo(k.target());
        EXPECT_NE(Screen(), before) << "the link's outline shows";
        Release(k.target());
        EXPECT_EQ(Log, k.events);
        EXPECT_FALSE(ia->GetSelected()) << "a link press selects nothing";
    }
}

TEST_F(GantDrag, AStickyModeIsUsedUpByAPressOnEmptySpace) {
    gant->SetStickyMode(smDependency);
    harness.Click(GA(), {R(ic).Right + 40, Middle(ic).Y});
    EXPECT_EQ(gant->StickyMode(), smNone);
    Press(Middle(ia));
    EXPECT_EQ(gant->Interaction().Mode(), mmMove);
}

// ---- Cursor ----

TEST_F(GantDrag, TheCursorShowsWhereAPressWouldResizeOrLink) {
    auto hover = [this](TPoint p) {
        harness.MouseMove(GA(), p);
        return GA().Cursor();
    };
    const TRect r = R(ib);
    const int y = Middle(ib).Y;
    EXPECT_EQ(hover({r.Left + 1, y}), crHSplit);
    EXPECT_EQ(hover({r.Right + 4, y}), crHSplit) << "near the right end";
    EXPECT_EQ(hover(Middle(ib)), crArrow);
    RowOf(b)->SetTimeItems_CanResize(false);
    EXPECT_EQ(hover({r.Left + 1, y}), crArrow) << "the row forbids resizing";
    gant->SetStickyMode(smDependency);
    EXPECT_EQ(hover(Middle(ib)), gant->DefaultLinkCursor());
}

// ---- Events ----

TEST_F(GantDrag, AHostHearsEachStepInOrder) {
    gant->OnClickGantArea = [this](TComponent*, TqoDataEntity*) { Record("click"); };
    gant->OnRightClickGantArea = [this](TComponent*, TqoDataEntity*) { Record("right"); };
    gant->OnHintInfo = [this](TqoDataEntity_GantTime* item, TDateTime, TDateTime, double) {
        Record(item ? "hint item" : "hint outline");
    };
    gant->OnGantAreaMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { Record("down"); };
    gant->OnGantAreaMouseMove = [this](TComponent*, TShiftState, int, int) { Record("move"); };
    gant->OnGantAreaMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) { Record("up"); };
    LogRowEvents();
    Drag(Middle(ia), Middle(ia) + TPoint{0, 18});
    EXPECT_EQ(Log, std::vector<std::string>({"click", "hint item", "down", "hint outline", "move", "hint outline",
                                             "move", "row A>B 1.0000 3.0000", "hint item", "up"}));
    Log.clear();
    harness.Click(GA(), Middle(ic), mbRight);
    EXPECT_EQ(Log, std::vector<std::string>({"click", "right", "hint item", "down", "hint item", "up"}));
}

TEST_F(GantDrag, TheReleaseEndsTheDragAndReportsEvenWhenTheHostFails) {
    gant->OnTimeChangeRow = [](TComponent*, TqoDataEntity_GantTime*, TGantRow*, TGantRow*, TDateTime, TDateTime) {
        throw EqoError("refused");
    };
    gant->OnGantAreaMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) { Record("up"); };
    Press(Middle(ia));
    MoveTo(Middle(ia) + TPoint{0, 18});
    EXPECT_THROW(Release(Middle(ia) + TPoint{0, 18}), EqoError);
    EXPECT_EQ(gant->Interaction().Mode(), mmNone);
    EXPECT_EQ(Log, std::vector<std::string>({"up"}));
    EXPECT_EQ(GA().UpdateLevel(), 0) << "the chart's update is balanced";
}

TEST_F(GantDrag, AHostMayCancelTheDragFromThePress) {
    gant->OnGantAreaMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        gant->MouseMoveModeCancel();
    };
    LogRowEvents();
    Drag(Middle(ia), Middle(ia) + TPoint{60, 18});
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(ia->Start(), kMonday + 1);
}

// ---- Drags broken off ----

TEST_F(GantDrag, EscapeALostCaptureOrAClosedRowEndTheDragWithTheScreenAsItWas) {
    Node(a, "A1");
    a->SetExpanded(true);
    Paint();
    const std::pair<const char*, std::function<void()>> breaks[] = {
        {"escape", [this] { harness.KeyDown(VK_ESCAPE); }},
        {"capture", [] { SetCaptureControl(nullptr); }},
        {"focus", [this] { AddTarget()->SetFocus(); }},
        {"collapse", [this] { a->SetExpanded(false); }},
    };
    LogRowEvents();
    for (const auto& [what, breakOff] : breaks) {
        a->SetExpanded(true);
        Paint();
        Press(Middle(ib));
        harness.RunUntilIdle();
        const TqoRaster before = Screen();
        MoveTo(Middle(ib) + TPoint{40, 18});
        ASSERT_NE(Screen(), before) << what;
        const TqoRaster outlined = Screen();
        GA().Repaint();
        EXPECT_EQ(Screen(), outlined) << what << ": a repaint keeps the outline";
        breakOff();
        EXPECT_EQ(gant->Interaction().Mode(), mmNone) << what;
        if (std::string(what) != "collapse") {
            EXPECT_EQ(Screen(), before) << what << ": the outline is erased";
        }
        MoveTo(Middle(ib) + TPoint{60, 18});
        Release(Middle(ib) + TPoint{60, 18});
        EXPECT_TRUE(Log.empty()) << what;
        EXPECT_EQ(ib->Start(), kMonday + 4) << what;
    }
}

TEST_F(GantDrag, AnItemDeletedByTheHostDuringItsOwnDragEndsTheDragCleanly) {
    const TqoRaster before = Screen();
    gant->OnHintInfo = [this](TqoDataEntity_GantTime* item, TDateTime, TDateTime, double) {
        if (!item && ib) gant->RemoveGantTime(std::exchange(ib, nullptr));
    };
    for (auto* item : {ib, ic}) item->SetSelected(true);
    const TPoint from = Middle(ib);
    Press(from);
    const TDateTime start = ic->Start();
    MoveTo(from + TPoint{40, 0});
    MoveTo(from + TPoint{50, 0});
    Release(from + TPoint{50, 0});
    EXPECT_EQ(ib, nullptr);
    EXPECT_GT(ic->Start(), start) << "the rest of the selection moved";
    harness.RunUntilIdle();

    gant->OnHintInfo = [this](TqoDataEntity_GantTime* item, TDateTime, TDateTime, double) {
        if (!item && ia) gant->RemoveGantTime(std::exchange(ia, nullptr));
    };
    Press({R(ia).Right - 1, Middle(ia).Y});
    MoveTo({R(ia).Right + 20, Middle(ia).Y});
    EXPECT_EQ(gant->Interaction().Mode(), mmNone) << "resizing a deleted item ends";
    Release({R(ic).Right + 20, Middle(ic).Y});
    (void)before;
}

TEST_F(GantDrag, AHostMayFreeTheComponentFromAnyOfTheDragsEvents) {
    const std::function<void()> frees[] = {
        [this] { gant->OnGantAreaMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { delete gant; }; },
        [this] { gant->OnClickGantArea = [this](TComponent*, TqoDataEntity*) { delete gant; }; },
        [this] { gant->OnGantAreaMouseMove = [this](TComponent*, TShiftState, int, int) { delete gant; }; },
        [this] {
            gant->OnTimeChangeRow = [this](TComponent*, TqoDataEntity_GantTime*, TGantRow*, TGantRow*, TDateTime,
                                           TDateTime) { delete gant; };
        },
        [this] {
            gant->OnHintInfo = [this](TqoDataEntity_GantTime* item, TDateTime, TDateTime, double) {
                if (!item) delete gant;
            };
        },
    };
    for (const auto& free : frees) {
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 100);
        a = Node(nullptr, "A");
        Node(nullptr, "B");
        ia = Item(a, 0, 1, 3);
        ia->SetSelected(true);
        Paint();
        // In the form's coordinates: the chart area may be gone before the release.
        const TPoint at = form.ScreenToClient(GA().ClientToScreen(Middle(ia)));
        free();
        harness.MouseDown(form, at);
        harness.MouseMove(form, at + TPoint{0, 18}, ssLeft);
        harness.MouseUp(form, at + TPoint{0, 18});
        harness.RunUntilIdle();
        for (int i = form.ControlCount() - 1; i >= 0; --i) delete form.Controls(i);
    }
}

// ---- Scrolling at the edges and leaving the chart ----

TEST_F(GantDrag, DraggingBeyondASideStepsTheScaleUntilTheRelease) {
    const TDateTime start = gant->Start();
    Press(Middle(ia));
    MoveTo({GA().Width() + 10, Middle(ia).Y});
    harness.AdvanceTime(1000);
    EXPECT_GT(gant->Start(), start);
    Release({GA().Width() + 10, Middle(ia).Y});
    EXPECT_FALSE(gant->DateScaler()->Stepping());
    const TDateTime after = gant->Start();
    harness.AdvanceTime(1000);
    EXPECT_EQ(gant->Start(), after);

    gant->SetTimeItemAutoScroll(ttiaVert);
    Press(Middle(ia));
    MoveTo({-10, Middle(ia).Y});
    harness.AdvanceTime(1000);
    EXPECT_EQ(gant->Start(), after) << "only vertical scrolling is wanted";
    Release({-10, Middle(ia).Y});
}

TEST_F(GantDrag, DraggingNearTheBottomScrollsTheRowsEveryFiftyMilliseconds) {
    for (int i = 0; i < 30; ++i) Node(nullptr, "N" + std::to_string(i));
    Paint();
    LogRowEvents();
    TGantTree& tree = *gant->TreeView();
    Press(Middle(ia));
    MoveTo({Middle(ia).X, GA().Height() - 2});
    harness.AdvanceTime(49);
    EXPECT_EQ(tree.ScrollPos(sbVertical), 0);
    harness.AdvanceTime(101);
    EXPECT_EQ(tree.ScrollPos(sbVertical), 3);
    MoveTo({Middle(ia).X, 2});
    harness.AdvanceTime(100);
    EXPECT_EQ(tree.ScrollPos(sbVertical), 1);
    Release({Middle(ia).X, 2});
    harness.AdvanceTime(200);
    EXPECT_EQ(tree.ScrollPos(sbVertical), 1) << "the release stops the timer";
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].substr(0, 7), "row A>B") << "dropped on the row shown under the pointer";
}

TEST_F(GantDrag, ASelectionDraggedFarOutsideBecomesAPlatformDrag) {
    gant->SetStartDragWhenTimeMoveOutside(true);
    gant->OnGantAreaStartDrag = [this](TComponent*) { Record("start drag"); };
    LogRowEvents();
    const TqoRaster before = Screen();
    Press(Middle(ia));
    MoveTo({GA().Width() + 20, Middle(ia).Y});
    EXPECT_TRUE(Log.empty()) << "within 25 pixels the chart still drags";
    MoveTo({GA().Width() + 30, Middle(ia).Y});
    EXPECT_EQ(gant->Interaction().Mode(), mmNone);
    EXPECT_EQ(Screen(), before);
    EXPECT_EQ(Log, std::vector<std::string>({"start drag"}));
    Release({GA().Width() + 30, Middle(ia).Y});
    EXPECT_EQ(ia->Start(), kMonday + 1);
}

// ---- Keys ----

TEST_F(GantDrag, KeysStepBetweenItemsAndRows) {
    TqoDataEntity_GantTime* ia2 = Item(a, 0, 5, 6);
    TqoDataEntity_GantTime* ia3 = Item(a, 0, 7, 8);
    Paint();
    harness.Click(GA(), Middle(ia));
    struct Step {
        uint16_t key;
        TqoDataEntity_GantTime* active;
    } steps[] = {{VK_RIGHT, ia2}, {VK_RIGHT, ia3}, {VK_RIGHT, ia3}, {VK_LEFT, ia2}, {VK_HOME, ia},
                 {VK_END, ia3},   {VK_DOWN, ib},   {VK_DOWN, ic},   {VK_DOWN, nullptr}};
    for (const Step& s : steps) {
        harness.Key(s.key);
        EXPECT_EQ(gant->ActiveDataEntity(), s.active) << s.key;
        if (s.active) {
            EXPECT_TRUE(s.active->GetSelected());
        }
        int selected = 0;
        for (auto* item : {ia, ia2, ia3, ib, ic}) selected += item->GetSelected();
        EXPECT_EQ(selected, s.active ? 1 : 1) << "one item stays selected";
    }
}

TEST_F(GantDrag, UpOnTheFirstRowClearsTheActiveItem) {
    harness.Click(GA(), Middle(ia));
    ASSERT_EQ(gant->ActiveDataEntity(), ia);
    harness.Key(VK_UP);
    EXPECT_EQ(gant->ActiveDataEntity(), nullptr);
}

TEST_F(GantDrag, CtrlSpaceTogglesAndShiftKeepsTheSelection) {
    harness.Click(GA(), Middle(ia));
    ib->SetSelected(true);
    harness.Key(VK_SPACE);
    EXPECT_TRUE(ia->GetSelected());
    EXPECT_FALSE(ib->GetSelected()) << "space alone selects the active item only";
    harness.Key(VK_SPACE, ssCtrl);
    EXPECT_FALSE(ia->GetSelected());
    harness.Key(VK_SPACE, ssCtrl);
    EXPECT_TRUE(ia->GetSelected());
    harness.Key(VK_DOWN, ssShift);
    EXPECT_TRUE(ia->GetSelected());
    EXPECT_TRUE(ib->GetSelected());
}

TEST_F(GantDrag, TheHostChoosesTheLayerAndALayerThatIsNotThereGivesNothing) {
    TqoDataEntity_GantTime* upper = Item(b, 0, 1, 2);
    gant->AddGantTime(b, 1)->SetStart(kMonday + 8);
    int answer = 0;
    gant->OnKeyNavigateDataList = [&answer](TComponent*, TGantRow*) { return answer; };
    for (int bad : {-1, 2, 1000}) {
        harness.Click(GA(), Middle(ia));
        answer = bad;
        harness.Key(VK_DOWN);
        EXPECT_EQ(gant->ActiveDataEntity(), nullptr) << bad;
        harness.Key(VK_RIGHT);
        EXPECT_EQ(gant->ActiveDataEntity(), nullptr) << bad;
    }
    harness.Click(GA(), Middle(ia));
    answer = 0;
    harness.Key(VK_DOWN);
    EXPECT_EQ(gant->ActiveDataEntity(), upper) << "the closest of layer 0";
}

TEST_F(GantDrag, WithoutAnActiveItemTheKeysStartFromTheTreesCurrentRow) {
    gant->TreeView()->SetCurrentDataEntity(b);
    harness.RunUntilIdle();
    GA().SetFocus();
    harness.Key(VK_LEFT);
    EXPECT_EQ(gant->ActiveDataEntity(), ib) << "the item nearest the middle of the window";
}

// ---- Hint text ----

TEST_F(GantDrag, TheHintTellsStartStopAndLengthOfAnItem) {
    gant->SetDateFormat("DD.MM.YY");
    gant->SetTimeFormat("HH:NN");
    ASSERT_NE(gant->Hint(), nullptr);
    gant->Interaction().HintWantsNewText(gant->Hint(), ia);
    EXPECT_EQ(gant->Hint()->Caption(), "05.03.24 00:00\r07.03.24 00:00\r01.01.00 00:00");
    gant->Interaction().HintWantsNewText(gant->Hint(), RowOf(a)->Layer(0));
    EXPECT_EQ(gant->Hint()->Caption(), "");
}

// ---- Looks ----

TEST_F(GantDrag, TheOutlinesOfAMovedSelectionAndOfALink) {
    ia->SetSelected(true);
    ib->SetSelected(true);
    Paint();
    Press(Middle(ia));
    MoveTo(Middle(ia) + TPoint{45, 20});
    EXPECT_TRUE(test::LooksLike(harness, GA(), "gantt_drag_outline"));
    gant->MouseMoveModeCancel();
    Release(Middle(ia));
    Paint();
    gant->SetStickyMode(smDependency);
    Press(Middle(ia));
    MoveTo(Middle(ic) + TPoint{10, 0});
    EXPECT_TRUE(test::LooksLike(harness, GA(), "gantt_link_outline"));
    gant->MouseMoveModeCancel();
}

} // namespace
} // namespace qo
