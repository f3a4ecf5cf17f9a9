#pragma once
// The panel: a container with an outer and an inner bevel, a border and a caption.
#include "platform/window/qoCustomControl.h"

namespace qo {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelInner() const { return fBevelInner; }
    TBevelCut BevelOuter() const { return fBevelOuter; }
    int BevelWidth() const { return fBevelWidth; }
    int BorderWidth() const { return fBorderWidth; }
    TAlignment Alignment() const { return fAlignment; }
    void SetBevelInner(TBevelCut bevel);
    void SetBevelOuter(TBevelCut bevel);
    void SetBevelWidth(int width);
    void SetBorderWidth(int width);
    void SetAlignment(TAlignment alignment);

    // The client area less the border and the bevels.
    void AdjustClientRect(TRect& rect) const override;

protected:
    void Paint() override;

private:
    // The frame decides the client area: a change realigns and repaints.
    template <class T> void SetFrame(T& field, T value) {
        if (field == value) return;
        field = value;
        Realign();
        Invalidate();
    }

    TBevelCut fBevelInner = bvNone;
    TBevelCut fBevelOuter = bvRaised;
    int fBevelWidth = 1;
    int fBorderWidth = 0;
    TAlignment fAlignment = taCenter;
};

} // namespace qo
