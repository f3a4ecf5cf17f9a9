#pragma once
// The grid that heads the chart's rows in grid mode, as the chart sees it. The
// grid component stays behind this so that the chart builds and runs without
// it: a component whose CreateGrid makes none keeps to the tree.
#include "platform/core/qoGeometry.h"

#include <functional>

namespace qo {

class TWinControl;

class IGantGridHeader {
public:
    virtual ~IGantGridHeader() = default;
    // The windowed grid; it is freed with this.
    virtual TWinControl& Control() = 0;
    // The height of the header row, 0 when the grid shows none.
    virtual int HeaderHeight() = 0;
    // Brings the grid's drawn layout up to date before the chart reads it.
    virtual void RedrawIfNeeded() = 0;
    // The rows on screen, top to bottom: the rectangle of each one's first
    // visible cell as last drawn, in the grid's client coordinates, and its node.
    virtual void ForEachVisibleRow(const std::function<void(const TRect& cell, void* node)>& visit) = 0;
    virtual void SetMultiSelect(bool on) = 0;
    // The height of the node's row; a grid whose rows share one height ignores it.
    virtual void SetRowHeight(void* /*node*/, int /*height*/) {}
};

} // namespace qo
