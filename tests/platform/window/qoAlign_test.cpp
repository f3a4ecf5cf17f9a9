// Alignment of children in the classic layouts.
#include "platform/core/qoErrors.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace qo {
namespace {

class Alignment : public ::testing::Test {
protected:
    Alignment() {
        form.SetBevelOuter(bvNone);
        form.SetBounds(0, 0, 400, 300);
    }
    TPanel* Child(TWinControl* parent, TAlign align, TRect bounds) {
        auto* panel = new TPanel(&form);
        panel->SetBevelOuter(bvNone);
        panel->SetBoundsRect(bounds);
        panel->SetParent(parent);
        panel->SetAlign(align);
        return panel;
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
};

TEST_F(Alignment, LeftPanelSplitterAndClient) {
    TPanel* left = Child(&form, alLeft, TRect::Bounds(0, 0, 120, 10));
    TPanel* splitter = Child(&form, alLeft, TRect::Bounds(200, 0, 3, 10));
    TPanel* client = Child(&form, alClient, TRect::Bounds(0, 0, 10, 10));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 0, 120, 300));
    EXPECT_EQ(splitter->BoundsRect(), TRect(120, 0, 123, 300));
    EXPECT_EQ(client->BoundsRect(), TRect(123, 0, 400, 300));

    // Widening the left panel moves the splitter and shrinks the client.
    left->SetWidth(150);
    EXPECT_EQ(splitter->BoundsRect(), TRect(150, 0, 153, 300));
    EXPECT_EQ(client->BoundsRect(), TRect(153, 0, 400, 300));
    // Collapsed to nothing it still keeps its place before the splitter.
    left->SetWidth(0);
    EXPECT_EQ(splitter->Left(), 0);
    EXPECT_EQ(client->BoundsRect(), TRect(3, 0, 400, 300));

    form.SetBounds(0, 0, 500, 200);
    EXPECT_EQ(client->BoundsRect(), TRect(3, 0, 500, 200));
}

TEST_F(Alignment, NestedTopAndClientPanels) {
    TPanel* right = Child(&form, alClient, {});
    TPanel* scaler = Child(right, alTop, TRect::Bounds(0, 0, 10, 40));
    TPanel* chart = Child(right, alClient, {});
    TPanel* bottom = Child(&form, alBottom, TRect::Bounds(0, 0, 10, 20));
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 280, 400, 300));
    EXPECT_EQ(right->BoundsRect(), TRect(0, 0, 400, 280));
    EXPECT_EQ(scaler->BoundsRect(), TRect(0, 0, 400, 40));
    EXPECT_EQ(chart->BoundsRect(), TRect(0, 40, 400, 280));
    form.SetWidth(300);
    EXPECT_EQ(chart->BoundsRect(), TRect(0, 40, 300, 280)) << "a resize realigns all the way down";
}

TEST_F(Alignment, HiddenControlsTakeNoSpace) {
    TPanel* top = Child(&form, alTop, TRect::Bounds(0, 0, 10, 30));
    TPanel* client = Child(&form, alClient, {});
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 400, 300));
    top->Show();
    EXPECT_EQ(client->BoundsRect(), TRect(0, 30, 400, 300));
    top->SetHeight(50);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 50, 400, 300)) << "a child's size change realigns";
}

TEST_F(Alignment, OrderOfAlignmentsAndOfEqualsByPosition) {
    // Created in the reverse of the wanted order and aligned at once: position decides.
    form.DisableAlign();
    TPanel* right2 = Child(&form, alRight, TRect::Bounds(100, 0, 20, 10));
    TPanel* right1 = Child(&form, alRight, TRect::Bounds(300, 0, 10, 10));
    TPanel* top2 = Child(&form, alTop, TRect::Bounds(0, 50, 10, 5));
    TPanel* top1 = Child(&form, alTop, TRect::Bounds(0, 10, 10, 7));
    TPanel* left = Child(&form, alLeft, TRect::Bounds(0, 0, 30, 10));
    form.EnableAlign();
    EXPECT_EQ(top1->BoundsRect(), TRect(0, 0, 400, 7));
    EXPECT_EQ(top2->BoundsRect(), TRect(0, 7, 400, 12));
    EXPECT_EQ(right1->BoundsRect(), TRect(390, 12, 400, 300));
    EXPECT_EQ(right2->BoundsRect(), TRect(370, 12, 390, 300));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 12, 30, 300)) << "left and right come after top";

    // Aligned controls keep their order: a new one goes where its position says.
    TPanel* top0 = Child(&form, alTop, TRect::Bounds(0, 5, 10, 4));
    EXPECT_EQ(top1->Top(), 0);
    EXPECT_EQ(top0->BoundsRect(), TRect(0, 7, 400, 11));
    EXPECT_EQ(top2->Top(), 11);
}

TEST_F(Alignment, BorderAndBevelsShrinkTheClientArea) {
    TPanel* client = Child(&form, alClient, {});
    form.SetBevelOuter(bvRaised);
    form.SetBevelInner(bvLowered);
    form.SetBevelWidth(2);
    form.SetBorderWidth(3);
    EXPECT_EQ(client->BoundsRect(), TRect(7, 7, 393, 293));
}

TEST_F(Alignment, DisabledAlignmentWaitsAndResizeComesAfterIt) {
    TPanel* top = Child(&form, alTop, TRect::Bounds(0, 0, 10, 30));
    TPanel* client = Child(&form, alClient, {});
    std::vector<TRect> seenOnResize;
    form.OnResize = [&](TComponent*) { seenOnResize.push_back(client->BoundsRect()); };

    form.DisableAlign();
    top->SetHeight(60);
    EXPECT_EQ(client->Top(), 30) << "no realignment while disabled";
    form.EnableAlign();
    EXPECT_EQ(client->Top(), 60);

    form.SetHeight(200);
    ASSERT_EQ(seenOnResize.size(), 1u);
    EXPECT_EQ(seenOnResize[0], TRect(0, 60, 400, 200)) << "OnResize sees the realigned children";
}

TEST_F(Alignment, UpdateBoundsRectNeitherRealignsNorNotifies) {
    TPanel* client = Child(&form, alClient, {});
    int resizes = 0;
    form.OnResize = [&](TComponent*) { ++resizes; };
    form.UpdateBoundsRect(TRect::Bounds(0, 0, 800, 600));
    EXPECT_EQ(form.Width(), 800);
    EXPECT_EQ(client->Width(), 400);
    EXPECT_EQ(resizes, 0);
}

TEST_F(Alignment, OwnerFreesWhatItOwnsAndParentsLetGo) {
    auto owner = std::make_unique<TPanel>(nullptr);
    TPanel* child = Child(owner.get(), alClient, {});
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(owner->ControlCount(), 1);
    owner.reset();
    EXPECT_EQ(child->Parent(), nullptr) << "the destroyed parent let its child go";
    delete child;
    EXPECT_EQ(form.ComponentCount(), 0) << "a freed component leaves its owner's list";
    EXPECT_THROW(form.SetParent(&form), EqoError);
}

TEST_F(Alignment, DesigningSpreadsToOwnedComponentsAndLoadingHoldsOnResize) {
    TPanel* child = Child(&form, alClient, {});
    form.SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
    EXPECT_EQ(child->ComponentState() & csDesigning, csDesigning);
    form.SetDesigning(false);

    int resizes = 0;
    child->OnResize = [&](TComponent*) { ++resizes; };
    child->BeginLoading();
    form.SetWidth(300);
    EXPECT_EQ(child->Width(), 300) << "aligned while loading";
    EXPECT_EQ(resizes, 0) << "but not told";
    child->Loaded();
    form.SetWidth(200);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(form.FindComponent(child->Name()), nullptr) << "an empty name finds nothing";
    child->SetName("client");
    EXPECT_EQ(form.FindComponent("client"), child);
}

} // namespace
} // namespace qo
