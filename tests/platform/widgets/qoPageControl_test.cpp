// The page control: tabs of the visible sheets, the user's changes asked and
// reported, changes from code silent, hidden and removed sheets, its looks,
// and surviving its handlers.
#include "platform/widgets/qoPageControl.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

class PageControl : public test::TWidgetFixture<TPageControl> {
protected:
    PageControl() {
        Place(TRect::Bounds(5, 5, 220, 150));
        for (const char* caption : {"Gant", "Resources", "Notes"}) {
            auto* sheet = new TTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
            sheets.push_back(sheet);
        }
        control->OnChanging = [this](TComponent*, bool& allow) {
            Record("changing from " + control->ActivePage()->Caption());
            allow = !Veto;
        };
        control->OnChange = [this](TComponent*) { Record("change to " + control->ActivePage()->Caption()); };
    }
    TPoint TabCentre(int index) {
        const TRect r = control->TabRect(index);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    std::vector<TTabSheet*> sheets;
    bool Veto = false;
};

TEST_F(PageControl, AClickOnATabAsksThenShowsItsSheetThenReports) {
    EXPECT_EQ(control->ActivePage(), sheets[0]) << "the first sheet shows";
    harness.Click(*control, TabCentre(1));
    EXPECT_EQ(control->ActivePage(), sheets[1]);
    EXPECT_TRUE(sheets[1]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(sheets[1]->BoundsRect(), control->DisplayRect());
    Veto = true;
    harness.Click(*control, TabCentre(2));
    EXPECT_EQ(control->ActivePage(), sheets[1]) << "refused";
    Veto = false;
    harness.Key(VK_RIGHT);
    harness.Key(VK_RIGHT);
    EXPECT_EQ(control->ActivePage(), sheets[0]) << "the keys go round";
    control->SetActivePageIndex(2);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing from Gant", "change to Resources",
                                             "changing from Resources", "changing from Resources",
                                             "change to Notes", "changing from Notes", "change to Gant"}))
        << "a change from code reports nothing";
}

TEST_F(PageControl, HiddenAndRemovedSheetsGiveWayToTheirNeighbours) {
    sheets[1]->SetTabVisible(false);
    EXPECT_TRUE(control->TabRect(1).IsEmpty());
    EXPECT_EQ(control->TabRect(2).Left, control->TabRect(0).Right - 2)
        << "the next tab moves up, under the active one";
    control->SetActivePage(sheets[2]);
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(control->ActivePage(), sheets[0]);
    delete sheets[0];
    EXPECT_EQ(control->ActivePage(), nullptr) << "no visible tab is left";
    EXPECT_EQ(control->PageCount(), 2);
    sheets[1]->SetTabVisible(true);
    EXPECT_EQ(control->ActivePage(), sheets[1]);
    EXPECT_THROW(control->SetActivePageIndex(5), EListError);
    TTabSheet stray(nullptr);
    EXPECT_THROW(control->SetActivePage(&stray), EqoError);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PageControl, SurvivesBeingFreedByItsHandlersAndBeforeItsSheets) {
    control->OnChange = [this](TComponent*) { FreeControl(); };
    harness.MouseDown(*control, TabCentre(1));
    harness.MouseUp(form, {50, 12});
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
    sheets[0]->SetTabVisible(false);
    delete sheets[1];
}

TEST_F(PageControl, Looks) {
    EXPECT_TRUE(LooksLike("pagecontrol"));
    control->SetFocus();
    harness.Key(VK_RIGHT);
    EXPECT_TRUE(LooksLike("pagecontrol_second_focused"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("pagecontrol_disabled"));
}

} // namespace
} // namespace qo
