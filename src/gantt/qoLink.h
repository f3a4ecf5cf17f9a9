#pragma once
// A dependency link: an arrow from one time item to another. It refers to its
// items by reference only; the chart drops a link when either item goes.
#include "gantt/qoTimeItem.h"

namespace qo {

enum TLinkStyle : int32_t { tlsDefault = 0, tlsMSProject = 1, tlsUserDraw = 2 };
enum TLinkStartFinishOption : int32_t { tlsfNormal = 0, tlsfSS = 1, tlsfSF = 2, tlsfFS = 3, tlsfFF = 4 };

class TqoDataEntity_Link : public TqoDataEntity {
public:
    TLinkStartFinishOption StartFinishOption() const { return fStartFinishOption; }
    void SetStartFinishOption(TLinkStartFinishOption value) { fStartFinishOption = value; }
    TqoDataEntity_GantTime* LinkOwner() const { return fLinkOwner; }
    void SetLinkOwner(TqoDataEntity_GantTime* item) { fLinkOwner = item; }
    TqoDataEntity_GantTime* LinkedTo() const { return fLinkedTo; }
    void SetLinkedTo(TqoDataEntity_GantTime* item) { fLinkedTo = item; }
    TLinkStyle LinkStyle() const { return fLinkStyle; }
    void SetLinkStyle(TLinkStyle value) { fLinkStyle = value; }
    TColor LinkColor() const { return fLinkColor; }
    void SetLinkColor(TColor value) { fLinkColor = value; }
    int32_t LinkPenWidth() const { return FLinkPenWidth; }
    void SetLinkPenWidth(int32_t value) { FLinkPenWidth = value; }

private:
    TLinkStartFinishOption fStartFinishOption = tlsfNormal;
    TqoDataEntity_GantTime* fLinkOwner = nullptr;
    TqoDataEntity_GantTime* fLinkedTo = nullptr;
    TLinkStyle fLinkStyle = tlsDefault;
    TColor fLinkColor = 0;
    int32_t FLinkPenWidth = 0;
};

} // namespace qo
