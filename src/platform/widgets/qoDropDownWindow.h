#pragma once
// The pop-up a box drops down below itself (the combo box's list, the date
// picker's calendar): framed, its content at (1, 1). Closing tells the box
// whether it takes the content's choice; a box on its way out closes it
// without a word.
#include "platform/widgets/qoPopupWindow.h"

namespace qo {

class TqoDropDownWindow : public TqoPopupWindow {
public:
    explicit TqoDropDownWindow(TWinControl& box);

    // Opens below the box with room for content of this size inside the frame.
    void DropBelow(TSize content);
    // Closes; take: the box takes the content's choice.
    void CloseUp(bool take);
    // The box lost the focus: closes, quietly when the box or its window is going.
    void CloseOnFocusLoss();

    TqoEvent<void(TComponent* sender, bool take)> OnCloseUp;

protected:
    void Paint() override;

private:
    TWinControl& fBox;
    bool fTaking = false;
    bool fQuiet = false;
};

} // namespace qo
