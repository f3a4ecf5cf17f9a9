// Links as the chart keeps them: each item knows the links that touch it, so
// that deleting an item takes exactly its links (a link to itself once, links
// in collapsed rows alike), re-pointed and deleted links leave the items'
// chains, and a freed item leaves no dangling end.
#include "qoGantModelFixture.h"

#include <algorithm>
#include <functional>

namespace qo {
namespace {

using LinkChains = GantModel;

std::vector<TqoDataEntity_Link*> Sorted(std::vector<TqoDataEntity_Link*> links) {
    std::sort(links.begin(), links.end());
    return links;
}

std::vector<TqoDataEntity_Link*> ListedLinks(TqoDataList& list) {
    std::vector<TqoDataEntity_Link*> links;
    for (int32_t i = 0; i < list.Count(); ++i) links.push_back(static_cast<TqoDataEntity_Link*>(list.Items(i)));
    return links;
}

TEST_F(LinkChains, AnItemKnowsEveryLinkThatTouchesItOnce) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* x = Item(a, 0, 1, 2);
    TqoDataEntity_GantTime* y = Item(a, 0, 3, 4);
    TqoDataEntity_Link* xy = Link(x, y);
    TqoDataEntity_Link* yx = Link(y, x);
    TqoDataEntity_Link* xx = Link(x, x);
    EXPECT_EQ(Sorted(x->Links()), Sorted({xy, yx, xx})) << "a link to itself is listed once";
    EXPECT_EQ(Sorted(y->Links()), Sorted({xy, yx}));

    yx->SetLinkOwner(x);
    xy->SetLinkedTo(nullptr);
    EXPECT_EQ(Sorted(y->Links()), Sorted({}));
    EXPECT_EQ(Sorted(x->Links()), Sorted({xy, yx, xx}));
    ASSERT_EQ(x->FirstOwnedLink(), yx);
    ASSERT_EQ(yx->NextOfOwner(), xx) << "the link to itself is in the middle of x's chain";
    gant->GetLinks()->Remove(xx);
    EXPECT_EQ(Sorted(x->Links()), Sorted({xy, yx})) << "a deleted link leaves the chains";
    EXPECT_EQ(yx->NextOfOwner(), xy);
}

// Which links survive the deletion of one item, whatever the rows around it.
TEST_F(LinkChains, DeletingAnItemTakesItsLinksOnly) {
    struct TCase {
        const char* name;
        bool collapsed;
    };
    for (const TCase c : {TCase{"expanded", false}, TCase{"collapsed", true}}) {
        SCOPED_TRACE(c.name);
        TqoDataEntity_Tree* a = Node(nullptr, "A");
        TqoDataEntity_Tree* a1 = Node(a, "A1");
        a->SetExpanded(!c.collapsed);
        TqoDataEntity_GantTime* x = Item(a1, 0, 1, 2);
        TqoDataEntity_GantTime* y = Item(a, 1, 3, 4);
        TqoDataEntity_GantTime* z = Item(a1, 0, 5, 6);
        Link(x, x);
        TqoDataEntity_Link* yz = Link(y, z);
        Link(x, y);
        TqoDataEntity_Link* zy = Link(z, y);
        Link(z, x);
        Paint();
        gant->RemoveGantTime(x);
        EXPECT_EQ(ListedLinks(*gant->GetLinks()), std::vector<TqoDataEntity_Link*>({yz, zy}));
        EXPECT_EQ(Sorted(y->Links()), Sorted({yz, zy}));
        gant->GetLinks()->Clear();
        gant->TreeView()->RemoveDataEntity(a);
    }
}

// An item freed without its chart hearing of it (the row's layers freed with
// nobody listening) leaves its links in the list, with that end nil.
TEST_F(LinkChains, AFreedItemLeavesItsLinksWithoutThatEnd) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_Tree* b = Node(nullptr, "B");
    TqoDataEntity_GantTime* x = Item(a, 0, 1, 2);
    TqoDataEntity_GantTime* y = Item(b, 0, 3, 4);
    TqoDataEntity_Link* xy = Link(x, y);
    TqoDataEntity_Link* yx = Link(y, x);
    *gant->GantTimeListController() = TqoListController{};
    gant->TreeView()->RemoveDataEntity(a);
    ASSERT_EQ(gant->GetLinks()->Count(), 2);
    EXPECT_EQ(xy->LinkOwner(), nullptr);
    EXPECT_EQ(xy->LinkedTo(), y);
    EXPECT_EQ(yx->LinkedTo(), nullptr);
    EXPECT_FALSE(xy->HasBothEnds());
    EXPECT_EQ(Sorted(y->Links()), Sorted({xy, yx}));
}

TEST_F(LinkChains, ALinkFreedFirstLeavesItsItemsChains) {
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* x = Item(a, 0, 1, 2);
    Link(x, x);
    Link(x, x);
    gant->GetLinks()->Clear();
    EXPECT_TRUE(x->Links().empty());
    EXPECT_EQ(x->FirstOwnedLink(), nullptr);
    EXPECT_EQ(x->FirstTargetLink(), nullptr);
}

// Every setter of a link's looks repaints the chart of its owner's row, and
// only a link with an owner there has a chart to repaint.
TEST_F(LinkChains, EachLookSetterRepaintsTheChartOfTheOwnersRow) {
    struct TCase {
        const char* name;
        std::function<void(TqoDataEntity_Link&)> set;
        std::function<bool(const TqoDataEntity_Link&)> took;
    };
    const TCase cases[] = {
        {"StartFinishOption", [](TqoDataEntity_Link& l) { l.SetStartFinishOption(tlsfFF); },
         [](const TqoDataEntity_Link& l) { return l.StartFinishOption() == tlsfFF; }},
        {"LinkStyle", [](TqoDataEntity_Link& l) { l.SetLinkStyle(tlsMSProject); },
         [](const TqoDataEntity_Link& l) { return l.LinkStyle() == tlsMSProject; }},
        {"LinkColor", [](TqoDataEntity_Link& l) { l.SetLinkColor(clRed); },
         [](const TqoDataEntity_Link& l) { return l.LinkColor() == clRed; }},
        {"LinkPenWidth", [](TqoDataEntity_Link& l) { l.SetLinkPenWidth(7); },
         [](const TqoDataEntity_Link& l) { return l.LinkPenWidth() == 7; }},
    };
    TqoDataEntity_Tree* a = Node(nullptr, "A");
    TqoDataEntity_GantTime* x = Item(a, 0, 1, 2);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TqoDataEntity_Link* inRow = Link(x, nullptr);
        TqoDataEntity_Link* targetOnly = Link(nullptr, x);
        Paint();
        c.set(*targetOnly);
        EXPECT_EQ(gant->GA()->InvalidateCount(), 0);
        EXPECT_TRUE(c.took(*targetOnly));
        c.set(*inRow);
        EXPECT_EQ(gant->GA()->InvalidateCount(), 1);
        EXPECT_TRUE(c.took(*inRow));
    }
}

TEST_F(LinkChains, ANewLinkTakesTheChartsDefaults) {
    gant->SetDefaultLinkStyle(tlsMSProject);
    gant->SetDefaultLinkColor(clRed);
    gant->SetDefaultLinkPenWidth(3);
    TqoDataEntity_Link* link = gant->AddLink();
    EXPECT_EQ(link->LinkStyle(), tlsMSProject);
    EXPECT_EQ(link->LinkColor(), clRed);
    EXPECT_EQ(link->LinkPenWidth(), 3);
    EXPECT_EQ(link->StartFinishOption(), tlsfNormal);
    EXPECT_EQ(link->LinkOwner(), nullptr);
    EXPECT_EQ(link->LinkedTo(), nullptr);
}

} // namespace
} // namespace qo
