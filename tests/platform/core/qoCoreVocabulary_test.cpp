#include "platform/core/qoClassRef.h"
#include "platform/core/qoErrors.h"
#include "platform/core/qoEvents.h"
#include "platform/core/qoUnicode.h"

#include <gtest/gtest.h>

#include <memory>

namespace qo {

TEST(Errors, FixedTexts) {
    EXPECT_EQ(EListError(7).Message(), "List index out of bounds (7)");
    EXPECT_EQ(EListError(-1).Message(), "List index out of bounds (-1)");
    EXPECT_STREQ(EInvalidCast().what(), "Invalid class typecast");
    EXPECT_EQ(Format("%s:%d", "x", 3), "x:3");
}

namespace {
struct TCounter {
    int Calls = 0;
    void Add(int n) { Calls += n; }
};
} // namespace

TEST(Events, UnassignedEventsAreSkippedAndAssignedOnesCalled) {
    TqoEvent<void(int)> onChange;
    EXPECT_FALSE(onChange);
    onChange.Fire(3); // nothing assigned: nothing happens
    TCounter counter;
    onChange = TqoEvent<void(int)>::Bind(&counter, &TCounter::Add);
    ASSERT_TRUE(onChange);
    onChange.Fire(3);
    onChange(4);
    EXPECT_EQ(counter.Calls, 7);
    onChange.Clear();
    EXPECT_FALSE(onChange);

    // By-reference parameters let the handler answer.
    TqoEvent<void(bool&)> onAllow = [](bool& allow) { allow = false; };
    bool allow = true;
    onAllow.Fire(allow);
    EXPECT_FALSE(allow);
}

// The handler's own captured state must survive the handler reassigning or
// clearing the event it runs from.
TEST(Events, HandlerMayReassignItsOwnEventWhileRunning) {
    struct TProbe {
        explicit TProbe(bool* alive) : Alive(alive) {}
        bool* Alive;
        ~TProbe() { *Alive = false; }
    };
    for (bool clear : {false, true}) {
        bool alive = true;
        bool aliveAfterReassign = false;
        TqoEvent<void(int)> onChange;
        onChange = [&, probe = std::make_shared<TProbe>(&alive)](int) {
            if (clear)
                onChange.Clear();
            else
                onChange = [](int) {};
            aliveAfterReassign = alive && probe->Alive == &alive;
        };
        onChange.Fire(1);
        EXPECT_TRUE(aliveAfterReassign) << "clear " << clear;
        EXPECT_FALSE(alive); // released once the handler has returned
        EXPECT_EQ(bool(onChange), !clear);
    }
}

// Copies of an event share its handler, state included; the handler goes
// with the last copy, whichever that is.
TEST(Events, CopiesShareOneHandlerThatGoesWithTheLast) {
    bool alive = true;
    struct TProbe {
        explicit TProbe(bool* alive) : Alive(alive) {}
        bool* Alive;
        ~TProbe() { *Alive = false; }
    };
    auto first = std::make_unique<TqoEvent<int(int)>>(
        [calls = 0, probe = std::make_shared<TProbe>(&alive)](int n) mutable { return n + ++calls; });
    TqoEvent<int(int)> copy = *first;
    TqoEvent<int(int)> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ((*first)(10), 11);
    EXPECT_EQ(moved(10), 12) << "one handler, one state";
    first.reset();
    EXPECT_TRUE(alive);
    EXPECT_EQ(moved(0), 3);
    const TqoEvent<int(int)>& self = moved;
    moved = self; // assigned to itself: stays
    EXPECT_TRUE(alive);
    moved = nullptr;
    EXPECT_FALSE(alive);
    EXPECT_THROW(moved(0), std::bad_function_call);
}

namespace {
struct TShape {
    explicit TShape(int size) : Size(size) {}
    virtual ~TShape() = default;
    int Size;
};
struct TBox : TShape {
    using TShape::TShape;
};
struct TFancyBox : TBox {
    using TBox::TBox;
};
} // namespace

TEST(ClassRef, CreatesTheSubstitutedClassAndTestsMembership) {
    using TShapeClass = TqoClassRef<TShape, int>;
    TShapeClass cls = TShapeClass::Of<TBox>();
    std::unique_ptr<TShape> made(cls.Create(5));
    EXPECT_EQ(made->Size, 5);
    EXPECT_TRUE(cls.IsInstance(made.get()));

    const TShapeClass fancy = TShapeClass::Of<TFancyBox>();
    std::unique_ptr<TShape> fancyMade(fancy.Create(1));
    EXPECT_TRUE(cls.IsInstance(fancyMade.get()));  // a subclass is a member
    EXPECT_FALSE(fancy.IsInstance(made.get()));    // a base is not
    EXPECT_FALSE(cls.IsInstance(nullptr));
    EXPECT_TRUE(cls == TShapeClass::Of<TBox>());
    EXPECT_FALSE(cls == fancy);
    EXPECT_FALSE(TShapeClass());
}

TEST(Unicode, RoundTripsAndRepairsBadSequences) {
    const std::string text = "Gr\xC3\xB6\xC3\x9F" "e \xF0\x9F\x98\x80";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 8u); // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16Length(text), 8u);
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf8ToUtf32(text).size(), 7u);
    // Truncated, overlong and stray bytes become U+FFFD; a lone surrogate too.
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\x80z"), u"\uFFFDz");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace qo
