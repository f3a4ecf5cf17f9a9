// Drag and drop between controls, with the threshold.
#include "platform/window/qoHeadless.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qo {
namespace {

class DragDrop : public ::testing::Test {
protected:
    DragDrop() {
        form.SetBounds(0, 0, 300, 100);
        source = Add("source", TRect::Bounds(0, 0, 100, 100));
        target = Add("target", TRect::Bounds(200, 0, 100, 100));
        source->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
            if (startImmediately >= 0) source->BeginDrag(startImmediately == 1);
        };
        source->OnStartDrag = [this](TComponent* s) { log.push_back("start " + s->Name()); };
        source->OnEndDrag = [this](TComponent*, TComponent* t, int x, int y) {
            log.push_back("end " + (t ? t->Name() : std::string("none")) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
        target->OnDragOver = [this](TComponent* s, TComponent* src, int x, int, TDragState state, bool& accept) {
            static const char* states[] = {"enter", "leave", "move"};
            log.push_back(std::string("over ") + states[state] + " " + s->Name() + " from " + src->Name() + " " +
                          std::to_string(x));
            accept = acceptDrop;
        };
        target->OnDragDrop = [this](TComponent* s, TComponent* src, int x, int y) {
            log.push_back("drop " + src->Name() + " on " + s->Name() + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
    }
    TPanel* Add(const std::string& name, TRect bounds) {
        auto* panel = new TPanel(&form);
        panel->SetName(name);
        panel->SetBoundsRect(bounds);
        panel->SetParent(&form);
        return panel;
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
    TPanel* source;
    TPanel* target;
    int startImmediately = 0; // -1: no drag
    bool acceptDrop = true;
    std::vector<std::string> log;
};

TEST_F(DragDrop, StartsPastTheThresholdAndDropsWhereAccepted) {
    harness.MouseDown(*source, {50, 50});
    harness.MouseMove(*source, {64, 50});
    EXPECT_TRUE(log.empty()) << "14 pixels stay below the threshold of 15";
    EXPECT_FALSE(DragStarted());
    harness.MouseMove(*source, {65, 50});
    harness.MouseMove(*target, {10, 20});
    harness.MouseMove(*target, {12, 20});
    harness.MouseUp(*target, {12, 20});
    EXPECT_EQ(log, (std::vector<std::string>{"start source", "over enter target from source 10",
                                             "over move target from source 12", "drop source on target 12,20",
                                             "end target 12,20"}));
    EXPECT_EQ(DragSource(), nullptr);
    EXPECT_EQ(harness.Backend().ShownCursor(), source->Cursor());
}

TEST_F(DragDrop, RefusedOrLeftTargetsEndTheDragWithoutATarget) {
    acceptDrop = false;
    startImmediately = 1;
    harness.MouseDown(*source, {50, 50});
    harness.MouseMove(*target, {10, 20});
    EXPECT_EQ(harness.Backend().ShownCursor(), crNoDrop);
    harness.MouseMove(*source, {10, 20});
    harness.MouseUp(*source, {10, 20});
    EXPECT_EQ(log, (std::vector<std::string>{"start source", "over enter target from source 10",
                                             "over leave target from source -190", "end none 10,20"}));
}

TEST_F(DragDrop, ReleaseBeforeTheThresholdIsAnOrdinaryClick) {
    int clicks = 0;
    source->OnClick = [&](TComponent*) { ++clicks; };
    harness.Click(*source, {50, 50});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(DragSource(), nullptr);
}

TEST_F(DragDrop, EscapeCancelsAndAutomaticModeStartsOnItsOwn) {
    startImmediately = -1;
    source->DragMode = dmAutomatic;
    harness.MouseDown(*source, {50, 50});
    harness.MouseMove(*target, {10, 20});
    harness.Key(VK_ESCAPE);
    harness.MouseUp(*target, {10, 20});
    EXPECT_EQ(log, (std::vector<std::string>{"start source", "over enter target from source 10", "end none 210,20"}));
}

TEST_F(DragDrop, AThresholdOfItsOwnAndADropHandlerThatFreesTheSource) {
    startImmediately = -1;
    source->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false, 3); };
    target->OnDragDrop = [this](TComponent*, TComponent*, int, int) {
        delete source;
        log.push_back("freed");
    };
    harness.MouseDown(*source, {50, 50});
    harness.MouseMove(*source, {50, 53});
    EXPECT_TRUE(DragStarted());
    harness.MouseMove(*target, {10, 10});
    harness.MouseUp(*target, {10, 10});
    EXPECT_EQ(log.back(), "freed") << "no end-drag call reaches the freed source";
}

} // namespace
} // namespace qo
