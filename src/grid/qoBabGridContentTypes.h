#pragma once
// The small vocabulary of the grid content model: cell kinds, drawing states,
// navigation directions, shared user sizes, the visible iterator and the
// drawing style of a cell.
#include "platform/core/qoColor.h"
#include "platform/core/qoEvents.h"
#include "platform/core/qoGeometry.h"

#include <cstdint>
#include <string>

namespace qo {

class TBabCell;

enum TBabCellType { babCellTypeSimple = 0, babCellTypeGrid = 1 };

// Drawing state of a cell: a set of these bits.
using TBabDrawState = uint32_t;
constexpr TBabDrawState babFixed = 1;
constexpr TBabDrawState babSelected = 2;
constexpr TBabDrawState babFocused = 4;

enum TBabDirection {
    babdirNone = 0,
    babdirLeft = 1,
    babdirRight = 2,
    babdirUp = 3,
    babdirDown = 4,
    babdirInwards = 5,
    babdirPageUp = 6,
    babdirPageDown = 7,
    babdirHomeRow = 8,
    babdirEndRow = 9,
    babdirHomeCell = 10,
    babdirEndCell = 11,
};

// A user size shared by several axis items (the same column in several grids).
class TUserSizeItem {
public:
    bool UserSizeActive() const { return fUserSizeActive; }
    void SetUserSizeActive(bool v) { fUserSizeActive = v; }
    int UserSize() const { return fUserSize; }
    void SetUserSize(int v) { fUserSize = v; }

private:
    bool fUserSizeActive = false;
    int fUserSize = 0;
};

// Visits 0 .. countFromZero-1, then countFromMiddle .. endCount-1: the fixed
// items of an axis, then the scrolled ones.
class TVisibleIterator {
public:
    TVisibleIterator(int countFromZero, int countFromMiddle, int endCount)
        : fCountFromZero(countFromZero), fCountFromMiddle(countFromMiddle), fEndCount(endCount) {
        Reset();
    }
    int Index() const { return fIndex; }
    void Reset() { fIndex = fCountFromZero > 0 ? 0 : fCountFromMiddle; }
    void Next() {
        ++fIndex;
        if (fIndex >= fCountFromZero && fIndex < fCountFromMiddle) fIndex = fCountFromMiddle;
    }
    // EOF of the classic iterator (the name is a macro of the C library).
    bool Eof() const { return fIndex >= fEndCount; }

private:
    int fCountFromZero;
    int fCountFromMiddle;
    int fEndCount;
    int fIndex = 0;
};

// Sides of a cell frame: a set of these bits.
using TFrameOptions = uint32_t;
constexpr TFrameOptions foLeft = 1;
constexpr TFrameOptions foRight = 2;
constexpr TFrameOptions foTop = 4;
constexpr TFrameOptions foBottom = 8;

enum TFrameKind { fkNormal = 0, fk3d = 1 };

class TLayoutProp;

// What a frame-line handler gets; it sets DefaultDraw to have the default line drawn.
struct TFrameLineDrawArgs {
    TLayoutProp* Layout = nullptr;
    int Side = 0; // 0 to 3
    TBabCell* Cell = nullptr;
    TRect Rect;
    TPoint StartPoint;
    TPoint EndPoint;
    bool DefaultDraw = false;
    void* Canvas = nullptr; // the view's drawing canvas
};

// The drawing style of a cell; every field is zero when made.
class TLayoutProp {
public:
    // Bits of FontStyle.
    static constexpr uint32_t StyleBold = 1;
    static constexpr uint32_t StyleItalic = 2;
    static constexpr uint32_t StyleUnderline = 4;
    static constexpr uint32_t StyleStrikeOut = 8;

    std::string Name;
    TColor BackColor = 0;
    TColor FrontColor = 0;
    bool UseFontInfo = false;
    TColor FontColor = 0;
    std::string FontName;
    int FontSize = 0;
    uint32_t FontStyle = 0;
    int MinWidth = 0;
    int MinHeight = 0;
    bool WrapTextAndFit = false;
    bool FlagDraw = false;
    uint32_t Flags = 0;
    TFrameOptions FrameOptions = 0;
    TFrameKind FrameKind = fkNormal;
    TColor FrameColor = 0;
    bool FrameOptionsUse = false;
    bool HorzAlignRight = false;
    bool HorzAlignCenter = false;
    bool VertAlignCenter = false;
    bool EndEllipsis = false;
    TqoEvent<void(TFrameLineDrawArgs&)> OnFrameLineDraw;
};

} // namespace qo
