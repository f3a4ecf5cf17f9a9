// The chart's hint on the virtual clock: shown a second after the pointer
// came to rest on an object, hidden five seconds later, only while the form of
// its owner is active; move information at once; its places and its look.
#include "gantt/qoGraphHintWindow.h"

#include "data/qoDoLater.h"
#include "data/qoExposable.h"
#include "platform/window/qoInputRouter.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

struct TItem : TqoExposable {
    explicit TItem(std::string text) : Text(std::move(text)) {}
    ~TItem() override = default;
    void CleanForFree() override {}
    std::string Text;
};

class GraphHintWindow : public test::TFormFixture {
protected:
    GraphHintWindow() {
        form.SetBounds(100, 50, 240, 180);
        owner = new TPanel(&form);
        owner->SetParent(&form);
        owner->SetBounds(20, 30, 100, 40);
        owner->TabStop = true;
        hint = new TGraphHintWindow(owner);
        hint->OnUpdateTextEvent = [this](TGraphHintWindow* sender, TqoExposable* object) {
            Record("text for " + static_cast<TItem*>(object)->Text);
            sender->SetCaption(static_cast<TItem*>(object)->Text);
        };
    }
    ~GraphHintWindow() override { TDoLater::Shutdown(); }

    void Wait(int64_t ms) {
        harness.AdvanceTime(ms);
        harness.RunUntilIdle();
    }
    TPanel* owner;
    TGraphHintWindow* hint;
    TItem a{"A"}, b{"B"};
};

TEST_F(GraphHintWindow, StartsHiddenAndSmallBesideItsOwner) {
    EXPECT_FALSE(hint->IsOpen());
    EXPECT_EQ(hint->Width(), 120);
    EXPECT_EQ(hint->Height(), 30);
    EXPECT_EQ(hint->Color(), clInfoBk);
    EXPECT_TRUE(hint->ShowBelowOwner());
    EXPECT_FALSE(hint->ShowTimer().Enabled());
    EXPECT_FALSE(hint->HideTimer().Enabled());
}

TEST_F(GraphHintWindow, ShowsASecondAfterTheObjectCameAndHidesFiveSecondsLater) {
    hint->ShowSlowHintFor(&a, 10, 5);
    EXPECT_EQ(Log, (std::vector<std::string>{"text for A"}));
    Wait(600);
    hint->ShowSlowHintFor(&a, 12, 5);
    EXPECT_EQ(Log.size(), 1u) << "the same object asks for no new text";
    Wait(399);
    EXPECT_FALSE(hint->IsOpen());
    Wait(1);
    ASSERT_TRUE(hint->IsOpen()) << "the wait was not restarted by the same object";
    EXPECT_EQ(hint->Caption(), "A");
    // Below the owner: the owner's client origin (120, 80) plus its height and a gap.
    EXPECT_EQ(hint->BoundsRect(), TRect::Bounds(120 + 12, 80 + 40 + 4, 120, 30));
    Wait(4999);
    EXPECT_TRUE(hint->IsOpen());
    Wait(1);
    EXPECT_FALSE(hint->IsOpen());
}

TEST_F(GraphHintWindow, AnotherObjectRestartsTheWaitAndNilHidesForGood) {
    hint->ShowSlowHintFor(&a, 0, 0);
    Wait(800);
    hint->ShowSlowHintFor(&b, 0, 0);
    Wait(800);
    EXPECT_FALSE(hint->IsOpen());
    Wait(200);
    EXPECT_TRUE(hint->IsOpen());
    EXPECT_EQ(hint->Caption(), "B");

    hint->ShowSlowHintFor(nullptr, 0, 0);
    EXPECT_FALSE(hint->IsOpen());
    hint->ShowSlowHintFor(&a, 0, 0);
    Wait(500);
    hint->ShowSlowHintFor(nullptr, 0, 0);
    Wait(5000);
    EXPECT_FALSE(hint->IsOpen()) << "a hint left before it showed does not show later";
    EXPECT_EQ(Log, (std::vector<std::string>{"text for A", "text for B", "text for A"}));
}

TEST_F(GraphHintWindow, ShowsOnlyWhileTheFormOfItsOwnerIsActive) {
    TPanel other(nullptr);
    other.SetBounds(400, 400, 100, 100);
    TCustomControl* elsewhere = new TCustomControl(&other);
    elsewhere->SetParent(&other);
    elsewhere->SetBounds(0, 0, 20, 20);
    elsewhere->TabStop = true;
    elsewhere->SetFocus();
    hint->ShowSlowHintFor(&a, 0, 0);
    Wait(1000);
    EXPECT_FALSE(hint->IsOpen()) << "another window is active";

    owner->SetFocus();
    hint->ShowSlowHintFor(&b, 0, 0);
    Wait(1000);
    EXPECT_TRUE(hint->IsOpen());
    SetFocusedControl(nullptr);
}

TEST_F(GraphHintWindow, MoveInformationShowsAtOnceAndStays) {
    hint->ShowSlowHintFor(&a, 0, 0);
    hint->SetShowBelowOwner(false);
    hint->ShowMoveInfo("Start", "Stop", "Length", 30, 8);
    EXPECT_TRUE(hint->IsOpen());
    EXPECT_EQ(hint->Caption(), "Start\rStop\rLength");
    EXPECT_EQ(hint->BoundsRect(), TRect::Bounds(120 + 30, 80 + 8, 120, 30));
    EXPECT_FALSE(hint->ShowTimer().Enabled());
    EXPECT_FALSE(hint->HideTimer().Enabled());
    Wait(10000);
    EXPECT_TRUE(hint->IsOpen());
}

TEST_F(GraphHintWindow, AStaticPlaceOverridesThePointer) {
    hint->SetStaticPos(true);
    hint->SetStaticPosRect(TRect::Bounds(1, 1, 98, 38));
    hint->ShowDirect(300, 300);
    EXPECT_EQ(hint->BoundsRect(), TRect::Bounds(121, 81, 98, 38));
    owner->SetLeft(30);
    hint->ShowSlowHintFor(&a, 0, 0);
    EXPECT_EQ(hint->BoundsRect(), TRect::Bounds(131, 81, 98, 38)) << "an open hint follows at once";
}

TEST_F(GraphHintWindow, CanBeFreedWithCallsQueuedOrWhileAskingForText) {
    hint->ShowSlowHintFor(&a, 0, 0);
    harness.AdvanceTime(1000); // the show is queued, not run
    delete hint;
    harness.RunUntilIdle();

    hint = new TGraphHintWindow(owner);
    hint->OnUpdateTextEvent = [this](TGraphHintWindow*, TqoExposable*) {
        delete hint;
        hint = nullptr;
    };
    hint->ShowSlowHintFor(&a, 0, 0);
    EXPECT_EQ(hint, nullptr);
    Wait(2000);
}

TEST_F(GraphHintWindow, Looks) {
    hint->SetStaticPos(true);
    hint->SetStaticPosRect(TRect::Bounds(1, 1, 98, 45));
    hint->ShowMoveInfo("04.03.2024 08:00", "06.03.2024 17:30", "2 09:30", 0, 0);
    EXPECT_TRUE(test::LooksLike(harness, *hint, "graph_hint_move_info"));
}

} // namespace
} // namespace qo
