// Alignment of children: top, bottom, left, right, client, in that order; the
// controls of one alignment keep their order by position.
#include "platform/window/qoWinControl.h"

#include <algorithm>

namespace qo {

void TWinControl::EnableAlign() {
    if (fAlignLevel == 0) return;
    if (--fAlignLevel == 0 && fAlignNeeded) Realign();
}

void TWinControl::Realign() { AlignChild(nullptr); }

void TWinControl::AlignChild(TControl* changed) {
    if (IsDestroying()) return;
    if (fAlignLevel != 0) {
        fAlignNeeded = true;
        return;
    }
    // Children moved by the alignment ask for it again; those requests are dropped.
    DisableAlign();
    TRect rect = ClientRect();
    AlignControls(changed, rect);
    fAlignNeeded = false;
    EnableAlign();
}

void TWinControl::AlignControls(TControl* changed, TRect& rect) {
    AdjustClientRect(rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) DoAlign(align, changed, rect);
}

namespace {

// Whether a goes before b among the controls of one alignment.
bool Precedes(const TControl* a, const TControl* b, TAlign align) {
    switch (align) {
    case alTop: return a->Top() < b->Top();
    case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
    case alLeft: return a->Left() < b->Left();
    case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
    default: return false;
    }
}

TRect AlignedBounds(const TControl* c, TAlign align, TRect& rect) {
    const int width = std::max(0, rect.Width());
    const int height = std::max(0, rect.Height());
    switch (align) {
    case alTop: rect.Top += c->Height(); return TRect::Bounds(rect.Left, rect.Top - c->Height(), width, c->Height());
    case alBottom: rect.Bottom -= c->Height(); return TRect::Bounds(rect.Left, rect.Bottom, width, c->Height());
    case alLeft: rect.Left += c->Width(); return TRect::Bounds(rect.Left - c->Width(), rect.Top, c->Width(), height);
    case alRight: rect.Right -= c->Width(); return TRect::Bounds(rect.Right, rect.Top, c->Width(), height);
    default: return TRect::Bounds(rect.Left, rect.Top, width, height);
    }
}

} // namespace

void TWinControl::DoAlign(TAlign align, TControl* changed, TRect& rect) {
    // The control that asked for the alignment goes first among equals, so
    // that the one just moved or resized keeps the place it was given.
    std::vector<TControl*> list;
    if (changed && changed->Align() == align && changed->Visible() && changed->Parent() == this)
        list.push_back(changed);
    for (TControl* c : fControls) {
        if (c == changed || c->Align() != align || !c->Visible()) continue;
        auto at = std::find_if(list.begin(), list.end(), [&](TControl* other) { return Precedes(c, other, align); });
        list.insert(at, c);
    }
    for (TControl* c : list) {
        const TRect bounds = AlignedBounds(c, align, rect);
        c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
}

} // namespace qo
