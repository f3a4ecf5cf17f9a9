// The chart area's events as the component hands them on to its host, and
// the print scaling of fonts that every part asks the component for.
#include "gantt/qoGant.h"

namespace qo {

void TqoGant_ComBasic::WireChartArea() {
    fGA->OnPaint = TNotifyEvent::Bind(this, &TqoGant_ComBasic::GantAreaPaint);
    fGA->OnWheelScroll = TWheelMessageEvent::Bind(this, &TqoGant_ComBasic::GantAreaWheelScroll);
    fGA->OnDblClick = TNotifyEvent::Bind(this, &TqoGant_ComBasic::GADblClick);
    fGA->OnStartDrag = TStartDragEvent::Bind(this, &TqoGant_ComBasic::GantAreaStartDrag);
    fGA->OnDragDrop = TDragDropEvent::Bind(this, &TqoGant_ComBasic::GantAreaDragDrop);
    fGA->OnDragOver = TDragOverEvent::Bind(this, &TqoGant_ComBasic::GantAreaDragOver);
    fGA->OnEndDrag = TEndDragEvent::Bind(this, &TqoGant_ComBasic::GantAreaEndDrag);
}

void TqoGant_ComBasic::GADblClick(TComponent* sender) { OnDblClickGantArea.Fire(sender, fMouseDownDataEntity); }

void TqoGant_ComBasic::GantAreaStartDrag(TComponent* sender) { OnGantAreaStartDrag.Fire(sender); }

void TqoGant_ComBasic::GantAreaDragDrop(TComponent* sender, TComponent* source, int x, int y) {
    TWinControl* form = TopLevel();
    if (form != this && form->CanFocus()) form->SetFocus();
    OnGantAreaDragDrop.Fire(sender, source, x, y);
}

void TqoGant_ComBasic::GantAreaDragOver(TComponent* sender, TComponent* source, int x, int y, TDragState state,
                                        bool& accept) {
    accept = false;
    OnGantAreaDragOver.Fire(sender, source, x, y, state, accept);
}

// The wheel over the chart moves the current row, as over the tree, or
// scrolls the grid as over the grid.
void TqoGant_ComBasic::GantAreaWheelScroll(TMessage& message) {
    if (fUseGridNotTree)
        fGrid->WheelScroll(message);
    else
        fTree->Scroll(-WheelDelta(message.WParam));
}

void TqoGant_ComBasic::_OnPrintResizeFont(TComponent* sender, int& fontSize, bool& doDefault) {
    OnPrintResizeFont.Fire(sender, fontSize, doDefault);
}

void TqoGant_ComBasic::MakeSureAllVisibleInTree() {
    const TScrollBar* bar = fTree->ScrollBar(sbHorizontal);
    if (bar && bar->Max() > 0) SetTreeWidth(bar->Max());
}

} // namespace qo
