// The link arena: a link's number leads back to it across many blocks, and the
// slot of a freed link, even one a host released on another thread, goes to
// the next link.
#include "gantt/qoLink.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace qo {
namespace {

struct TLinks {
    std::vector<TqoDataEntity_Link*> Links;
    explicit TLinks(int n) {
        for (int i = 0; i < n; ++i) Links.push_back(new TqoDataEntity_Link);
    }
    ~TLinks() {
        for (TqoDataEntity_Link* link : Links) link->FreeWheneverPossible();
    }
    TLinks(const TLinks&) = delete;
    TLinks& operator=(const TLinks&) = delete;
};

TEST(LinkArena, EveryLinkHasItsOwnNumberThatLeadsBackToIt) {
    const TLinks links(5000);
    std::set<TLinkNumber> numbers;
    for (TqoDataEntity_Link* link : links.Links) {
        const TLinkNumber number = LinkArena::NumberOf(link);
        EXPECT_NE(number, kNoLink);
        EXPECT_EQ(LinkArena::LinkOf(number), link);
        numbers.insert(number);
    }
    EXPECT_EQ(numbers.size(), links.Links.size());
    EXPECT_EQ(LinkArena::LinkOf(kNoLink), nullptr);
}

TEST(LinkArena, AFreedLinksSlotGoesToTheNextLink) {
    struct TCase {
        const char* name;
        bool releasedOnAnotherThread;
    };
    for (const TCase c : {TCase{"freed at once", false}, TCase{"last released on another thread", true}}) {
        SCOPED_TRACE(c.name);
        auto* link = new TqoDataEntity_Link;
        const TLinkNumber number = LinkArena::NumberOf(link);
        if (c.releasedOnAnotherThread) {
            link->ObjAddRef();
            link->FreeWheneverPossible();
            std::thread([link] { link->ObjRelease(); }).join();
        } else {
            link->FreeWheneverPossible();
        }
        const size_t spare = LinkArena::SpareBytes();
        auto* next = new TqoDataEntity_Link;
        EXPECT_EQ(LinkArena::NumberOf(next), number);
        EXPECT_EQ(LinkArena::SpareBytes(), spare - sizeof(TqoDataEntity_Link));
        next->FreeWheneverPossible();
    }
}

} // namespace
} // namespace qo
