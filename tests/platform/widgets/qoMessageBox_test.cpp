// The message box: its buttons for each set of flags, answers by mouse and
// keyboard, keeping other windows from the input, its looks, and the modal
// calls showing our widgets while a headless run still answers from its script.
#include "platform/widgets/qoMessageBox.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoWidgetDialogs.h"
#include "platform/window/qoModal.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class MessageBoxWidget : public test::TFormFixture {
protected:
    MessageBoxWidget() {
        target = AddTarget();
        target->SetFocus();
        box = new TMessageBox(&form);
    }
    int Ask(uint32_t flags, const std::vector<uint16_t>& keys) {
        box->Setup("Delete the selected items?", "Chart", flags);
        for (uint16_t key : keys) harness.Key(key);
        return box->Result();
    }
    TCustomControl* target;
    TMessageBox* box;
};

TEST_F(MessageBoxWidget, OffersTheButtonsOfItsFlags) {
    const std::vector<std::pair<uint32_t, std::vector<int>>> cases = {
        {MB_OK, {IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO}},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
    };
    for (const auto& [flags, buttons] : cases) {
        box->Setup("Text", "Caption", flags);
        EXPECT_EQ(box->Buttons(), buttons) << flags;
    }
    EXPECT_THROW(box->Setup("Text", "Caption", 0xE), EqoError);
}

TEST_F(MessageBoxWidget, KeysAnswerAndReachNoOtherWindow) {
    struct TCase {
        uint32_t flags;
        std::vector<uint16_t> keys;
        int answer;
    };
    const std::vector<TCase> cases = {
        {MB_YESNO, {VK_RETURN}, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {VK_SPACE}, IDNO},
        {MB_YESNOCANCEL, {VK_RIGHT, VK_RIGHT, VK_RETURN}, IDCANCEL},
        {MB_YESNOCANCEL, {VK_LEFT, VK_RETURN}, IDCANCEL},
        {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
        {MB_OK, {VK_ESCAPE}, IDOK},
        {MB_YESNO, {VK_ESCAPE}, 0},
    };
    for (const TCase& c : cases) EXPECT_EQ(Ask(c.flags, c.keys), c.answer) << c.flags;
    EXPECT_TRUE(Log.empty());
    box->Setup("Retry?", "Chart", MB_RETRYCANCEL);
    harness.Char(u'r');
    EXPECT_EQ(box->Result(), IDRETRY) << "a button's first letter";
}

TEST_F(MessageBoxWidget, TheKeystrokeThatAnswersEndsWithIt) {
    target->OnKeyPress = [this](TComponent*, char16_t& ch) { Record("char " + std::to_string(int(ch))); };
    target->OnKeyUp = [this](TComponent*, uint16_t& key, TShiftState) { Record("up " + std::to_string(key)); };
    const std::pair<uint16_t, char16_t> keys[] = {{VK_RETURN, u'\r'}, {VK_SPACE, u' '}, {VK_ESCAPE, u'\x1b'}};
    for (const auto& [key, ch] : keys) {
        box->Setup("Go on?", "Chart", MB_OKCANCEL);
        harness.Key(key, 0, ch);
        EXPECT_NE(box->Result(), 0) << key;
    }
    EXPECT_TRUE(Log.empty()) << "neither the character nor the release reach the focused control";
    harness.Key(VK_RETURN, 0, u'\r');
    EXPECT_EQ(Log, (std::vector<std::string>{"key 13", "char 13", "up 13"})) << "the next keystroke does";
}

TEST_F(MessageBoxWidget, AClickOnAButtonAnswersAndOtherWindowsOnlyBeep) {
    box->Setup("Save the changes?", "Chart", MB_YESNOCANCEL);
    harness.Click(*target, {5, 5});
    EXPECT_EQ(harness.Backend().Beeps(), 1);
    const TRect no = box->ButtonRect(1);
    harness.MouseDown(*box, {no.Left + 5, no.Top + 5});
    harness.MouseUp(*box, {no.Left - 20, no.Top + 5});
    EXPECT_EQ(box->Result(), 0) << "released off the button";
    harness.Click(*box, {no.Left + 5, no.Top + 5});
    EXPECT_EQ(box->Result(), IDNO);
    harness.Click(*target, {5, 5});
    EXPECT_EQ(Log, (std::vector<std::string>{"press"})) << "answered, it lets the input go again";
}

TEST_F(MessageBoxWidget, SurvivesBeingFreedByItsAnswerHandler) {
    box->Setup("Text", "Caption", MB_OK);
    box->OnAnswer = [this](TComponent*) { delete box; box = nullptr; };
    harness.Click(*box, {box->ButtonRect(0).Left + 5, box->ButtonRect(0).Top + 5});
    EXPECT_EQ(box, nullptr);
    harness.Key(VK_DOWN);
    EXPECT_EQ(Log, (std::vector<std::string>{"key 40"}));
}

TEST_F(MessageBoxWidget, Looks) {
    box->Setup("The chart could not be printed.\nCheck the printer and try again.", "Chart", MB_RETRYCANCEL);
    EXPECT_TRUE(test::LooksLike(harness, *box, "messagebox_retrycancel"));
}

TEST(WidgetDialogs, ShowOurWidgetsAndStillAnswerFromTheScript) {
    THeadlessHarness harness;
    UseWidgetDialogs();
    harness.Backend().ScriptMessageBoxAnswer(IDNO);
    harness.Backend().ScriptPopupMenuAnswer(2);
    harness.Backend().ScriptPopupMenuAnswer(1);
    EXPECT_EQ(MessageBox("Delete?", "Chart", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox("Again?", "Chart", MB_YESNOCANCEL), IDYES) << "then the first button";
    EXPECT_EQ(TrackPopupMenu({"Cut", "-", "Copy"}, {10, 20}), 2);
    EXPECT_EQ(TrackPopupMenu({"Cut", "-"}, {10, 20}), -1) << "a line is never chosen";
    EXPECT_EQ(TrackPopupMenu({}, {0, 0}), -1);
    EXPECT_THROW(MessageBox("Text", "Caption", 0xE), EqoError);
    const auto& records = harness.Backend().ModalRecords();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].Text, "Delete?");
    EXPECT_EQ(records[2].Point, TPoint(10, 20));
    EXPECT_EQ(records[3].Answer, -1);
    SetModalMaker(nullptr);
}

} // namespace
} // namespace qo
