#pragma once
// The single-line edit: one row of text that scrolls sideways to show the
// caret, without scroll bars.
#include "platform/widgets/qoCustomEdit.h"

namespace qo {

class TEdit : public TqoCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TqoCustomEdit(owner) {
        SetScrollBars(ssNone);
        SetBounds(0, 0, 121, 21);
    }
};

} // namespace qo
