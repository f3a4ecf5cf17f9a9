// The pop-up menu: choosing by mouse and keyboard past lines and disabled
// items, closing on a press outside and Escape, keeping keys from the focused
// control, its looks, and surviving being freed while open or by its handlers.
#include "platform/widgets/qoPopupMenu.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class PopupMenu : public test::TFormFixture {
protected:
    PopupMenu() {
        target = AddTarget();
        target->SetFocus();
        menu = new TPopupMenu(&form);
        for (const char* caption : {"Cut", "Copy", "-", "Paste", "Show week numbers"}) menu->AddItem(caption);
        menu->SetItemEnabled(3, false);
        menu->SetItemChecked(4, true);
        menu->OnItemClick = [this](TComponent*, int index) { Record("item " + std::to_string(index)); };
        menu->OnClosePopup = [this](TComponent*) { Record("closed"); };
    }
    TPoint Centre(int index) const {
        const TRect r = menu->ItemRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TCustomControl* target;
    TPopupMenu* menu;
};

TEST_F(PopupMenu, AReleaseOnAnEnabledItemChoosesItAfterClosing) {
    menu->Popup({100, 100});
    EXPECT_EQ(menu->BoundsRect().TopLeft(), TPoint(100, 100));
    harness.MouseMove(*menu, Centre(1));
    EXPECT_EQ(menu->ItemIndex(), 1);
    harness.Click(*menu, Centre(2));
    harness.Click(*menu, Centre(3));
    EXPECT_TRUE(menu->IsOpen()) << "neither a line nor a disabled item is chosen";
    harness.Click(*menu, Centre(1));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menu->ChosenIndex(), 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"closed", "item 1"}));
    EXPECT_TRUE(target->Focused()) << "the menu never took the focus";
}

TEST_F(PopupMenu, TheKeysMoveThePastLinesChooseAndStayAwayFromTheFocusedControl) {
    menu->Popup({100, 100});
    const std::vector<std::pair<uint16_t, int>> steps = {
        {VK_DOWN, 0}, {VK_DOWN, 1}, {VK_DOWN, 3}, {VK_DOWN, 4}, {VK_DOWN, 0}, {VK_UP, 4}, {VK_HOME, 0}, {VK_END, 4}};
    for (const auto& [key, expected] : steps) {
        harness.Key(key);
        EXPECT_EQ(menu->ItemIndex(), expected) << "key " << key;
    }
    harness.Key(VK_UP);
    harness.Key(VK_RETURN);
    EXPECT_TRUE(menu->IsOpen()) << "Enter on a disabled item does nothing";
    harness.Key(VK_DOWN);
    harness.Key(VK_RETURN);
    EXPECT_EQ(Log, (std::vector<std::string>{"closed", "item 4"})) << "no key reached the focused control";
}

TEST_F(PopupMenu, APressOutsideOrEscapeDismisses) {
    menu->Popup({100, 100});
    harness.Click(form, {5, 5});
    EXPECT_FALSE(menu->IsOpen());
    menu->Popup({100, 100});
    harness.Key(VK_ESCAPE);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menu->ChosenIndex(), -1);
    EXPECT_EQ(Log, (std::vector<std::string>{"closed", "closed"}));
}

TEST_F(PopupMenu, RefusesBadIndexesAndOpensNotWithoutItems) {
    EXPECT_THROW(menu->Item(5), EListError);
    EXPECT_THROW(menu->SetItemChecked(-1, true), EListError);
    menu->ClearItems();
    menu->Popup({0, 0});
    EXPECT_FALSE(menu->IsOpen());
    harness.Key(VK_DOWN);
    EXPECT_EQ(Log, (std::vector<std::string>{"key 40"}));
}

TEST_F(PopupMenu, SurvivesBeingFreedWhileOpenAndByItsHandlers) {
    menu->Popup({100, 100});
    delete menu;
    harness.Click(form, {5, 5});
    harness.Key(VK_DOWN);
    EXPECT_EQ(Log, (std::vector<std::string>{"key 40"}));
    for (int handler = 0; handler < 2; ++handler) {
        menu = new TPopupMenu(&form);
        menu->AddItem("Only");
        auto freeIt = [this](auto...) { delete menu; menu = nullptr; };
        if (handler == 0) menu->OnItemClick = freeIt;
        if (handler == 1) menu->OnClosePopup = freeIt;
        menu->Popup({100, 100});
        harness.Click(*menu, {10, 10});
        EXPECT_EQ(menu, nullptr) << "handler " << handler;
    }
}

TEST_F(PopupMenu, Looks) {
    menu->Popup({100, 100});
    EXPECT_TRUE(test::LooksLike(harness, *menu, "popupmenu_normal"));
    harness.MouseMove(*menu, Centre(1));
    EXPECT_TRUE(test::LooksLike(harness, *menu, "popupmenu_highlighted"));
    harness.MouseMove(*menu, Centre(3));
    EXPECT_TRUE(test::LooksLike(harness, *menu, "popupmenu_disabled_highlighted"));
}

} // namespace
} // namespace qo
