// Mouse routing with capture and double clicks, the wheel, focus and keys.
#include "platform/core/qoErrors.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qo {
namespace {

std::string Describe(TComponent* sender, const char* what, int x, int y, TShiftState shift = 0) {
    return sender->Name() + ":" + what + "(" + std::to_string(x) + "," + std::to_string(y) + ")" +
           ((shift & ssDouble) ? "dbl" : "");
}

// A form with two side-by-side children, each with a name and a log of its mouse events.
class Input : public ::testing::Test {
protected:
    Input() {
        form.SetName("form");
        form.SetBounds(100, 50, 200, 100);
        a = Add("a", TRect::Bounds(10, 10, 50, 50));
        b = Add("b", TRect::Bounds(100, 10, 50, 50));
    }
    TPanel* Add(const std::string& name, TRect bounds) {
        auto* panel = new TPanel(&form);
        panel->SetName(name);
        panel->SetBoundsRect(bounds);
        panel->SetParent(&form);
        Log(*panel);
        return panel;
    }
    void Log(TControl& c) {
        c.OnMouseDown = [this](TComponent* s, TMouseButton, TShiftState sh, int x, int y) {
            log.push_back(Describe(s, "down", x, y, sh));
        };
        c.OnMouseUp = [this](TComponent* s, TMouseButton, TShiftState, int x, int y) {
            log.push_back(Describe(s, "up", x, y));
        };
        c.OnMouseMove = [this](TComponent* s, TShiftState, int x, int y) { log.push_back(Describe(s, "move", x, y)); };
        c.OnClick = [this](TComponent* s) { log.push_back(s->Name() + ":click"); };
        c.OnDblClick = [this](TComponent* s) { log.push_back(s->Name() + ":dblclick"); };
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
    TPanel* a;
    TPanel* b;
    std::vector<std::string> log;
};

TEST_F(Input, MouseGoesToTheControlUnderThePointInItsClientCoordinates) {
    harness.MouseMove(form, {15, 20});
    harness.MouseMove(form, {105, 30});
    harness.MouseMove(form, {5, 5});
    Log(form);
    harness.MouseMove(*a, {60, 0}); // outside a, inside form
    EXPECT_EQ(log, (std::vector<std::string>{"a:move(5,10)", "b:move(5,20)", "form:move(70,10)"}));
}

TEST_F(Input, CaptureHoldsFromPressToRelease) {
    harness.MouseDown(*a, {5, 5});
    EXPECT_EQ(GetCaptureControl(), a);
    harness.MouseMove(*b, {1, 1});
    harness.MouseUp(*b, {1, 1});
    EXPECT_EQ(GetCaptureControl(), nullptr);
    harness.MouseMove(*b, {1, 1});
    EXPECT_EQ(log, (std::vector<std::string>{"a:down(5,5)", "a:move(91,1)", "a:up(91,1)", "b:move(1,1)"}))
        << "released outside: no click";
}

TEST_F(Input, DoubleClickIsAPressWithTheDoubleFlag) {
    harness.DoubleClick(*a, {5, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"a:down(5,5)", "a:up(5,5)", "a:click", "a:dblclick", "a:down(5,5)dbl",
                                             "a:up(5,5)"}));
    log.clear();
    harness.Click(*a, {5, 5});
    EXPECT_EQ(log.front(), "a:down(5,5)") << "a third press starts counting again";
}

TEST_F(Input, NoDoubleClickWhenTooLateTooFarOrElsewhere) {
    struct Case {
        const char* name;
        int64_t delay;
        TPoint second;
    };
    for (const Case& c : {Case{"late", 501, {5, 5}}, Case{"far", 0, {8, 5}}, Case{"other control", 0, {95, 5}}}) {
        harness.AdvanceTime(1000);
        log.clear();
        harness.Click(*a, {5, 5});
        harness.AdvanceTime(c.delay);
        harness.MouseDown(*a, c.second);
        harness.MouseUp(*a, c.second);
        EXPECT_EQ(std::count(log.begin(), log.end(), "a:dblclick"), 0) << c.name;
    }
}

// A handler that frees its control ends that control's share of the message:
// no click after the release, no press after the double click.
TEST_F(Input, AControlFreedByItsHandlerGetsNothingMore) {
    struct Case {
        const char* name;
        TMouseEvent TPanel::*up;
        TNotifyEvent TPanel::*dbl;
        std::vector<std::string> expected;
    };
    delete a; // each case places its own
    const auto freeA = [this](TComponent*) {
        delete a;
        a = nullptr;
    };
    const Case cases[] = {
        {"freed on release", &TPanel::OnMouseUp, nullptr, {"a:down(5,5)"}},
        {"freed on double click", nullptr, &TPanel::OnDblClick, {"a:down(5,5)", "a:up(5,5)", "a:click"}},
    };
    for (const Case& c : cases) {
        harness.AdvanceTime(1000);
        a = Add("a", TRect::Bounds(10, 10, 50, 50));
        log.clear();
        if (c.up) a->*c.up = [freeA](TComponent* s, TMouseButton, TShiftState, int, int) { freeA(s); };
        if (c.dbl) a->*c.dbl = freeA;
        harness.Click(form, {15, 15});
        if (a) harness.MouseDown(form, {15, 15});
        harness.MouseUp(form, {15, 15});
        EXPECT_EQ(a, nullptr) << c.name;
        EXPECT_EQ(log, c.expected) << c.name;
    }
}

TEST_F(Input, WheelGoesToTheControlUnderThePointAndUpUntilHandled) {
    std::vector<std::string> wheel;
    a->OnMouseWheel = [&](TComponent* s, TShiftState, int delta, TPoint pos, bool& handled) {
        wheel.push_back(s->Name() + std::to_string(delta) + "@" + std::to_string(pos.X));
        handled = false;
    };
    form.OnMouseWheel = [&](TComponent* s, TShiftState shift, int delta, TPoint, bool& handled) {
        wheel.push_back(s->Name() + std::to_string(delta) + ((shift & ssCtrl) ? "ctrl" : ""));
        handled = true;
    };
    harness.Wheel(*a, {5, 5}, -120, ssCtrl);
    EXPECT_EQ(wheel, (std::vector<std::string>{"a-120@115", "form-120ctrl"})) << "a wheel carries screen coordinates";
}

TEST_F(Input, DisabledAndHiddenChildrenLetTheParentHaveTheMouse) {
    Log(form);
    a->SetEnabled(false);
    b->Hide();
    harness.Click(*a, {5, 5});
    harness.Click(*b, {5, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"form:down(15,15)", "form:up(15,15)", "form:click", "form:down(105,15)",
                                             "form:up(105,15)", "form:click"}));
}

TEST_F(Input, FocusRulesAndNotifications) {
    std::vector<std::string> events;
    for (TPanel* p : {a, b}) {
        p->OnEnter = [&](TComponent* s) { events.push_back(s->Name() + ":enter"); };
        p->OnExit = [&](TComponent* s) { events.push_back(s->Name() + ":exit"); };
    }
    a->SetFocus();
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(events, (std::vector<std::string>{"a:enter", "a:exit", "b:enter"}));

    a->SetEnabled(false);
    EXPECT_FALSE(a->CanFocus());
    EXPECT_THROW(a->SetFocus(), EqoError);
    a->SetEnabled(true);
    form.Hide();
    EXPECT_EQ(FocusedControl(), nullptr) << "hiding the parent takes the focus away";
    EXPECT_THROW(a->SetFocus(), EqoError) << "a control in a hidden parent is invisible";
}

// A control that claims some navigation keys through WM_GETDLGCODE.
class TClaiming : public TPanel {
public:
    using TPanel::TPanel;
    LRESULT Claims = 0;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_GETDLGCODE) {
            message.Result = Claims;
            return;
        }
        TPanel::WndProc(message);
    }
};

TEST_F(Input, NavigationKeysMoveFocusUnlessClaimed) {
    auto* claiming = new TClaiming(&form);
    claiming->SetParent(&form);
    claiming->SetBounds(0, 70, 10, 10);
    for (TWinControl* c : std::vector<TWinControl*>{a, b, claiming}) c->TabStop = true;
    claiming->SetTabOrder(0); // tab order: claiming, a, b
    std::vector<uint16_t> keys;
    claiming->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };

    struct Case {
        LRESULT claims;
        uint16_t key;
        TShiftState shift;
        TWinControl* focusAfter;
    };
    const Case cases[] = {
        {0, VK_TAB, 0, a},
        {0, VK_TAB, ssShift, b},
        {0, VK_DOWN, 0, a},
        {DLGC_WANTARROWS, VK_DOWN, 0, claiming},
        {DLGC_WANTARROWS, VK_TAB, 0, a},
        {DLGC_WANTTAB, VK_TAB, 0, claiming},
        {DLGC_WANTALLKEYS, VK_LEFT, 0, claiming},
    };
    for (const Case& c : cases) {
        claiming->Claims = c.claims;
        claiming->SetFocus();
        keys.clear();
        harness.Key(c.key, c.shift);
        EXPECT_EQ(FocusedControl(), c.focusAfter) << "key " << c.key << " claims " << c.claims;
        EXPECT_EQ(keys.size(), c.focusAfter == claiming ? 1u : 0u) << "a claimed key reaches the control";
    }

    b->TabStop = false;
    claiming->Claims = 0;
    a->SetFocus();
    harness.Key(VK_TAB);
    EXPECT_EQ(FocusedControl(), claiming) << "tab skips a control without a tab stop";
}

TEST_F(Input, KeysCharactersAndKeyState) {
    std::u16string typed;
    std::vector<std::string> seen;
    a->OnKeyPress = [&](TComponent*, char16_t& ch) { typed += ch; };
    a->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState shift) {
        seen.push_back(std::to_string(key) + ((shift & ssCtrl) ? "+ctrl" : "") +
                       (GetKeyState(VK_CONTROL) < 0 ? " ctrl down" : ""));
    };
    harness.Char(u'x');
    EXPECT_TRUE(typed.empty()) << "no focus, no keys";
    a->SetFocus();
    harness.Key(VK_A, 0, u'a');
    harness.Key(VK_A, ssCtrl);
    harness.Char(u'\u00e9');
    EXPECT_EQ(typed, u"a\u00e9");
    EXPECT_EQ(seen, (std::vector<std::string>{"65", "65+ctrl ctrl down"}));
    EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "held while the input says so";
    harness.KeyUp(VK_CONTROL);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    harness.MouseMove(form, {1, 1}, ssShift);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
}

TEST_F(Input, CursorFollowsTheControlUnlessOverridden) {
    b->SetCursor(crHSplit);
    harness.MouseMove(*b, {1, 1});
    EXPECT_EQ(harness.Backend().ShownCursor(), crHSplit);
    Mouse().SetOverrideCursor(crHourGlass);
    harness.MouseMove(*b, {2, 2});
    EXPECT_EQ(harness.Backend().ShownCursor(), crHourGlass);
    EXPECT_EQ(Mouse().CursorPos(), b->ClientToScreen({2, 2}));
}

} // namespace
} // namespace qo
