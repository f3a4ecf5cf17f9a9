#include "platform/widgets/qoScrollBar.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

TScrollBar::TScrollBar(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = (ControlStyle | csOpaque) & ~csDoubleClicks;
    TabStop = true;
    SetBounds(0, 0, 121, DefaultThickness);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == fKind) return;
    fKind = kind;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

int TScrollBar::MaxPosition() const {
    return std::max(fMin, fMax - std::max(fPageSize - 1, 0));
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) throw EqoError("Scroll bar property out of range");
    const bool rangeChanged = min != fMin || max != fMax;
    fMin = min;
    fMax = max;
    fPageSize = std::clamp(fPageSize, 0, int(std::min<int64_t>(int64_t(max) - min + 1, INT32_MAX)));
    position = std::clamp(position, fMin, MaxPosition());
    if (rangeChanged) Invalidate();
    if (position == fPosition) return;
    fPosition = position;
    Invalidate();
    OnChange.Fire(this);
}

void TScrollBar::SetPageSize(int pageSize) {
    if (pageSize < 0) throw EqoError("Scroll bar property out of range");
    fPageSize = pageSize;
    // Clamps the page and then the position.
    const int old = fPosition;
    SetParams(fPosition, fMin, fMax);
    if (old == fPosition) Invalidate();
}

void TScrollBar::SetSmallChange(int change) {
    fSmallChange = std::max(change, 1);
}
void TScrollBar::SetLargeChange(int change) {
    fLargeChange = std::max(change, 1);
}

void TScrollBar::SetStaticEdge(bool on) {
    if (on == fStaticEdge) return;
    fStaticEdge = on;
    Invalidate();
}

TScrollBar::TLayout TScrollBar::Layout() const {
    const int edge = fStaticEdge ? 1 : 0;
    const int length = std::max(0, (fKind == sbHorizontal ? Width() : Height()) - 2 * edge);
    const int across = std::max(0, (fKind == sbHorizontal ? Height() : Width()) - 2 * edge);
    TLayout layout{edge, length, std::min(across, length / 2), 0, 0};
    const int track = length - 2 * layout.Arrow;
    const int maxPos = MaxPosition();
    if (!Enabled() || maxPos <= fMin) return layout;
    int thumb = layout.Arrow;
    if (fPageSize > 0)
        thumb = std::max(MinThumb, Round(double(track) * fPageSize / (double(fMax) - fMin + 1)));
    if (track < thumb || track < MinThumb) return layout;
    layout.ThumbLen = thumb;
    layout.ThumbPos =
        edge + layout.Arrow + Round(double(track - thumb) * (fPosition - fMin) / (double(maxPos) - fMin));
    return layout;
}

int TScrollBar::PositionAtThumb(int thumbPos) const {
    const TLayout layout = Layout();
    const int pixels = layout.Length - 2 * layout.Arrow - layout.ThumbLen;
    if (pixels <= 0) return fMin;
    const int offset = std::clamp(thumbPos - layout.Start - layout.Arrow, 0, pixels);
    return fMin + Round(double(offset) * (double(MaxPosition()) - fMin) / pixels);
}

TRect TScrollBar::Span(int from, int to) const {
    const int edge = fStaticEdge ? 1 : 0;
    if (to <= from) return {};
    return fKind == sbHorizontal ? TRect(from, edge, to, Height() - edge)
                                 : TRect(edge, from, Width() - edge, to);
}

TRect TScrollBar::PartRect(TPart part) const {
    const TLayout l = Layout();
    const int trackEnd = l.Start + l.Length - l.Arrow;
    switch (part) {
    case spArrowBack:
        return Span(l.Start, l.Start + l.Arrow);
    case spArrowForward:
        return Span(trackEnd, l.Start + l.Length);
    case spPageBack:
        return l.ThumbLen ? Span(l.Start + l.Arrow, l.ThumbPos) : TRect{};
    case spThumb:
        return l.ThumbLen ? Span(l.ThumbPos, l.ThumbPos + l.ThumbLen) : TRect{};
    case spPageForward:
        return l.ThumbLen ? Span(l.ThumbPos + l.ThumbLen, trackEnd) : TRect{};
    default:
        return {};
    }
}

TScrollBar::TPart TScrollBar::PartAt(TPoint p) const {
    for (TPart part : {spArrowBack, spPageBack, spThumb, spPageForward, spArrowForward})
        if (PartRect(part).Contains(p)) return part;
    return spNone;
}

void TScrollBar::Paint() {
    TCanvas& canvas = Canvas();
    TRect all = ClientRect();
    if (fStaticEdge) qoWidgetPaint::Frame3D(canvas, all, clBtnShadow, clBtnHighlight, 1);
    const bool horizontal = fKind == sbHorizontal;
    const auto pushed = [&](TPart part) { return fPressed == part && fPressedShows; };
    using namespace qoWidgetPaint;
    ArrowButton(canvas, PartRect(spArrowBack), horizontal ? arLeft : arUp, pushed(spArrowBack), Enabled());
    ArrowButton(canvas, PartRect(spArrowForward), horizontal ? arRight : arDown, pushed(spArrowForward),
                Enabled());
    const TLayout l = Layout();
    if (!l.ThumbLen) {
        ScrollTrack(canvas, Span(l.Start + l.Arrow, l.Start + l.Length - l.Arrow), false);
        return;
    }
    ScrollTrack(canvas, PartRect(spPageBack), pushed(spPageBack));
    ScrollTrack(canvas, PartRect(spPageForward), pushed(spPageForward));
    const TRect thumb = PartRect(spThumb);
    Button(canvas, thumb, false);
    const TRect focus = thumb.Inflate(-3, -3);
    if (Focused() && focus.Width() > 2 && focus.Height() > 2) FocusRect(canvas, focus);
}

bool TScrollBar::Scroll(TScrollCode code, int position) {
    position = std::clamp(position, fMin, MaxPosition());
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnScroll.Fire(this, code, position);
    if (!alive) return false;
    if (code != scEndScroll) SetPosition(position);
    return bool(alive);
}

bool TScrollBar::StepFor(TPart part) {
    switch (part) {
    case spArrowBack:
        return Scroll(scLineUp, fPosition - fSmallChange);
    case spArrowForward:
        return Scroll(scLineDown, fPosition + fSmallChange);
    case spPageBack:
        return Scroll(scPageUp, fPosition - fLargeChange);
    case spPageForward:
        return Scroll(scPageDown, fPosition + fLargeChange);
    default:
        return true;
    }
}

void TScrollBar::EndPress() {
    fRepeat.Stop();
    if (fPressed == spNone) return;
    fPressed = spNone;
    Invalidate();
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    if (TabStop && CanFocus() && !Focused()) SetFocus();
    fMouse = {x, y};
    const TPart part = PartAt(fMouse);
    if (part == spNone) return;
    fPressed = part;
    fPressedShows = true;
    Invalidate();
    if (part == spThumb) {
        fThumbGrab = Along(fMouse) - Layout().ThumbPos;
        fTrackPosition = fPosition;
        return;
    }
    if (StepFor(part)) fRepeat.Start();
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseMove(shift, x, y);
    if (!alive) return;
    fMouse = {x, y};
    if (fPressed == spThumb) {
        const int position = PositionAtThumb(Along(fMouse) - fThumbGrab);
        if (position == fTrackPosition) return;
        fTrackPosition = position;
        Scroll(scTrack, position);
    } else if (fPressed != spNone) {
        const bool shows = PartAt(fMouse) == fPressed;
        if (shows != fPressedShows) Invalidate();
        fPressedShows = shows;
    }
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TPart part = fPressed;
    if (button == mbLeft && part != spNone) {
        EndPress();
        if (part == spThumb && !Scroll(scPosition, fTrackPosition)) return;
        if (!Scroll(scEndScroll, fPosition)) return;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TScrollBar::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (!alive) return;
    const bool horizontal = fKind == sbHorizontal;
    const bool back = key == (horizontal ? VK_LEFT : VK_UP);
    const bool forward = key == (horizontal ? VK_RIGHT : VK_DOWN);
    bool scrolled = false;
    if (back || forward)
        scrolled = StepFor(back ? spArrowBack : spArrowForward);
    else if (key == VK_PRIOR)
        scrolled = Scroll(scPageUp, fPosition - fLargeChange);
    else if (key == VK_NEXT)
        scrolled = Scroll(scPageDown, fPosition + fLargeChange);
    else if (key == VK_HOME)
        scrolled = Scroll(scTop, fMin);
    else if (key == VK_END)
        scrolled = Scroll(scBottom, MaxPosition());
    if (scrolled) Scroll(scEndScroll, fPosition);
}

void TScrollBar::WndProc(TMessage& message) {
    if (fRepeat.Tick(message)) {
        // A page step repeats only while the mouse stays on that side of the thumb.
        if (fPressed != spThumb && PartAt(fMouse) == fPressed) StepFor(fPressed);
        return;
    }
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_CAPTURECHANGED:
        EndPress();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    }
    TCustomControl::WndProc(message);
}

void TScrollBar::EnabledChanged() {
    EndPress();
    TCustomControl::EnabledChanged();
    Invalidate();
}

} // namespace qo
