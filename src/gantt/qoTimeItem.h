#pragma once
// A time item: one bar of the Gantt chart, an interval of time in one layer of
// one row. Its fields are plain values that painting reads; setting them
// neither repaints nor notifies. A stop before the start is kept as it is.
// The item owns its texts and knows the links that touch it, so that its
// deletion reaches them directly.
#include "data/qoDataEntityPack.h"
#include "gantt/qoLinkArena.h"
#include "gantt/qoTimeItemText.h"
#include "platform/core/qoColor.h"
#include "platform/core/qoDateTime.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

namespace qo {

class TGantRow;
class TqoDataEntity_Link;

enum TGantTimeStyle : int32_t {
    gtsSquare = 0,
    gtsSpan = 1,
    gtsUser = 2,
    gtsLine = 3,
    gtsLineWEnd = 4,
    gtsWave = 5,
    gtsRomb = 6,
    gtsImage = 7,
    gtsPipe = 8,
};

class TqoDataEntity_GantTime : public TqoDataEntity {
public:
    TqoDataEntity_GantTime();
    ~TqoDataEntity_GantTime() override;

    TDateTime Start() const { return fStartDateTime; }
    void SetStart(TDateTime value) { fStartDateTime = value; }
    TDateTime Stop() const { return fStopDateTime; }
    void SetStop(TDateTime value) { fStopDateTime = value; }
    TGantTimeStyle Style() const { return TGantTimeStyle(KindByte() & kStyleBits); }
    void SetStyle(TGantTimeStyle value) {
        assert(value >= gtsSquare && value <= gtsPipe && "a style of the enumeration");
        SetKindByte(uint8_t((KindByte() & ~kStyleBits) | (value & kStyleBits)));
    }
    TColor Color() const { return fColor; }
    void SetColor(TColor value) { fColor = value; }
    int32_t TopInset() const { return fExtras ? fExtras->TopInset : 0; }
    void SetTopInset(int32_t value) {
        if (value != TopInset()) Extras().TopInset = value;
    }
    int32_t BottomInset() const { return fExtras ? fExtras->BottomInset : 0; }
    void SetBottomInset(int32_t value) {
        if (value != BottomInset()) Extras().BottomInset = value;
    }
    int32_t FixedSize() const { return fExtras ? fExtras->FixedSize : 0; }
    void SetFixedSize(int32_t value) {
        if (value != FixedSize()) Extras().FixedSize = value;
    }
    int32_t ImageIndex() const { return fExtras ? fExtras->ImageIndex : 0; }
    void SetImageIndex(int32_t value) {
        if (value != ImageIndex()) Extras().ImageIndex = value;
    }
    // The sub-column given by collision detection; 0 for none.
    int32_t SubCol() const { return fSubCol; }
    void SetSubCol(int32_t value) { fSubCol = value; }

    // A fixed-size item is as wide as its size whatever its stop.
    bool IsResizable() const { return FixedSize() <= 0; }
    // The row of the layer the item is in; nil outside a row's layer.
    TGantRow* Row() const;

    // Nil until the chart gives the item its texts.
    // Nil for an item that was not given texts. Texts given are made on the
    // first ask, with the style handler of the item's chart then.
    TqoTimeItemTextCollection* TextCollection();
    // Nil while no texts were made: painting asks without making any.
    TqoTimeItemTextCollection* MadeTextCollection() const { return Has(kTextsMade) ? &fExtras->Texts : nullptr; }
    // The chart gives every item it makes texts, most of which stay empty.
    void GiveTexts() { Mark(kTextsGiven); }

    // The heads of the chains of links that start here and that end here.
    TqoDataEntity_Link* FirstOwnedLink() const;
    TqoDataEntity_Link* FirstTargetLink() const;
    bool HasLinks() const { return fFirstOwnedLink != kNoLink || fFirstTargetLink != kNoLink; }
    // Every link that touches the item, once each (a link to itself too).
    std::vector<TqoDataEntity_Link*> Links() const;

protected:
    // The links that touch the item lose that end: none keeps a dangling item.
    void CleanForFree() override;

private:
    friend class TqoDataEntity_Link;
    void ForgetLinks();

    // First, beside the entity's list: a neighbour's deletion that unchains a
    // link reads both, so they share a cache line.
    TLinkNumber fFirstOwnedLink = kNoLink;
    TLinkNumber fFirstTargetLink = kNoLink;
    TDateTime fStartDateTime = 0;
    TDateTime fStopDateTime = 0;
    TColor fColor = 0;
    int32_t fSubCol = 0;
    // The style and two marks share the entity's kind byte: texts given, and
    // made (they live in the extras).
    static constexpr uint8_t kStyleBits = 0x0F;
    static constexpr uint8_t kTextsGiven = 0x10;
    static constexpr uint8_t kTextsMade = 0x20;
    static_assert(gtsPipe <= kStyleBits, "every style fits its bits");
    bool Has(uint8_t mark) const { return KindByte() & mark; }
    void Mark(uint8_t mark) { SetKindByte(KindByte() | mark); }
    // What most items leave as it is, and the texts once made: a chart holds
    // items by the hundred thousand. Nil means defaults and no texts; made on
    // first use, it stays.
    struct TExtras {
        TqoTimeItemTextCollection Texts;
        int32_t TopInset = 0;
        int32_t BottomInset = 0;
        int32_t FixedSize = 0;
        int32_t ImageIndex = 0;
    };
    TExtras& Extras();
    std::unique_ptr<TExtras> fExtras;
};

} // namespace qo
