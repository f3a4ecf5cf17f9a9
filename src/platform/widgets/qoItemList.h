#pragma once
// A list of text items on the scrollable base, one row each, that paints and
// measures only the rows that show, whatever the number of items. It marks
// one item as selected, follows the mouse while it is pressed or hovering,
// and reports the item a click ends on. The items belong to its owner.
#include "platform/widgets/qoScrollingControl.h"

#include <string>
#include <vector>

namespace qo {

using TItemEvent = TqoEvent<void(TComponent* sender, int index)>;

class TqoItemList : public TqoScrollingControl {
public:
    TqoItemList(TComponent* owner, const std::vector<std::string>& items);

    int ItemHeight() const;
    // -1: none. Clamped into the items; scrolled into view.
    int Selected() const { return fSelected; }
    void SetSelected(int index);
    // The items changed: measured again.
    void ItemsChanged();
    // The item at a client point; -1 below the last.
    int ItemAt(TPoint p) const;

    TItemEvent OnItemClick;

protected:
    void Paint() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    TqoScrollExtent ScrollExtent(TScrollBarKind axis, const TRect& visible) const override;

private:
    TqoAlive fAlive;
    const std::vector<std::string>& fItems;
    int fSelected = -1;
};

} // namespace qo
