// The combo box: choosing with the keys and by typing, the drop-down list as
// a pop-up (mouse, keys, a click outside), notifications in order, bad
// input, surviving its own handlers, and its looks.
#include "platform/widgets/qoComboBox.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoPopupWindow.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class ComboBox : public test::TWidgetFixture<TComboBox> {
protected:
    ComboBox() {
        Place(TRect::Bounds(10, 10, 120, 21));
        control->SetItems({"Apple", "Banana", "Blueberry", "Cherry", "Date", "Elderberry", "Fig", "Grape",
                           "Kiwi", "Lemon"});
        control->OnChange = [this](TComponent*) { Record("change " + control->Text()); };
        control->OnDropDown = [this](TComponent*) { Record("dropdown"); };
        control->OnCloseUp = [this](TComponent*) { Record("closeup"); };
        control->SetFocus();
    }
    // A point on row index of the open list, in the pop-up's coordinates.
    TPoint Row(int index) const { return {20, 1 + index * 13 + 6}; }
};

TEST_F(ComboBox, KeysChooseAndTypingFindsByPrefix) {
    struct TCase {
        uint16_t Key;
        char16_t Ch;
        int64_t Pause;
        const char* Text;
    };
    const TCase cases[] = {
        {VK_DOWN, 0, 0, "Apple"},     {VK_DOWN, 0, 0, "Banana"},   {VK_END, 0, 0, "Lemon"},
        {VK_DOWN, 0, 0, "Lemon"},     {VK_HOME, 0, 0, "Apple"},    {VK_NEXT, 0, 0, "Grape"},
        {0, u'b', 2000, "Banana"},    {0, u'l', 100, "Blueberry"}, {0, u'b', 2000, "Banana"},
        {0, u'b', 100, "Blueberry"},  {0, u'c', 2000, "Cherry"},   {0, u'z', 2000, "Cherry"},
    };
    for (const TCase& c : cases) {
        harness.AdvanceTime(c.Pause);
        if (c.Key) harness.Key(c.Key);
        if (c.Ch) harness.Char(c.Ch);
        EXPECT_EQ(control->Text(), c.Text) << "key " << c.Key << " char " << char(c.Ch);
    }
    EXPECT_EQ(Log.size(), 10u) << "one change per move, none where it stayed";
}

TEST_F(ComboBox, TheListDropsDownAndAClickChooses) {
    control->SetItemIndex(1);
    harness.Click(*control, {60, 10});
    ASSERT_TRUE(control->DroppedDown());
    TqoPopupWindow& list = control->DropDown();
    EXPECT_EQ(list.BoundsRect().TopLeft(), control->ClientToScreen({0, 21})) << "just below the box";
    EXPECT_TRUE(control->Focused()) << "the box keeps the focus";
    harness.MouseMove(list, Row(3));
    harness.Click(list, Row(3));
    EXPECT_FALSE(control->DroppedDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup", "change Cherry"}));
}

TEST_F(ComboBox, OpenKeysMoveTheListEnterTakesEscapeCancelsOutsideCloses) {
    harness.Key(VK_F4);
    harness.Key(VK_DOWN);
    harness.Key(VK_DOWN);
    EXPECT_EQ(control->ItemIndex(), -1) << "moving in the open list does not choose yet";
    harness.Key(VK_RETURN);
    EXPECT_EQ(control->Text(), "Banana");
    harness.Key(VK_DOWN, ssAlt);
    harness.Char(u'f');
    harness.Key(VK_ESCAPE);
    EXPECT_EQ(control->Text(), "Banana");
    harness.Key(VK_F4);
    harness.Click(form, {200, 150});
    EXPECT_FALSE(control->DroppedDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup", "change Banana", "dropdown", "closeup",
                                             "dropdown", "closeup"}));
}

TEST_F(ComboBox, BadInputIsRefusedOrClamped) {
    EXPECT_THROW(control->SetItemIndex(10), EqoError);
    EXPECT_THROW(control->SetItemIndex(-2), EqoError);
    EXPECT_THROW(control->SetDropDownCount(0), EqoError);
    control->SetItemIndex(3);
    control->SetItems({"Cherry", "Plum"});
    EXPECT_EQ(control->ItemIndex(), 0) << "the choice follows its item";
    control->SetItems({});
    EXPECT_EQ(control->ItemIndex(), -1);
    harness.Key(VK_DOWN);
    harness.Char(u'x');
    harness.Key(VK_F4);
    harness.Key(VK_RETURN);
    EXPECT_EQ(control->Text(), "");
    EXPECT_FALSE(control->SetText("Plum"));
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup"})) << "an empty list opens and closes";
}

TEST_F(ComboBox, SurvivesBeingFreedWhileOpenAndByItsHandlers) {
    harness.Key(VK_F4);
    FreeControl();
    harness.Click(form, {200, 150});
    harness.Key(VK_ESCAPE);
    for (int which = 0; which < 3; ++which) {
        control = new TComboBox(&form);
        control->SetParent(&form);
        control->SetItems({"a", "b"});
        control->SetFocus();
        TNotifyEvent& event = which == 0 ? control->OnCloseUp : which == 1 ? control->OnChange : control->OnDropDown;
        event = [this](TComponent*) { FreeControl(); };
        harness.Key(VK_F4);
        if (control) harness.Key(VK_DOWN);
        if (control) harness.Key(VK_RETURN);
        EXPECT_EQ(control, nullptr) << which;
    }
    for (const uint16_t key : {uint16_t(0), uint16_t(VK_DOWN)}) {
        control = new TComboBox(&form);
        control->SetParent(&form);
        control->SetItems({"a", "b"});
        control->SetStyle(csDropDown);
        control->SetFocus();
        control->OnChange = [this](TComponent*) { FreeControl(); };
        harness.Key(key, 0, key ? 0 : u'a');
        EXPECT_EQ(control, nullptr) << "the edit's typing or keys, " << key;
    }
}

TEST_F(ComboBox, TheDropDownStyleTakesFreeTextAndCompletesIt) {
    control->SetItemIndex(3);
    control->SetStyle(csDropDown);
    ASSERT_NE(control->Edit(), nullptr);
    EXPECT_TRUE(control->Edit()->Focused()) << "the focus moves into the edit";
    EXPECT_EQ(control->Text(), "Cherry");
    struct TCase {
        uint16_t Key;
        char16_t Ch;
        const char* Text;
        const char* Selected;
        int Index;
    };
    const TCase cases[] = {
        {0, u'b', "banana", "anana", 1},        // completed from the first item it begins
        {0, u'l', "blueberry", "ueberry", 2},   // the typed case stays
        {VK_BACK, 0, "bl", "", -1},             // taking back does not complete
        {0, u'x', "blx", "", -1},               // free text
        {VK_DOWN, 0, "Apple", "Apple", 0},      // the keys choose items
        {VK_DOWN, 0, "Banana", "Banana", 1},    //
        {VK_END, 0, "Banana", "", 1},           // End moves the caret
    };
    for (const TCase& c : cases) {
        if (c.Key) harness.Key(c.Key);
        if (c.Ch) harness.Char(c.Ch);
        EXPECT_EQ(control->Text(), c.Text) << char(c.Ch) << c.Key;
        EXPECT_EQ(control->Edit()->SelText(), c.Selected) << char(c.Ch) << c.Key;
        EXPECT_EQ(control->ItemIndex(), c.Index) << char(c.Ch) << c.Key;
    }
    control->SetAutoComplete(false);
    harness.Key(VK_BACK);
    harness.Char(u'k');
    EXPECT_EQ(control->Text(), "Banank");
    harness.Key(VK_F4);
    harness.Key(VK_DOWN);
    harness.Key(VK_RETURN);
    EXPECT_EQ(control->Text(), "Apple") << "the list's item replaces the text";
    EXPECT_EQ(Log.back(), "change Apple");
    EXPECT_FALSE(control->SetText("Quince"));
    EXPECT_EQ(control->Text(), "Quince");
    EXPECT_EQ(control->ItemIndex(), -1);
    control->SetStyle(csDropDownList);
    EXPECT_EQ(control->Edit(), nullptr);
    EXPECT_TRUE(control->Focused());
}

TEST_F(ComboBox, Looks) {
    control->SetItemIndex(2);
    EXPECT_TRUE(LooksLike("combobox_focused"));
    form.SetFocus();
    EXPECT_TRUE(LooksLike("combobox_normal"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("combobox_disabled"));
    control->SetEnabled(true);
    control->SetFocus();
    harness.Key(VK_F4);
    harness.Key(VK_NEXT);
    EXPECT_TRUE(test::LooksLike(harness, control->DropDown(), "combobox_dropped_list"));
    harness.Key(VK_ESCAPE);
    control->SetStyle(csDropDown);
    EXPECT_TRUE(LooksLike("combobox_edit_focused"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("combobox_edit_disabled"));
}

} // namespace
} // namespace qo
