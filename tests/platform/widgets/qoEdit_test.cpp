// The single-line edit under the mouse and the keyboard: caret moves and
// selections, editing keys, the clipboard, undo, the length limit, read-only,
// the keys it claims, OnChange, its looks, and surviving its own handlers.
#include "platform/widgets/qoEdit.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoClipboard.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class Edit : public test::TWidgetFixture<TEdit> {
protected:
    Edit() {
        Place(TRect::Bounds(10, 10, 121, 21));
        control->SetText("alpha beta gamma");
        control->OnChange = [this](TComponent*) { Record("change " + control->Text()); };
        control->SetFocus();
    }
    void Type(std::u16string_view text) {
        for (char16_t ch : text) harness.Char(ch);
    }
    std::pair<int, int> Sel() const { return {control->SelStart(), control->SelLength()}; }
};

TEST_F(Edit, KeysMoveTheCaretAndShiftSelects) {
    struct TCase {
        uint16_t Key;
        TShiftState Shift;
        std::pair<int, int> Sel;
    };
    // From the caret at 0 ("alpha beta gamma"), one key after the other.
    const TCase cases[] = {
        {VK_RIGHT, 0, {1, 0}},          {VK_RIGHT, ssCtrl, {6, 0}},     {VK_RIGHT, ssCtrl | ssShift, {6, 5}},
        {VK_LEFT, 0, {6, 0}},           {VK_END, ssShift, {6, 10}},     {VK_HOME, 0, {0, 0}},
        {VK_END, 0, {16, 0}},           {VK_LEFT, ssCtrl, {11, 0}},     {VK_LEFT, ssShift | ssCtrl, {6, 5}},
        {VK_RIGHT, 0, {11, 0}},         {'A', ssCtrl, {0, 16}},         {VK_LEFT, 0, {0, 0}},
        {VK_LEFT, 0, {0, 0}},
    };
    for (const TCase& c : cases) {
        harness.Key(c.Key, c.Shift);
        EXPECT_EQ(Sel(), c.Sel) << "key " << c.Key << " shift " << c.Shift;
    }
    EXPECT_TRUE(Log.empty()) << "moving changes nothing";
}

TEST_F(Edit, TypingDeletingAndUndoingTheLastChange) {
    harness.Key(VK_END);
    Type(u"!?");
    harness.Key(VK_BACK);
    harness.Key(VK_HOME);
    harness.Key(VK_DELETE, ssCtrl);
    EXPECT_EQ(control->Text(), "beta gamma!");
    harness.Key('Z', ssCtrl);
    EXPECT_EQ(control->Text(), "alpha beta gamma!") << "one undo step per change";
    harness.Key('Z', ssCtrl);
    EXPECT_EQ(control->Text(), "beta gamma!") << "a second undo takes the undo back";
    harness.Key(VK_END);
    Type(u"xy");
    harness.Key('Z', ssCtrl);
    EXPECT_EQ(control->Text(), "beta gamma!") << "a run of typing is one step";
    EXPECT_EQ(Log, (std::vector<std::string>{"change alpha beta gamma!", "change alpha beta gamma!?",
                                             "change alpha beta gamma!", "change beta gamma!",
                                             "change alpha beta gamma!", "change beta gamma!",
                                             "change beta gamma!x", "change beta gamma!xy",
                                             "change beta gamma!"}));
    control->SetText("fresh");
    EXPECT_FALSE(control->CanUndo()) << "text from code leaves nothing to undo";
}

TEST_F(Edit, ClipboardCutCopyPaste) {
    ClipboardSetText("");
    harness.Key(VK_RIGHT, ssCtrl | ssShift);
    harness.Key('C', ssCtrl);
    EXPECT_EQ(ClipboardGetText(), "alpha ");
    harness.Key(VK_END);
    harness.Key('V', ssCtrl);
    EXPECT_EQ(control->Text(), "alpha beta gammaalpha ");
    harness.Key(VK_HOME);
    harness.Key(VK_END, ssShift);
    harness.Key(VK_DELETE, ssShift);
    EXPECT_EQ(control->Text(), "");
    EXPECT_EQ(ClipboardGetText(), "alpha beta gammaalpha ");
    ClipboardSetText("one\r\ntwo");
    harness.Key(VK_INSERT, ssShift);
    EXPECT_EQ(control->Text(), "one") << "a single line keeps what comes before the first break";
    const std::u16string astral = u"\U0001F600";
    Type(astral);
    EXPECT_EQ(control->Text(), "one\xF0\x9F\x98\x80") << "a surrogate pair is one character";
    EXPECT_EQ(control->SelStart(), 4);
}

TEST_F(Edit, MouseSetsTheCaretAndDragsOrDoubleClicksASelection) {
    harness.MouseDown(*control, {4, 10});
    harness.MouseMove(*control, {200, 10});
    harness.MouseUp(*control, {200, 10});
    EXPECT_EQ(Sel(), (std::pair<int, int>(0, 16))) << "dragging past the end selects to it";
    harness.Click(*control, {20, 10});
    const int caret = control->SelStart();
    EXPECT_GT(caret, 0);
    EXPECT_LT(caret, 5);
    harness.Click(*control, {4, 10}, mbLeft, ssShift);
    EXPECT_EQ(Sel(), (std::pair<int, int>(0, caret))) << "Shift+click extends";
    harness.DoubleClick(*control, {20, 10});
    EXPECT_EQ(control->SelText(), "alpha");
}

TEST_F(Edit, LimitsReadOnlyAndBadInput) {
    control->SetMaxLength(8);
    EXPECT_EQ(control->Text(), "alpha beta gamma") << "a longer text already there stays";
    control->SetText("0123456789");
    EXPECT_EQ(control->Text(), "01234567") << "text from code is cut to the limit";
    harness.Key(VK_END);
    Type(u"x");
    EXPECT_EQ(control->Text(), "01234567");
    control->SetSel(-5, 1000);
    EXPECT_EQ(Sel(), (std::pair<int, int>(0, 8))) << "a selection is clamped into the text";
    ClipboardSetText("abcdefghijk");
    harness.Key(VK_RIGHT);
    harness.Key(VK_BACK);
    harness.Key(VK_BACK);
    harness.Key('V', ssCtrl);
    EXPECT_EQ(control->Text(), "012345ab") << "a paste takes what fits";
    EXPECT_THROW(control->SetMaxLength(-1), EqoError);
    control->SetReadOnly(true);
    Log.clear();
    for (uint16_t key : {uint16_t(VK_BACK), uint16_t(VK_DELETE), uint16_t('X'), uint16_t('V'), uint16_t('Z')})
        harness.Key(key, key >= 'A' ? ssCtrl : 0);
    Type(u"q");
    EXPECT_EQ(control->Text(), "012345ab");
    EXPECT_TRUE(Log.empty());
    harness.Key(VK_HOME, ssShift);
    harness.Key('C', ssCtrl);
    EXPECT_EQ(ClipboardGetText(), "012345ab") << "read-only still copies";
}

TEST_F(Edit, ClaimsArrowsAndCharactersButTabOnlyWhenAsked) {
    TEdit* next = new TEdit(&form);
    next->SetParent(&form);
    next->SetBounds(10, 40, 121, 21);
    harness.Key(VK_RIGHT);
    harness.Key(VK_DOWN);
    EXPECT_TRUE(control->Focused()) << "arrows stay in the edit";
    harness.Key(VK_TAB);
    EXPECT_TRUE(next->Focused());
    next->WantTabs = true;
    harness.Key(VK_TAB);
    EXPECT_TRUE(next->Focused());
    harness.Click(*control, {5, 5});
    EXPECT_TRUE(control->Focused()) << "a click focuses it";
}

TEST_F(Edit, HandlersSeeKeysFirstAndMayFreeIt) {
    control->OnKeyPress = [](TComponent*, char16_t& key) {
        if (key == u'x') key = 0;
    };
    harness.Key(VK_END);
    Type(u"xy");
    EXPECT_EQ(control->Text(), "alpha beta gammay") << "a cleared key goes nowhere";
    control->OnChange = [this](TComponent*) { FreeControl(); };
    Type(u"z");
    EXPECT_EQ(control, nullptr);
    control = new TEdit(&form);
    control->SetParent(&form);
    control->SetText("abc");
    control->OnKeyDown = [this](TComponent*, uint16_t&, TShiftState) { FreeControl(); };
    control->SetFocus();
    harness.Key(VK_LEFT);
    EXPECT_EQ(control, nullptr);
    control = new TEdit(&form);
    control->SetParent(&form);
    control->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) { FreeControl(); };
    harness.MouseDown(form, {20, 20});
    harness.MouseMove(form, {40, 20});
    harness.MouseUp(form, {40, 20});
    EXPECT_EQ(control, nullptr) << "freed while it holds the capture";
}

TEST_F(Edit, Looks) {
    control->SetSel(6, 4);
    EXPECT_TRUE(LooksLike("edit_focused_selection"));
    form.SetFocus();
    EXPECT_TRUE(LooksLike("edit_normal"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("edit_disabled"));
    control->SetEnabled(true);
    control->SetBorderStyle(bsNone);
    control->SetText("a text much longer than the edit is wide, scrolled");
    control->SetFocus();
    harness.Key(VK_END);
    EXPECT_TRUE(LooksLike("edit_flat_scrolled"));
}

} // namespace
} // namespace qo
