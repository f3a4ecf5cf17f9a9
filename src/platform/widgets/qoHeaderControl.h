#pragma once
// The header control: a row of sections (text, width, minimum and maximum
// width) drawn as buttons. A user resizes a section by dragging the divider at
// its right edge (the horizontal-split cursor shows there), clicks a section,
// and with DragReorder drags one to another place. Notifications come in the
// classic order: track begin, track moves with a resize for each new width,
// track end; a drag asks OnSectionDrag (which may refuse), moves, then reports
// OnSectionEndDrag.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

#include <memory>
#include <vector>

namespace qo {

class THeaderControl;

class THeaderSection {
public:
    static constexpr int DefaultWidth = 50;

    const std::string& Text() const { return fText; }
    void SetText(const std::string& text);
    int Width() const { return fWidth; }
    // Clamped between MinWidth and MaxWidth.
    void SetWidth(int width);
    int MinWidth() const { return fMinWidth; }
    int MaxWidth() const { return fMaxWidth; }
    // Negative limits become 0; a minimum above the maximum raises EqoError.
    void SetMinWidth(int minWidth);
    void SetMaxWidth(int maxWidth);
    // The left edge in the header's client area.
    int Left() const;
    int Right() const { return Left() + fWidth; }
    int Index() const;

private:
    friend class THeaderControl;
    explicit THeaderSection(THeaderControl& header) : fHeader(header) {}

    THeaderControl& fHeader;
    std::string fText;
    int fWidth = DefaultWidth;
    int fMinWidth = 0;
    int fMaxWidth = 10000;
};

enum TSectionTrackState { tsTrackBegin, tsTrackMove, tsTrackEnd };

using TSectionNotifyEvent = TqoEvent<void(TComponent* sender, THeaderSection* section)>;
using TSectionTrackEvent =
    TqoEvent<void(TComponent* sender, THeaderSection* section, int width, TSectionTrackState state)>;
using TSectionDragEvent =
    TqoEvent<void(TComponent* sender, THeaderSection* fromSection, THeaderSection* toSection, bool& allowDrag)>;

class THeaderControl : public TCustomControl {
public:
    // Within this many pixels of a section's right edge the divider is grabbed.
    static constexpr int DividerReach = 4;
    // The distance a press moves before it becomes a drag.
    static constexpr int DragThreshold = 5;

    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    int SectionCount() const { return static_cast<int>(fSections.size()); }
    // An index outside the sections raises EListError.
    THeaderSection& Section(int index) const;
    THeaderSection& AddSection(const std::string& text, int width = THeaderSection::DefaultWidth);
    // index may be SectionCount (at the end).
    THeaderSection& InsertSection(int index, const std::string& text, int width = THeaderSection::DefaultWidth);
    void DeleteSection(int index);
    void ClearSections();
    void MoveSection(int from, int to);

    // The section at a client x, or -1.
    int SectionAt(int x) const;
    // The section whose divider lies at a client x, or -1.
    int DividerAt(int x) const;

    bool DragReorder = false;

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;
    TSectionTrackEvent OnSectionTrack;
    TSectionDragEvent OnSectionDrag;
    TNotifyEvent OnSectionEndDrag;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

private:
    enum TMode { mdNone, mdTrack, mdPress, mdDrag };
    friend class THeaderSection;
    void CheckIndex(int index) const;
    void Track(int x);
    // False when freed meanwhile.
    bool EndTrack();
    bool EndDrag(int x);
    // Where a dragged section would land for a client x.
    int DropIndex(int x) const;
    void PaintSection(TCanvas& canvas, const TRect& rect, const std::string& text, bool pushed);
    void Reset();

    TqoAlive fAlive;
    std::vector<std::unique_ptr<THeaderSection>> fSections;
    TMode fMode = mdNone;
    int fActive = -1;
    int fPressX = 0;
    int fStartWidth = 0;
    int fDragX = 0;
};

} // namespace qo
