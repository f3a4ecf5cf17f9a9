#pragma once
// A dependency link: an arrow from one time item (its owner, the predecessor)
// to another (the successor). Each item keeps the links that touch it in two
// intrusive chains, so that an item's links are found without looking at the
// chart's other links; a link whose item goes is left with that end nil and is
// never drawn. Links live in the link arena, whose 32-bit numbers make the
// chains.
#include "gantt/qoLinkArena.h"
#include "gantt/qoTimeItem.h"

#include <cassert>
#include <cstddef>

namespace qo {

// Path and arrow head of a link.
enum TLinkStyle : int32_t { tlsDefault = 0, tlsMSProject = 1, tlsUserDraw = 2 };
// Which ends of the two items the arrow joins: S for start, F for finish,
// owner first; Normal chooses by the items' horizontal middles.
enum TLinkStartFinishOption : int32_t { tlsfNormal = 0, tlsfSS = 1, tlsfSF = 2, tlsfFS = 3, tlsfFF = 4 };
// Which links the chart draws, by whether their ends show; Never draws none.
enum TLinkShow : int32_t { lsOneEndVisible = 0, lsBothEndsVisible = 1, lsAlways = 2, lsNever = 3 };

class TqoDataEntity_Link final : public TqoDataEntity {
public:
    TqoDataEntity_Link() = default;
    ~TqoDataEntity_Link() override;

    static void* operator new(std::size_t size) {
        assert(size == sizeof(TqoDataEntity_Link) && "links alone live in the link arena");
        (void)size;
        return LinkArena::Take();
    }
    static void operator delete(void* slot) noexcept { LinkArena::Give(slot); }

    // Each setter of the link's looks repaints the chart of the owner's row
    // (whose link index, keeping the widest pen, goes too).
    TLinkStartFinishOption StartFinishOption() const { return fStartFinishOption; }
    void SetStartFinishOption(TLinkStartFinishOption value) { SetLook(fStartFinishOption, value); }
    TqoDataEntity_GantTime* LinkOwner() const { return fLinkOwner; }
    // Changing an end repaints the charts of the old and the new item's rows.
    void SetLinkOwner(TqoDataEntity_GantTime* item);
    TqoDataEntity_GantTime* LinkedTo() const { return fLinkedTo; }
    void SetLinkedTo(TqoDataEntity_GantTime* item);
    TLinkStyle LinkStyle() const { return fLinkStyle; }
    void SetLinkStyle(TLinkStyle value) { SetLook(fLinkStyle, value); }
    TColor LinkColor() const { return fLinkColor; }
    void SetLinkColor(TColor value) { SetLook(fLinkColor, value); }
    int32_t LinkPenWidth() const { return FLinkPenWidth; }
    void SetLinkPenWidth(int32_t value) { SetLook(FLinkPenWidth, value); }
    // Drawn only with both ends set.
    bool HasBothEnds() const { return fLinkOwner && fLinkedTo; }

    // The next link in the chain of the item at this link's owner end, or at
    // its target end.
    TqoDataEntity_Link* NextOfOwner() const { return LinkArena::LinkOf(fOwnerChain.Next); }
    TqoDataEntity_Link* NextOfTarget() const { return LinkArena::LinkOf(fTargetChain.Next); }

protected:
    void CleanForFree() override;

private:
    // A place in the chain of one item's links; the first link has no Prev,
    // the item's head names it.
    struct TChain {
        TLinkNumber Next = kNoLink;
        TLinkNumber Prev = kNoLink;
    };
    void Detach();
    template <class T> void SetLook(T& field, T value) {
        field = value;
        RepaintOwnersChart();
    }
    void RepaintOwnersChart() const;
    void Rechain(TqoDataEntity_GantTime*& end, TqoDataEntity_GantTime* item, TChain TqoDataEntity_Link::*chain,
                 TLinkNumber TqoDataEntity_GantTime::*head);

    TqoDataEntity_GantTime* fLinkOwner = nullptr;
    TqoDataEntity_GantTime* fLinkedTo = nullptr;
    TChain fOwnerChain;
    TChain fTargetChain;
    TLinkStartFinishOption fStartFinishOption = tlsfNormal;
    TLinkStyle fLinkStyle = tlsDefault;
    TColor fLinkColor = 0;
    int32_t FLinkPenWidth = 0;
};

} // namespace qo
