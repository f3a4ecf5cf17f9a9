#include "platform/widgets/qoHeaderControl.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace qo {

namespace {
constexpr int TextMargin = 4;
constexpr uint32_t TextFlags = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
} // namespace

void THeaderSection::SetText(const std::string& text) {
    if (text == fText) return;
    fText = text;
    fHeader.Invalidate();
}

void THeaderSection::SetWidth(int width) {
    width = std::clamp(width, fMinWidth, fMaxWidth);
    if (width == fWidth) return;
    fWidth = width;
    fHeader.Invalidate();
}

void THeaderSection::SetMinWidth(int minWidth) {
    minWidth = std::max(minWidth, 0);
    if (minWidth > fMaxWidth) throw EqoError("A header section's minimum width cannot exceed its maximum width");
    fMinWidth = minWidth;
    SetWidth(fWidth);
}

void THeaderSection::SetMaxWidth(int maxWidth) {
    maxWidth = std::max(maxWidth, 0);
    if (maxWidth < fMinWidth) throw EqoError("A header section's maximum width cannot be below its minimum width");
    fMaxWidth = maxWidth;
    SetWidth(fWidth);
}

int THeaderSection::Index() const {
    for (int i = 0; i < fHeader.SectionCount(); ++i)
        if (&fHeader.Section(i) == this) return i;
    assert(false && "a section always belongs to its header");
    return -1;
}

int THeaderSection::Left() const {
    int left = 0;
    for (int i = 0; i < fHeader.SectionCount() && &fHeader.Section(i) != this; ++i) left += fHeader.Section(i).Width();
    return left;
}

THeaderControl::THeaderControl(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = (ControlStyle | csOpaque) & ~csDoubleClicks & ~csClickEvents;
    SetBounds(0, 0, 170, 17);
}

THeaderControl::~THeaderControl() { Destroying(); }

void THeaderControl::CheckIndex(int index) const {
    if (index < 0 || index >= SectionCount()) throw EListError(index);
}

THeaderSection& THeaderControl::Section(int index) const {
    CheckIndex(index);
    return *fSections[index];
}

THeaderSection& THeaderControl::AddSection(const std::string& text, int width) {
    return InsertSection(SectionCount(), text, width);
}

THeaderSection& THeaderControl::InsertSection(int index, const std::string& text, int width) {
    if (index < 0 || index > SectionCount()) throw EListError(index);
    Reset();
    std::unique_ptr<THeaderSection> section(new THeaderSection(*this));
    section->fText = text;
    section->SetWidth(width);
    THeaderSection& added = *section;
    fSections.insert(fSections.begin() + index, std::move(section));
    Invalidate();
    return added;
}

void THeaderControl::DeleteSection(int index) {
    CheckIndex(index);
    Reset();
    fSections.erase(fSections.begin() + index);
    Invalidate();
}

void THeaderControl::ClearSections() {
    Reset();
    fSections.clear();
    Invalidate();
}

void THeaderControl::MoveSection(int from, int to) {
    CheckIndex(from);
    CheckIndex(to);
    if (from == to) return;
    Reset();
    std::unique_ptr<THeaderSection> moved = std::move(fSections[from]);
    fSections.erase(fSections.begin() + from);
    fSections.insert(fSections.begin() + to, std::move(moved));
    Invalidate();
}

// A gesture in progress ends silently when the sections change under it.
void THeaderControl::Reset() {
    if (fMode == mdNone) return;
    fMode = mdNone;
    fActive = -1;
    Invalidate();
}

int THeaderControl::SectionAt(int x) const {
    int left = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const int right = left + fSections[i]->Width();
        if (x >= left && x < right) return i;
        left = right;
    }
    return -1;
}

// The last divider within reach wins, so that a section shrunk to nothing can
// still be pulled open again.
int THeaderControl::DividerAt(int x) const {
    int found = -1;
    int right = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        right += fSections[i]->Width();
        if (std::abs(x - right) <= DividerReach) found = i;
    }
    return found;
}

int THeaderControl::DropIndex(int x) const {
    if (SectionCount() == 0) return -1;
    const int at = SectionAt(x);
    if (at >= 0) return at;
    return x < 0 ? 0 : SectionCount() - 1;
}

void THeaderControl::PaintSection(TCanvas& canvas, const TRect& rect, const std::string& text, bool pushed) {
    TRect content = qoWidgetPaint::Button(canvas, rect, pushed);
    if (text.empty()) return;
    content = TRect(content.Left + TextMargin, content.Top, content.Right - TextMargin, content.Bottom);
    if (content.Width() <= 0) return;
    canvas.Brush().Style = TBrushStyle::bsClear;
    if (Enabled())
        canvas.DrawTextW(text, content, TextFlags);
    else
        qoWidgetPaint::DisabledText(canvas, text, content, TextFlags);
}

void THeaderControl::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    int left = 0;
    for (int i = 0; i < SectionCount() && left < Width(); ++i) {
        const THeaderSection& section = *fSections[i];
        const bool pushed = fMode == mdPress && fActive == i && SectionAt(fDragX) == i;
        if (section.Width() > 0) PaintSection(canvas, {left, 0, left + section.Width(), Height()}, section.Text(), pushed);
        left += section.Width();
    }
    if (left < Width()) PaintSection(canvas, {left, 0, Width(), Height()}, "", false);
    if (fMode != mdDrag) return;
    // The place the dragged section would take: a bar at the target's near edge.
    const int target = DropIndex(fDragX);
    const THeaderSection& to = *fSections[target];
    const int edge = target > fActive ? to.Right() - 2 : to.Left();
    qoWidgetPaint::Fill(canvas, {edge, 0, edge + 2, Height()}, clWindowText);
}

void THeaderControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft || fMode != mdNone) return;
    fPressX = fDragX = x;
    const int divider = DividerAt(x);
    if (divider >= 0) {
        fMode = mdTrack;
        fActive = divider;
        fStartWidth = fSections[divider]->Width();
        OnSectionTrack.Fire(this, fSections[divider].get(), fStartWidth, tsTrackBegin);
        return;
    }
    fActive = SectionAt(x);
    if (fActive < 0) return;
    fMode = mdPress;
    Invalidate();
}

void THeaderControl::Track(int x) {
    THeaderSection& section = *fSections[fActive];
    const int before = section.Width();
    section.SetWidth(fStartWidth + x - fPressX);
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnSectionTrack.Fire(this, &section, section.Width(), tsTrackMove);
    if (!alive || fMode != mdTrack || section.Width() == before) return;
    OnSectionResize.Fire(this, &section);
}

void THeaderControl::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseMove(shift, x, y);
    if (!alive) return;
    switch (fMode) {
    case mdNone:
        SetCursor(DividerAt(x) >= 0 ? crHSplit : crDefault);
        return;
    case mdTrack:
        Track(x);
        return;
    case mdPress:
        if (DragReorder && std::abs(x - fPressX) >= DragThreshold) fMode = mdDrag;
        [[fallthrough]];
    case mdDrag:
        fDragX = x;
        Invalidate();
        return;
    }
}

bool THeaderControl::EndTrack() {
    THeaderSection* section = fSections[fActive].get();
    Reset();
    const TqoAlive::TWatch alive = fAlive.Watch();
    OnSectionTrack.Fire(this, section, section->Width(), tsTrackEnd);
    return static_cast<bool>(alive);
}

bool THeaderControl::EndDrag(int x) {
    const int from = fActive;
    const int to = DropIndex(x);
    Reset();
    const TqoAlive::TWatch alive = fAlive.Watch();
    bool allow = true;
    THeaderSection* fromSection = fSections[from].get();
    OnSectionDrag.Fire(this, fromSection, fSections[to].get(), allow);
    if (!alive) return false;
    // The handler may have changed the sections: the dragged one is found again.
    if (allow) {
        const auto it = std::find_if(fSections.begin(), fSections.end(),
                                     [fromSection](const auto& s) { return s.get() == fromSection; });
        if (it != fSections.end()) MoveSection(static_cast<int>(it - fSections.begin()), std::min(to, SectionCount() - 1));
    }
    OnSectionEndDrag.Fire(this);
    return static_cast<bool>(alive);
}

void THeaderControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (button == mbLeft) {
        const TMode mode = fMode;
        const int active = fActive;
        if (mode == mdTrack && !EndTrack()) return;
        if (mode == mdDrag && !EndDrag(x)) return;
        if (mode == mdPress) {
            Reset();
            if (SectionAt(x) == active) OnSectionClick.Fire(this, fSections[active].get());
            if (!alive) return;
        }
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void THeaderControl::WndProc(TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED) {
        // A lost capture ends a resize as a release would, and drops a press or drag.
        const TqoAlive::TWatch alive = fAlive.Watch();
        if (fMode == mdTrack && !EndTrack()) return;
        if (!alive) return;
        Reset();
    }
    TCustomControl::WndProc(message);
}

} // namespace qo
