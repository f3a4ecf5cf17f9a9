#pragma once
// The scroll bar with the classic rules: a range from Min to Max of which
// PageSize shows, a Position that the range and the page clamp, the scroll
// codes in their order (a line or page step, thumb tracking, then the thumb's
// final position, then the end of the scroll), arrows and page steps that
// repeat while held, and a thumb sized in proportion to the page.
#include "platform/widgets/qoAutoRepeat.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

namespace qo {

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// The handler may change the position; it is clamped again before it is taken.
using TScrollEvent = TqoEvent<void(TComponent* sender, TScrollCode code, int& position)>;

class TScrollBar : public TCustomControl {
public:
    // The classic thickness of a bar, the minimum length of its thumb and the
    // repeat delays of a held arrow or page (milliseconds).
    static constexpr int DefaultThickness = 16;
    static constexpr int MinThumb = 8;
    static constexpr int FirstRepeatDelay = 400;
    static constexpr int RepeatDelay = 50;

    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return fKind; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return fMin; }
    int Max() const { return fMax; }
    int PageSize() const { return fPageSize; }
    int Position() const { return fPosition; }
    int SmallChange() const { return fSmallChange; }
    int LargeChange() const { return fLargeChange; }
    // Min above Max raises EqoError; a page beyond the range and a position
    // beyond what the page allows are clamped. The getters report what is held.
    void SetParams(int position, int min, int max);
    void SetMin(int min) { SetParams(fPosition, min, fMax); }
    void SetMax(int max) { SetParams(fPosition, fMin, max); }
    void SetPageSize(int pageSize);
    void SetPosition(int position) { SetParams(position, fMin, fMax); }
    // Steps below 1 become 1.
    void SetSmallChange(int change);
    void SetLargeChange(int change);
    // The highest position the page allows.
    int MaxPosition() const;
    // A one-pixel sunken frame around the bar.
    bool StaticEdge() const { return fStaticEdge; }
    void SetStaticEdge(bool on);

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

    // The parts of the bar, in client coordinates (for hit tests and tests).
    enum TPart { spNone, spArrowBack, spPageBack, spThumb, spPageForward, spArrowForward };
    TPart PartAt(TPoint p) const;
    TRect PartRect(TPart part) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override;

private:
    struct TLayout {
        int Start, Length;      // the bar along its axis, inside the edge
        int Arrow;              // length of each arrow button
        int ThumbPos, ThumbLen; // ThumbLen 0: no thumb
    };
    TLayout Layout() const;
    // A span along the axis as a rectangle across the bar.
    TRect Span(int from, int to) const;
    int Along(TPoint p) const { return fKind == sbHorizontal ? p.X : p.Y; }
    int PositionAtThumb(int thumbPos) const;
    // Fires OnScroll and takes the (clamped) answer; false when freed meanwhile.
    bool Scroll(TScrollCode code, int position);
    bool StepFor(TPart part);
    void EndPress();

    TqoAlive fAlive;
    TqoAutoRepeat fRepeat{Handle(), FirstRepeatDelay, RepeatDelay};
    TScrollBarKind fKind = sbHorizontal;
    int fMin = 0, fMax = 100, fPageSize = 0, fPosition = 0;
    int fSmallChange = 1, fLargeChange = 1;
    bool fStaticEdge = false;
    TPart fPressed = spNone;
    bool fPressedShows = false; // the pressed part is under the mouse
    int fThumbGrab = 0;         // mouse offset into the thumb while tracking
    int fTrackPosition = 0;
    TPoint fMouse;
};

} // namespace qo
