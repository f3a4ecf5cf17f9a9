// Dependency links on the chart area: which links show, where their ends
// are, and the two paths with their arrow heads.
#include "gantt/qoGant.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/graphics/qoDeviceContext.h"

#include <algorithm>
#include <array>

namespace qo {

namespace {

constexpr TRect kNoRect{-1, -1, -1, -1};
// How far a missing end is put beside the one that shows.
constexpr int kMissingEndGap = 10;
// How far a path and its head reach beyond its ends' rectangles (fold and
// head sizes with room to spare), in screen pixels.
constexpr int kPathReach = 12;
// How far beyond its rows a link's pen may at least reach on screen; a wider
// pen counts once the index has seen it.
constexpr int kIndexPenReach = 64;

TPoint Middle(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

bool InsideInclusive(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

} // namespace

bool TqoGant_ComBasic::LinePassesThroughWindow(TqoDataEntity_GantTime* owner, TqoDataEntity_GantTime* target) {
    const TDateTime start = Start(), stop = Stop();
    const bool bothBefore = owner->Stop() < start && target->Start() < start;
    const bool bothAfter = owner->Stop() > stop && target->Start() > stop;
    return !bothBefore && !bothAfter;
}

// On screen only the links the index finds near the visible rows and window
// are looked at; on paper every link is. Host code run for a link may change
// the list: the links found are held, and one no longer in the list is skipped.
void TqoGant_ComBasic::RenderLinks() {
    if (!fLinksDataList || fLinkShow == lsNever) return;
    TCanvas& c = fGA->OffscreenCanvas();
    const TqoAlive::TWatch alive = fAlive.Watch();
    IGantRowSource* rows = RowSource();
    if (fGA->IsPrinting() || !rows) {
        for (int32_t i = 0; alive && fLinksDataList && i < fLinksDataList->Count(); ++i)
            if (auto* link = dynamic_cast<TqoDataEntity_Link*>(fLinksDataList->Items(i))) RenderLink(link, c);
        return;
    }
    std::vector<TqoDataEntity_Link*> links;
    const int top = RowDrawOffset(), bottom = top + fGA->Height();
    const auto collect = [&](int margin) {
        links.clear();
        fLinkIndex.Collect(*fLinksDataList, *rows, top - margin, bottom + margin, Start(), Stop(), links);
    };
    collect(kPathReach + kIndexPenReach);
    if (fLinkIndex.WidestPen() > kIndexPenReach) collect(kPathReach + fLinkIndex.WidestPen());
    TqoKeepAlive<TqoDataEntity_Link> keep(links);
    TqoDataList* list = fLinksDataList;
    for (TqoDataEntity_Link* link : links)
        if (alive && fLinksDataList == list && link->OwningDataList() == list) RenderLink(link, c);
}

bool TqoGant_ComBasic::LinkEnds(TqoDataEntity_Link* link, TRect& s, TRect& e) {
    TqoDataEntity_GantTime* owner = link->LinkOwner();
    TqoDataEntity_GantTime* target = link->LinkedTo();
    if (!owner || !target) return false;
    TGantRow* ownerRow = owner->Row();
    TGantRow* targetRow = target->Row();
    if (!ownerRow || !targetRow || !ownerRow->GetVisible() || !targetRow->GetVisible()) return false;
    if (!LinePassesThroughWindow(owner, target)) return false;
    const auto inWindow = [this](TqoDataEntity_GantTime* item) {
        return item->Start() <= Stop() && item->Stop() >= Start();
    };
    s = RectFromDataEntity(owner);
    e = RectFromDataEntity(target);
    const bool sExists = s.Top > -1 && inWindow(owner), eExists = e.Top > -1 && inWindow(target);
    // A missing end is drawn beside the end that shows.
    if (s.Top == -1) s = e.Offset(e.Width() + kMissingEndGap, 0);
    if (e.Top == -1) e = s.Offset(-(s.Width() + kMissingEndGap), 0);
    switch (fLinkShow) {
    case lsOneEndVisible: return sExists || eExists;
    case lsBothEndsVisible: return sExists && eExists;
    case lsAlways: return s.Top != -1 || e.Top != -1;
    case lsNever: return false;
    }
    return false;
}

void TqoGant_ComBasic::RenderLink(TqoDataEntity_Link* link, TCanvas& canvas) {
    TRect s = kNoRect, e = kNoRect;
    if (!LinkEnds(link, s, e)) return;
    // A link whose path cannot reach the canvas costs no more.
    const int reach = Round(kPathReach * std::max(fGA->Scalex(), fGA->Scaley())) + std::max(link->LinkPenWidth(), 1);
    const TRect box = TRect(std::min(s.Left, e.Left), std::min(s.Top, e.Top), std::max(s.Right, e.Right),
                            std::max(s.Bottom, e.Bottom))
                          .Inflate(reach, reach);
    if (const TqoDC* dc = canvas.Handle(); dc && IntersectRect(box, dc->GetClipBox()).IsEmpty()) return;
    TPoint p = Middle(s), q = Middle(e);
    const bool sameRow = link->LinkOwner()->Row() == link->LinkedTo()->Row();
    const TLinkStyle style = sameRow ? tlsDefault : link->LinkStyle();
    if (style == tlsMSProject) q.Y = s.Top < e.Top ? e.Top : e.Bottom;
    // Which sides the ends join, and how far a head on the top or bottom stands in.
    bool fromRight = false, toRight = false;
    int offset = 0;
    switch (link->StartFinishOption()) {
    case tlsfNormal: fromRight = p.X < q.X, toRight = !fromRight, offset = fromRight ? 3 : -3; break;
    case tlsfSS: q.Y = Middle(e).Y; break;
    case tlsfSF: toRight = true, offset = -3; break;
    case tlsfFS: fromRight = true, offset = 3; break;
    case tlsfFF: fromRight = toRight = true, offset = -3; break;
    }
    p.X = fromRight ? s.Right : s.Left;
    q.X = toRight ? e.Right : e.Left;
    if (style == tlsMSProject) q.X += offset;
    if (link->LinkStyle() != tlsUserDraw) {
        DrawLink(p, q, canvas, style, link->LinkColor(), link->LinkPenWidth(), link);
        return;
    }
    // A host handler that raises loses only its own link.
    TqoKeepAlive<TqoExposable> keep({link});
    TqoDCSaver saver(canvas);
    try {
        OnUserDrawLinks.Fire(this, link, canvas, p, q);
    } catch (...) {
    }
}

void TqoGant_ComBasic::DrawLink(TPoint start, TPoint stop, TCanvas& canvas, TLinkStyle style, TColor color,
                                int penWidth, TqoDataEntity_Link* link) {
    TqoDCSaver saver(canvas);
    canvas.Pen().Color = color;
    canvas.Pen().Width = penWidth;
    canvas.MoveTo(start.X, start.Y);
    const int a = Round(3 * fGA->Scalex()), v = Round(3 * fGA->Scaley()), fold = Round(7 * fGA->Scalex());
    int k = 1;
    TPoint n = stop;
    if (link && link->StartFinishOption() == tlsfSS) {
        // Out to the left of both items and back in.
        const int x = std::min(start.X, stop.X) - fold;
        canvas.LineTo(x, start.Y);
        canvas.LineTo(x, stop.Y);
        canvas.LineTo(stop.X, stop.Y);
        style = tlsDefault;
    } else if (style == tlsMSProject) {
        if (start.Y < stop.Y) k = -1;
        n.X = start.X < stop.X ? stop.X + v : stop.X - v;
        n.Y = stop.Y + k;
        canvas.LineTo(n.X, start.Y);
        canvas.LineTo(n.X, n.Y + v * k);
    } else {
        if (start.X > stop.X) k = -1;
        n.X = stop.X - k;
        const int middle = start.X + (n.X - start.X) / 2;
        canvas.LineTo(middle, start.Y);
        canvas.LineTo(middle, n.Y);
        canvas.LineTo(n.X, n.Y);
    }
    const TqoDC* dc = canvas.Handle();
    if (!dc || !InsideInclusive(dc->GetClipBox(), n)) return;
    if (style == tlsMSProject) {
        canvas.Brush().Color = color;
        const std::array<TPoint, 3> head{{n, {n.X - v, n.Y + v * k}, {n.X + v, n.Y + v * k}}};
        canvas.Polygon(head);
        return;
    }
    // An open head with its tip on the end point.
    canvas.LineTo(n.X - a * k, n.Y - a);
    canvas.LineTo(n.X - a * k, n.Y + a);
    canvas.LineTo(n.X, n.Y);
}

} // namespace qo
