// Painting through the window canvas, erasing, window-less controls, pictures
// of windows, and the modal pieces of a headless run.
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include "support/qoTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

namespace qo {
namespace {

// Paints a red square at (2, 2) and counts its paints and erases.
class TSquare : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;
    int Erases = 0;
    TRect ClipDuringPaint;
    bool HandleErase = false;
    std::function<void()> OnPainted;

protected:
    void Paint() override {
        ++Paints;
        ClipDuringPaint = Canvas().Handle()->GetClipBox();
        Canvas().Brush().Color = clRed;
        Canvas().FillRect(TRect::Bounds(2, 2, 4, 4));
        if (OnPainted) OnPainted();
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_ERASEBKGND) {
            ++Erases;
            if (HandleErase) {
                message.Result = 1;
                return;
            }
        }
        TCustomControl::WndProc(message);
    }
};

class Painting : public ::testing::Test {
protected:
    Painting() {
        form.SetBounds(0, 0, 40, 30);
        form.SetColor(clBlue);
        square = new TSquare(&form);
        square->SetParent(&form);
        square->SetBounds(10, 10, 10, 10);
        square->SetColor(clLime);
    }
    TColor At(int x, int y) {
        TBitmap picture;
        harness.Snapshot(form, picture);
        return picture.Pixel(x, y);
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
    TSquare* square;
};

TEST_F(Painting, ChildrenShowOverTheirParentInTheirOwnColours) {
    form.SetBevelOuter(bvNone);
    EXPECT_EQ(At(1, 1), clBlue);
    EXPECT_EQ(At(10, 10), clLime) << "erased in the control's colour";
    EXPECT_EQ(At(12, 12), clRed) << "painted in client coordinates of the control";
    EXPECT_EQ(At(20, 20), clBlue);
    EXPECT_EQ(square->Paints, 1);
}

TEST_F(Painting, PanelBevelsAndBorder) {
    form.SetBevelOuter(bvRaised);
    form.SetBevelInner(bvLowered);
    TBitmap picture;
    harness.Snapshot(form, picture);
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(39, 29), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(1, 1), ColorToRGB(clBtnShadow)) << "the inner bevel is lowered";
    EXPECT_EQ(picture.Pixel(38, 28), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(2, 2), clBlue);
}

TEST_F(Painting, InvalidatingARectangleWithoutErasePaintsOnlyThere) {
    harness.RunUntilIdle();
    square->Erases = 0;
    square->InvalidateRect({1, 1, 3, 3}, false);
    square->InvalidateRect({5, 5, 6, 6}, false);
    harness.RunUntilIdle();
    EXPECT_EQ(square->Erases, 0);
    EXPECT_EQ(square->ClipDuringPaint, TRect(1, 1, 6, 6)) << "the union of what was invalidated";
    square->Invalidate();
    harness.RunUntilIdle();
    EXPECT_EQ(square->Erases, 1);
    EXPECT_EQ(square->ClipDuringPaint, TRect(0, 0, 10, 10));
}

TEST_F(Painting, WhatAPaintInvalidatesIsPaintedNextTime) {
    harness.RunUntilIdle();
    square->Paints = 0;
    bool again = true;
    square->OnPainted = [&] {
        if (std::exchange(again, false)) square->Invalidate();
    };
    square->Invalidate();
    harness.RunUntilIdle();
    EXPECT_EQ(square->Paints, 2);
    square->Invalidate();
    harness.RunUntilIdle();
    EXPECT_EQ(square->Paints, 3) << "and the window still takes later invalidations";
}

TEST_F(Painting, AControlThatHandlesEraseKeepsItsOldPixels) {
    harness.RunUntilIdle();
    square->HandleErase = true;
    square->SetColor(clYellow);
    EXPECT_EQ(At(10, 10), clLime);
}

TEST_F(Painting, DrawingOutsideAPaintGoesStraightToTheWindow) {
    harness.RunUntilIdle();
    square->Canvas().Brush().Color = clYellow;
    square->Canvas().FillRect(TRect::Bounds(0, 0, 2, 2));
    EXPECT_EQ(At(11, 11), clYellow);
    square->Repaint();
    EXPECT_EQ(At(11, 11), clLime) << "the next paint draws over it";
}

// A window-less control: it paints on its parent's surface.
class TDot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas().Brush().Color = clFuchsia;
        Canvas().FillRect(ClientRect().Inflate(10, 10)); // clipped to the control
    }
};

TEST_F(Painting, WindowlessControlsPaintOnTheirParentBelowWindowedSiblings) {
    form.SetBevelOuter(bvNone);
    auto* dot = new TDot(&form);
    dot->SetParent(&form);
    dot->SetBounds(5, 5, 10, 10);
    EXPECT_EQ(At(5, 5), clFuchsia);
    EXPECT_EQ(At(4, 4), clBlue);
    EXPECT_EQ(At(12, 12), clRed) << "the windowed sibling lies above";
    dot->Hide();
    EXPECT_EQ(At(5, 5), clBlue);
}

TEST_F(Painting, SnapshotsAreWrittenAsPng) {
    const std::string path = test::OutputPath("window-snapshot.png");
    std::filesystem::remove(path);
    harness.SaveSnapshot(form, path);
    TBitmap loaded;
    loaded.LoadFromPNG(path);
    EXPECT_EQ(loaded.Width(), 40);
    EXPECT_EQ(loaded.Pixel(12, 12), clRed);
}

TEST(Modal, MessageBoxesAndMenusAnswerFromTheScriptAndAreRecorded) {
    THeadlessHarness harness;
    harness.Backend().ScriptMessageBoxAnswer(IDNO);
    harness.Backend().ScriptPopupMenuAnswer(1);
    EXPECT_EQ(MessageBox("Delete?", "Chart", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox("Again?", "Chart", MB_YESNOCANCEL), IDYES) << "then the first button";
    EXPECT_EQ(TrackPopupMenu({"Cut", "Copy"}, {10, 20}), 1);
    EXPECT_EQ(TrackPopupMenu({"Cut"}, {0, 0}), -1) << "then dismissed";
    Beep();
    const auto& records = harness.Backend().ModalRecords();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].Text, "Delete?");
    EXPECT_EQ(records[2].Items.size(), 2u);
    EXPECT_EQ(records[2].Point, TPoint(10, 20));
    EXPECT_EQ(harness.Backend().Beeps(), 1);
}

} // namespace
} // namespace qo
