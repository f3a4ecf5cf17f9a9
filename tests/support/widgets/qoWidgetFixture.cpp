#include "support/widgets/qoWidgetFixture.h"

#include "support/golden/qoGolden.h"

namespace qo::test {

TFormFixture::TFormFixture() {
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 240, 180);
}

TCustomControl* TFormFixture::AddTarget() {
    auto* target = new TCustomControl(&form);
    target->SetParent(&form);
    target->SetBounds(10, 10, 50, 50);
    target->TabStop = true;
    target->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { Record("press"); };
    target->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState) { Record("key " + std::to_string(key)); };
    return target;
}

void PictureOf(THeadlessHarness& harness, TControl& control, TBitmap& out) {
    TWinControl* window = control.IsWindowed() ? static_cast<TWinControl*>(&control) : control.Parent();
    TWinControl& root = *window->TopLevel();
    TBitmap whole;
    harness.Snapshot(root, whole);
    const TPoint at = root.ScreenToClient(control.ClientOrigin());
    out.SetSize(control.Width(), control.Height());
    out.Canvas().CopyRect(TRect::Bounds(0, 0, control.Width(), control.Height()), whole.Canvas(),
                          TRect::Bounds(at.X, at.Y, control.Width(), control.Height()));
}

::testing::AssertionResult LooksLike(THeadlessHarness& harness, TControl& control,
                                     const std::string& golden) {
    TBitmap picture;
    PictureOf(harness, control, picture);
    return MatchesGolden(picture.Raster(), golden);
}

} // namespace qo::test
