// The Gantt component as a host meets it: its parts and where they sit, its
// defaults, properties that reach several parts, the scale and alignment
// events, tab sheets, factories a subclass overrides, and its look.
#include "gantt/qoGant.h"
#include "qoGantWithoutGrid.h"

#include "data/qoDoLater.h"
#include "support/golden/qoGolden.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class Gant : public test::TFormFixture {
protected:
    Gant() {
        form.SetBounds(0, 0, 400, 260);
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
    }
    ~Gant() override { TDoLater::Shutdown(); }
    void Settle() { harness.RunUntilIdle(); }
    TRect InForm(TControl& c) {
        const TPoint at = form.ScreenToClient(c.ClientOrigin());
        return TRect::Bounds(at.X, at.Y, c.Width(), c.Height());
    }
    TqoGant* gant;
};

TEST_F(Gant, LaysOutHeaderSplitterScalerAndChartSideBySide) {
    Settle();
    // Inside the panel's one-pixel bevel.
    EXPECT_EQ(InForm(*gant->PanelTreeHolder()), TRect(1, 1, 101, 259));
    EXPECT_EQ(InForm(*gant->PanelAboveTree()), TRect(1, 1, 101, 46));
    EXPECT_EQ(InForm(*gant->TreeView()), TRect(1, 46, 101, 259));
    EXPECT_EQ(gant->Splitter()->BoundsRect(), TRect(101, 1, 104, 259));
    EXPECT_EQ(InForm(*gant->DateScaler()), TRect(104, 1, 399, 46));
    EXPECT_EQ(InForm(*gant->GA()), TRect(104, 46, 399, 259)) << "the chart's first row is level with the tree's";
    EXPECT_FALSE(gant->PanelScrollHolder()->Visible()) << "nothing to scroll yet";
    EXPECT_FALSE(gant->UseTabSheets());
    EXPECT_EQ(gant->GA()->Name(), "GanttArea");
    EXPECT_EQ(gant->DateScaler()->Name(), "DateScaler");
    EXPECT_EQ(gant->TreeView()->Name(), "Treeview");
    EXPECT_EQ(gant->GantTabSheet()->Caption(), "Gant");
    EXPECT_EQ(gant->Splitter()->Cursor(), crHSplit);
}

TEST_F(Gant, StartsWithAMonthAroundTodayInSilverAndGreyRows) {
    EXPECT_EQ(gant->Start(), Date() - 15);
    EXPECT_EQ(gant->Stop(), Date() + 15);
    EXPECT_EQ(gant->GantBackColor(), clSilver);
    EXPECT_EQ(gant->GantPyjamasColor(), clGray);
    EXPECT_EQ(gant->RowHeight(), 18);
    EXPECT_EQ(gant->ScalerHeight(), 45);
    EXPECT_EQ(gant->TimeFormat(), "HH:MM:SS");
    EXPECT_EQ(gant->DateFormat(), "YYMMDD");
    EXPECT_EQ(gant->CursorGantArea(), crArrow);
    EXPECT_EQ(gant->DefaultLinkCursor(), crHandPoint);
    EXPECT_EQ(gant->DefaultLinkColor(), clBlue);
    EXPECT_EQ(gant->LinkShow(), lsOneEndVisible);
    EXPECT_TRUE(gant->DrawLongLines());
    EXPECT_FALSE(gant->DrawShortLines());
    EXPECT_TRUE(gant->MultiSelectTree());
    EXPECT_EQ(gant->Snap()->StartSnap(), 5 * OneMinute);
    EXPECT_EQ(gant->Snap()->StopSnap(), OneMinute);
    EXPECT_FALSE(gant->Snap()->StopSnapOnMoveONOFF());
    EXPECT_EQ(gant->ScrollTimer()->Interval(), 50u);
    EXPECT_FALSE(gant->ScrollTimer()->Enabled());
    ASSERT_NE(gant->Hint(), nullptr);
    EXPECT_TRUE(gant->Hint()->StaticPos());
    EXPECT_EQ(gant->Hint()->StaticPosRect(), TRect(1, 1, 100, 45)) << "over the blank above the tree";
    const TqoRaster& checker = gant->GantBitMap().Raster();
    EXPECT_EQ(checker.Row(0)[0], ColorToPixel(clSilver));
    EXPECT_EQ(checker.Row(0)[1], ColorToPixel(clGray));
}

TEST_F(Gant, ForwardsScalerAndTreePropertiesToTheirParts) {
    gant->SetZoomFactor(0.5);
    gant->SetPixelsForModeSwitch(40);
    gant->SetHiddenDays(1u << thdSUN);
    gant->SetFirstDayOfWeekScaler(1);
    gant->SetLookAndFeel(tlfBoxed);
    gant->SetIndentTree(25);
    gant->SetShowLinesTree(false);
    gant->SetGridLinesTree(true);
    TqoDateScaler& s = *gant->DateScaler();
    EXPECT_EQ(s.ZoomFactor, 0.5);
    EXPECT_EQ(s.PixelsForModeSwitch(), 40);
    EXPECT_EQ(s.HiddenDays(), 1u << thdSUN);
    EXPECT_EQ(s.FirstDayOfWeek, 1);
    EXPECT_EQ(s.LookAndFeel(), tlfBoxed);
    EXPECT_EQ(gant->TreeView()->Indent(), 25);
    EXPECT_FALSE(gant->TreeView()->ShowLines());
    EXPECT_TRUE(gant->TreeView()->DrawGridLines());

    gant->SetColorScaler(clNavy);
    for (TControl* c : std::initializer_list<TControl*>{gant->DateScaler(), gant->PanelScaleAndGantHolder(),
                                                        gant->PanelAboveTree(), gant->PanelAboveScroll(), gant})
        EXPECT_EQ(c->Color(), clNavy) << c->Name();
    gant->SetColorTree(clWhite);
    EXPECT_EQ(gant->TreeView()->Color(), clWhite);
    EXPECT_EQ(gant->PanelTreeHolder()->Color(), clWhite);
    gant->SetCursorGantArea(crHandPoint);
    EXPECT_EQ(gant->GA()->Cursor(), crHandPoint);
}

TEST_F(Gant, ASetRangeAndWidthDoNotAskTheHostToAlignButAScaleChangeDoes) {
    Settle();
    gant->OnAlignNeed = [this](TComponent*, TDateTime start, TDateTime, int width) {
        Record("align " + std::to_string(int(start - kMonday)) + " " + std::to_string(width));
    };
    gant->OnScalerChange = [this](TComponent*, TDateTime start, TDateTime) {
        Record("scaler " + std::to_string(int(start - kMonday)));
    };
    gant->SetScaleAndTree(kMonday, kMonday + 10, 150);
    Settle();
    EXPECT_EQ(gant->TreeWidth(), 150);
    EXPECT_EQ(Log, std::vector<std::string>({"scaler 0"})) << "the scaler still reports its change";

    Log.clear();
    gant->SetStart(kMonday + 1);
    Settle();
    EXPECT_EQ(Log, std::vector<std::string>({"align 1 150", "scaler 1"}));
}

TEST_F(Gant, AScaleMovedFromTheScalerEventStopsAStepButAnUnchangedOneDoesNot) {
    for (bool move : {false, true}) {
        gant->SetScaleAndTree(kMonday, kMonday + 10, 100);
        Settle();
        gant->OnScalerChange = [this, move](TComponent*, TDateTime start, TDateTime) {
            if (move && start < kMonday + 20) gant->SetStart(kMonday + 20);
        };
        gant->DateScaler()->StartStepUp();
        harness.AdvanceTime(160);
        Settle();
        EXPECT_EQ(gant->DateScaler()->Stepping(), !move) << (move ? "moved" : "left alone");
        gant->DateScaler()->StopStep();
        gant->OnScalerChange = nullptr;
    }
}

// A build whose factory makes no grid.
TEST_F(Gant, WithoutAGridTheRowHeaderStaysATree) {
    auto* treeOnly = new test::TGantWithoutGrid(&form);
    treeOnly->SetParent(&form);
    ASSERT_EQ(treeOnly->Grid(), nullptr);
    treeOnly->SetUseGridNotTree(true);
    EXPECT_FALSE(treeOnly->UseGridNotTree());
    EXPECT_TRUE(treeOnly->TreeView()->Visible());
    EXPECT_EQ(treeOnly->GridHeaderHeight(), 0);
    EXPECT_EQ(treeOnly->GridNode_Add(nullptr), nullptr);
}

TEST_F(Gant, TabSheetsHoldTheChartAndTellTheirOwnersWhenShownOrLeft) {
    Settle();
    auto* sheet = new TTabSheet(gant->PageControl());
    sheet->SetCaption("Details");
    gant->AddTabSheet(
        sheet, [this](TGantRow*) { Record("notify"); },
        [this](TComponent*, bool& allow) {
            Record("changing");
            allow = false;
        },
        [this](TComponent*) { Record("show"); }, [this](TComponent*) { Record("hide"); });
    gant->SetTabSheetsONOFF(true);
    Settle();
    EXPECT_TRUE(gant->UseTabSheets());
    EXPECT_EQ(gant->PanelScaleAndGantHolder()->Parent(), gant->GantTabSheet());
    EXPECT_EQ(InForm(*gant->PanelAboveTree()).Bottom, InForm(*gant->GA()).Top)
        << "the first tree row stays level with the first chart row below the tabs";

    TPageControl& tabs = *gant->PageControl();
    harness.Click(tabs, tabs.TabRect(1).TopLeft() + TPoint{3, 3});
    EXPECT_EQ(Log, std::vector<std::string>({"show", "notify"}));
    Log.clear();
    harness.Click(tabs, tabs.TabRect(0).TopLeft() + TPoint{3, 3});
    EXPECT_EQ(Log, std::vector<std::string>({"changing", "hide"})) << "the handler's veto is the host's to use";

    gant->SetTabSheetsONOFF(false);
    Settle();
    EXPECT_FALSE(gant->UseTabSheets());
    EXPECT_EQ(gant->PanelScaleAndGantHolder()->Parent(), gant);
    EXPECT_EQ(InForm(*gant->GA()).Top, 46);
}

TEST_F(Gant, TheChartAreaHandsItsDoubleClickAndDragsToTheHost) {
    Settle();
    TqoOffscreenPaint_GA& area = *gant->GA();
    gant->OnDblClickGantArea = [this, &area](TComponent* sender, TqoDataEntity* item) {
        Record(std::string(sender == &area ? "area" : "?") + (item ? " item" : " nothing"));
    };
    harness.DoubleClick(area, {50, 50});
    EXPECT_EQ(Log, std::vector<std::string>({"area nothing"}));

    EXPECT_FALSE(area.DragOver(&form, 10, 10, dsDragMove)) << "the chart takes nothing unless its host does";
    gant->OnGantAreaDragOver = [](TComponent*, TComponent*, int, int, TDragState, bool& accept) { accept = true; };
    EXPECT_TRUE(area.DragOver(&form, 10, 10, dsDragMove));
}

TEST_F(Gant, WidensTheTreeToItsWidestRow) {
    gant->TreeView()->AddDataEntity(nullptr)->SetText("A row far too long for a hundred pixels of tree");
    Settle();
    const int widest = gant->TreeView()->ScrollBar(sbHorizontal)->Max();
    ASSERT_GT(widest, 100);
    gant->MakeSureAllVisibleInTree();
    EXPECT_EQ(gant->TreeWidth(), widest);
}

TEST_F(Gant, AHandlerMayFreeTheComponent) {
    Settle();
    gant->OnAlignNeed = [this](TComponent*, TDateTime, TDateTime, int) {
        delete gant;
        gant = nullptr;
        Record("freed");
    };
    gant->SetStart(kMonday);
    Settle();
    EXPECT_EQ(Log, std::vector<std::string>({"freed"}));
    EXPECT_EQ(form.ControlCount(), 0);
}

// A subclass substitutes its parts through the factories.
class TMyScaler : public TqoDateScaler {
public:
    using TqoDateScaler::TqoDateScaler;
};

class TMyGant : public TqoGant_ComBasic {
public:
    explicit TMyGant(TComponent* owner, std::vector<std::string>& log)
        : TqoGant_ComBasic(owner, TDeferInitialize{}), fLog(log) {
        InitializeInConstructor();
    }

protected:
    TqoDateScaler* CreateDateScaler(TComponent* owner) override {
        fLog.push_back("scaler");
        return new TMyScaler(owner);
    }
    TGantTree* CreateTree(TComponent* owner) override {
        fLog.push_back("tree");
        return TqoGant_ComBasic::CreateTree(owner);
    }
    std::unique_ptr<IGantGridHeader> CreateGrid(TComponent* owner) override {
        fLog.push_back("grid");
        return TqoGant_ComBasic::CreateGrid(owner);
    }

private:
    std::vector<std::string>& fLog;
};

TEST_F(Gant, ASubclassMakesItsOwnPartsInTheFixedOrder) {
    auto* mine = new TMyGant(&form, Log);
    EXPECT_EQ(Log, std::vector<std::string>({"scaler", "tree", "grid"}));
    EXPECT_NE(dynamic_cast<TMyScaler*>(mine->DateScaler()), nullptr);
    EXPECT_EQ(mine->DateScaler()->Parent(), mine->PanelScaleAndGantHolder());
}

TEST_F(Gant, PaintsColumnStripesAndTheScalerLines) {
    gant->SetScaleAndTree(kMonday, kMonday + 14, 100);
    gant->SetVerticalPyjamas(true);
    gant->SetDrawShortLines(true);
    Settle();
    EXPECT_TRUE(test::LooksLike(harness, *gant->GA(), "gantt_vertical_stripes"));
}

} // namespace
} // namespace qo
