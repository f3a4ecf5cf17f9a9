#include "scale/qoOffscreenPaint.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoPrinter.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoMessageQueue.h"

#include "support/golden/qoGolden.h"
#include "support/qoTestSupport.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

// A surface that draws a few shapes with scaled offsets, and records what it saw.
class TShapes : public TqoOffscreenPaint {
public:
    using TqoOffscreenPaint::TqoOffscreenPaint;
    int Paints = 0;
    bool Fail = false;
    TSize SizeSeen;
    bool PrintingSeen = false;
    TCanvas* CanvasSeen = nullptr;
    std::vector<TScrollDirection> Scrolls;

protected:
    void OffscreenPaint() override {
        ++Paints;
        SizeSeen = {Width(), Height()};
        PrintingSeen = IsPrinting();
        CanvasSeen = &OffscreenCanvas();
        if (Fail) throw EqoError("drawing failed");
        TCanvas& c = OffscreenCanvas();
        const auto sx = [&](int v) { return int(v * Scalex()); };
        const auto sy = [&](int v) { return int(v * Scaley()); };
        c.Brush().Color = 0x00C0FF;
        c.Pen().Color = clNavy;
        c.Rectangle(sx(10), sy(10), sx(70), sy(40));
        c.Pen().Color = clRed;
        c.MoveTo(sx(5), sy(55));
        c.LineTo(sx(115), sy(55));
        c.Brush().Style = TBrushStyle::bsClear;
        c.Font().Name = "Arial";
        c.Font().Size = 8;
        PrintResizeFont();
        c.Font().Color = clBlack;
        c.TextOut(sx(78), sy(18), "Surface");
    }
    void PossibleScroll(TScrollDirection direction, int, int) override { Scrolls.push_back(direction); }
};

class OffscreenPaint : public ::testing::Test {
protected:
    OffscreenPaint() {
        form.SetBounds(0, 0, 140, 90);
        form.SetBevelOuter(bvNone);
        surface = new TShapes(&form);
        surface->SetParent(&form);
        surface->SetBounds(10, 10, 120, 70);
        surface->SetColor(clWhite);
    }
    THeadlessHarness harness;
    TPanel form{nullptr};
    TShapes* surface;
};

} // namespace

TEST_F(OffscreenPaint, InsetsLeaveAStripAndFillTheCornerWithButtonFace) {
    surface->SetColor(clRed);
    surface->SetHorzInset(10);
    surface->SetVertInset(10);
    TBitmap picture;
    harness.Snapshot(*surface, picture);
    EXPECT_EQ(picture.Pixel(0, 0), clRed);
    EXPECT_EQ(picture.Pixel(109, 59), clRed);
    EXPECT_NE(picture.Pixel(110, 30), clRed) << "the right strip is not copied";
    EXPECT_NE(picture.Pixel(30, 60), clRed) << "the bottom strip is not copied";
    for (TPoint p : {TPoint(110, 60), TPoint(119, 69), TPoint(115, 65)})
        EXPECT_EQ(picture.Pixel(p.X, p.Y), ColorToRGB(clBtnFace));
    picture.SaveToPNG(test::OutputPath("insets.png"));
}

TEST_F(OffscreenPaint, ManyInvalidationsCostOnePaint) {
    harness.RunUntilIdle();
    const int before = surface->Paints;
    surface->Invalidate();
    surface->Invalidate();
    surface->Invalidate();
    EXPECT_EQ(surface->InvalidateCount(), 3);
    harness.RunUntilIdle();
    EXPECT_EQ(surface->Paints, before + 1);
    EXPECT_EQ(surface->InvalidateCount(), 0);
    // An erase request only asks for a paint without erasing: no paint loop.
    surface->Perform(WM_ERASEBKGND, 0, 0);
    harness.RunUntilIdle();
    EXPECT_EQ(surface->Paints, before + 2);
}

TEST_F(OffscreenPaint, UpdateBracketsHoldRepaintsAndEndUpdateAlwaysInvalidates) {
    harness.RunUntilIdle();
    const int before = surface->Paints;
    surface->BeginUpdate();
    surface->BeginUpdate();
    surface->Repaint();
    EXPECT_EQ(surface->Paints, before) << "no synchronous repaint inside the bracket";
    surface->EndUpdate();
    EXPECT_EQ(surface->InvalidateCount(), 1) << "still nested, yet invalidated";
    surface->EndUpdate();
    EXPECT_EQ(surface->UpdateLevel(), 0);
    harness.RunUntilIdle();
    EXPECT_EQ(surface->Paints, before + 1);
    surface->Repaint();
    EXPECT_EQ(surface->Paints, before + 2);
}

TEST_F(OffscreenPaint, PrintAtScaleTwoShowsTheScaledSizeAndRestoresEverything) {
    harness.RunUntilIdle();
    TBitmap page(400, 300);
    TqoDC& dc = page.Handle();
    dc.SetViewportOrg({3, 4});
    const TqoRegion hostClip(TRect(0, 0, 390, 290));
    dc.SelectClipRgn(&hostClip);
    surface->Print(dc, 20, 30, 2.0, 2.0, true);
    EXPECT_EQ(surface->SizeSeen, TSize(240, 140));
    EXPECT_TRUE(surface->PrintingSeen);
    EXPECT_NE(surface->CanvasSeen, &surface->DrawBitmap().Canvas());
    EXPECT_EQ(surface->BoundsRect(), TRect::Bounds(10, 10, 120, 70));
    EXPECT_FALSE(surface->IsPrinting());
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(3, 4));
    ASSERT_TRUE(dc.GetClipRgn());
    EXPECT_EQ(dc.GetClipRgn()->Box(), TRect(0, 0, 390, 290));
    EXPECT_EQ(surface->InvalidateCount(), 1) << "a repaint is requested afterwards";
    // The drawing landed at (20, 30) scaled, and nothing outside the surface's rectangle.
    EXPECT_EQ(page.Pixel(20 + 20, 30 + 20), clNavy);
    EXPECT_EQ(page.Pixel(19, 29), clWhite);

    // Without updating the bounds the surface keeps its size.
    surface->Print(dc, 0, 0, 2.0, 2.0, false);
    EXPECT_EQ(surface->SizeSeen, TSize(120, 70));
}

TEST_F(OffscreenPaint, PrintRestoresTheContextWhenDrawingFails) {
    TBitmap page(300, 200);
    TqoDC& dc = page.Handle();
    surface->Fail = true;
    EXPECT_THROW(surface->Print(dc, 7, 8, 2.0, 2.0, true), EqoError);
    EXPECT_EQ(surface->BoundsRect(), TRect::Bounds(10, 10, 120, 70));
    EXPECT_FALSE(surface->IsPrinting());
    EXPECT_FALSE(surface->AssignedPrintingCanvas());
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(0, 0));
    EXPECT_FALSE(dc.GetClipRgn());
}

TEST_F(OffscreenPaint, PrintedFontsFollowTheFontScaleAndTheHandler) {
    TBitmap screen(10, 10);
    EXPECT_DOUBLE_EQ(TqoOffscreenPaint::GetFontScale(screen.Canvas()), 1.0) << "8 points give an X of 13 pixels";

    int printedSize = 0;
    surface->OnPaint = [&](TComponent*) {};
    TBitmap page(300, 200);
    // Scale 2 at 96 DPI: the default doubles the size.
    surface->OnPrintBeforeResettingScale = [&](TComponent*) { printedSize = surface->OffscreenCanvas().Font().Size; };
    surface->Print(page.Handle(), 0, 0, 2.0, 2.0, true);
    EXPECT_EQ(printedSize, 16);
    // A handler that clears do-default decides alone.
    surface->OnPrintResizeFont = [](TComponent*, int& size, bool& doDefault) {
        size = 11;
        doDefault = false;
    };
    surface->Print(page.Handle(), 0, 0, 2.0, 2.0, true);
    EXPECT_EQ(printedSize, 11);
    // On screen nothing changes.
    surface->OffscreenCanvas().Font().Size = 9;
    surface->PrintResizeFont();
    EXPECT_EQ(surface->OffscreenCanvas().Font().Size, 9);
}

TEST_F(OffscreenPaint, DraggingNearAnEdgeAsksToScroll) {
    surface->SetHorzInset(10);
    surface->SetVertInset(10);
    const struct {
        TPoint p;
        std::vector<TScrollDirection> expected;
    } cases[] = {
        {{50, 4}, {tsdUp}},   {{50, 5}, {}},       {{50, 56}, {tsdDown}}, {{50, 55}, {}},
        {{4, 30}, {tsdLeft}}, {{106, 30}, {tsdRight}}, {{105, 30}, {}}, {{2, 2}, {tsdUp}},
    };
    for (const auto& c : cases) {
        surface->Scrolls.clear();
        surface->DragOver(surface, c.p.X, c.p.Y, dsDragMove);
        EXPECT_EQ(surface->Scrolls, c.expected) << c.p.X << "," << c.p.Y;
    }
}

TEST_F(OffscreenPaint, ClaimsTheKeysItCatchesAndTabWhenTheOwnerSaysSo) {
    surface->CatchSpecialChars().set(VK_LEFT);
    EXPECT_TRUE(surface->Perform(WM_GETDLGCODE, VK_LEFT, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(surface->Perform(WM_GETDLGCODE, VK_RIGHT, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(surface->Perform(WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
    surface->SetActiveXOwner(nullptr, 0, [](bool) { return true; });
    EXPECT_TRUE(surface->Perform(WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
}

namespace {
struct TFakeOwner : TqoActiveXOwner {
    bool UserMode = true;
    bool AmbientUserMode() override { return UserMode; }
};

// The container's window: records the mouse messages it receives.
class TContainer : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<std::pair<UINT, TPoint>> Received;
    void WndProc(TMessage& m) override {
        if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST)
            Received.push_back({m.Msg, TPoint(int16_t(m.LParam & 0xFFFF), int16_t(m.LParam >> 16))});
        TPanel::WndProc(m);
    }
};
} // namespace

TEST_F(OffscreenPaint, InTheContainersDesignModeMouseInputGoesToTheContainer) {
    TContainer* container = new TContainer(&form);
    container->SetParent(&form);
    container->SetBounds(0, 0, 5, 5);
    TFakeOwner owner;
    int tabs = 0, clicks = 0;
    surface->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++clicks; };
    surface->SetActiveXOwner(&owner, container->Handle(), [&](bool doIt) {
        tabs += doIt;
        return true;
    });

    owner.UserMode = false;
    surface->Perform(WM_LBUTTONDOWN, 0, (6 << 16) | 4);
    ASSERT_EQ(container->Received.size(), 1u);
    EXPECT_EQ(container->Received[0].second, TPoint(14, 16)) << "converted to the container's client coordinates";
    EXPECT_EQ(clicks, 0);

    owner.UserMode = true;
    surface->Perform(WM_LBUTTONDOWN, 0, (6 << 16) | 4);
    surface->Perform(WM_LBUTTONUP, 0, (6 << 16) | 4);
    EXPECT_EQ(container->Received.size(), 1u);
    EXPECT_EQ(clicks, 1);

    surface->Perform(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(tabs, 1);
}

TEST_F(OffscreenPaint, ScreenAndPrintedPageLookAlike) {
    TBitmap screen;
    harness.Snapshot(*surface, screen);
    EXPECT_TRUE(test::MatchesGolden(screen.Raster(), "offscreen_paint_screen"));

    TqoPrinter printer;
    printer.SetResolution(96);
    printer.SetPageSize(3000, 2000);
    printer.BeginDoc();
    surface->Print(printer.Handle(), 10, 10, 2.0, 2.0, true);
    printer.EndDoc();
    EXPECT_TRUE(test::MatchesGolden(printer.Pages()[0]->Raster(), "offscreen_paint_printed_x2"));
}

} // namespace qo
