// The compact text: empty without a block, copies that own their own block,
// moves that hand it over, and an assignment from a view into itself.
#include "platform/core/qoCompactString.h"

#include <gtest/gtest.h>

namespace qo {

TEST(CompactString, OwnsItsTextThroughCopiesMovesAndSelfAssignment) {
    TCompactString empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.View(), "");
    EXPECT_STREQ(empty.CStr(), "");
    EXPECT_EQ(sizeof(TCompactString), sizeof(void*));

    const std::string texts[] = {"a", "Not initiated", std::string(300, 'x'), std::string("nul\0inside", 10)};
    for (const std::string& text : texts) {
        TCompactString s(text);
        EXPECT_EQ(s.View(), text);
        EXPECT_EQ(s.Size(), text.size());
        EXPECT_EQ(std::string(s.CStr()), text.substr(0, text.find('\0'))) << "nul-terminated";
        TCompactString copy = s;
        EXPECT_NE(copy.CStr(), s.CStr()) << "a copy has its own block";
        TCompactString moved = std::move(copy);
        EXPECT_EQ(moved, text);
        EXPECT_TRUE(copy.Empty());
        s = s.View().substr(1);
        EXPECT_EQ(s.View(), std::string_view(text).substr(1)) << "assigned from a view of itself";
        s = std::string_view();
        EXPECT_TRUE(s.Empty()) << "an empty text frees the block";
    }
}

} // namespace qo
