// The date-time picker: field-wise editing with the keys and digits, the time
// mode, the limits and bad dates, the check box, the drop-down calendar, being
// freed while it is open or by its own handlers, and its looks.
#include "platform/widgets/qoDateTimePicker.h"

#include "platform/core/qoErrors.h"
#include "platform/widgets/qoPopupWindow.h"
#include "support/widgets/qoWidgetFixture.h"

#include <cmath>

namespace qo {
namespace {

class DateTimePicker : public test::TWidgetFixture<TDateTimePicker> {
protected:
    DateTimePicker() {
        Place(TRect::Bounds(10, 10, 120, 21));
        control->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 30, 0, 0));
        control->Calendar().SetToday(EncodeDate(2024, 2, 14));
        control->OnChange = [this](TComponent*) { Record("change " + control->Text()); };
        control->OnDropDown = [this](TComponent*) { Record("dropdown"); };
        control->OnCloseUp = [this](TComponent*) { Record("closeup"); };
        control->SetFocus();
    }
    void Type(const char* keys) {
        for (const char* k = keys; *k; ++k) {
            if (*k == '<') harness.Key(VK_LEFT);
            else if (*k == '>') harness.Key(VK_RIGHT);
            else if (*k == '^') harness.Key(VK_UP);
            else if (*k == 'v') harness.Key(VK_DOWN);
            else harness.Char(char16_t(*k));
        }
    }
};

TEST_F(DateTimePicker, FieldsStepRoundTheirRangeAndDigitsTypeThem) {
    struct TCase {
        const char* Keys;
        const char* Text;
    };
    const TCase cases[] = {
        {"^", "2/29/2024"},    // a month up keeps the day within the month
        {">^", "2/1/2024"},    // the day steps round its month
        {"v", "2/29/2024"},    //
        {"15", "2/15/2024"},   // two digits fill the day
        {"4", "2/4/2024"},     // a third starts it over
        {"<1", "1/4/2024"},    // a one may still get a second digit
        {"3", "3/4/2024"},     // 13 is no month: the 3 starts over
        {">>2030", "3/4/2030"}, // four digits make a year
        {"99<", "3/4/2099"},   // two digits, then leaving the field: this century
        {">>>", "3/4/2099"},   // the ends stay where they are
        {"<<<vv", "1/4/2099"}, //
    };
    for (const TCase& c : cases) {
        Type(c.Keys);
        EXPECT_EQ(control->Text(), c.Text) << c.Keys;
    }
    EXPECT_EQ(control->Time(), EncodeTime(10, 30, 0, 0)) << "the time of day stays";
    EXPECT_EQ(Log.back(), "change 1/4/2099");
}

TEST_F(DateTimePicker, TheTimeModeEditsHoursMinutesSecondsAndTheHalfOfTheDay) {
    control->SetKind(dtkTime);
    EXPECT_EQ(control->Text(), "10:30:00 AM");
    Type("^>7>59>p");
    EXPECT_EQ(control->Text(), "11:07:59 PM");
    Type("<<<12");
    EXPECT_EQ(control->Text(), "12:07:59 PM") << "twelve typed keeps the afternoon";
    Type(">^^");
    EXPECT_EQ(control->Text(), "12:09:59 PM");
    harness.Click(*control, {112, 5});
    EXPECT_EQ(control->Text(), "12:10:59 PM") << "the upper arrow steps the field up";
    EXPECT_EQ(control->Date(), EncodeDate(2024, 1, 31));
    harness.Key(VK_F4);
    EXPECT_FALSE(control->DroppedDown()) << "no calendar for a time";
}

TEST_F(DateTimePicker, LimitsHoldAndBadDatesAreRefused) {
    control->SetMaxDate(EncodeDate(2024, 3, 10));
    EXPECT_THROW(control->SetMinDate(EncodeDate(2024, 3, 11)), EqoError) << "minimum above maximum";
    control->SetMinDate(EncodeDate(2024, 1, 15));
    control->SetDate(EncodeDate(2020, 5, 5));
    EXPECT_EQ(control->Date(), EncodeDate(2024, 1, 15)) << "a date below the minimum is clamped";
    EXPECT_EQ(control->Time(), EncodeTime(10, 30, 0, 0));
    Type("^^^");
    EXPECT_EQ(control->Text(), "3/10/2024") << "stepping stops at the maximum";
    Type(">>1999");
    EXPECT_EQ(control->Text(), "1/15/2024") << "a year typed below the minimum is clamped too";
    for (TDateTime bad : {std::nan(""), 1e9, -1e9, double(INFINITY)})
        EXPECT_THROW(control->SetDateTime(bad), EqoError) << bad;
    EXPECT_THROW(control->SetMaxDate(3e6), EqoError);
    EXPECT_EQ(control->Text(), "1/15/2024") << "a refused value leaves the old one";
}

TEST_F(DateTimePicker, TheCheckBoxSaysWhetherAValueIsSet) {
    control->SetShowCheckbox(true);
    harness.Key(VK_SPACE);
    EXPECT_FALSE(control->Checked());
    harness.Click(*control, {8, 10});
    EXPECT_TRUE(control->Checked());
    harness.Key(VK_SPACE);
    Type("5");
    EXPECT_TRUE(control->Checked()) << "editing a field ticks it";
    EXPECT_EQ(Log, (std::vector<std::string>{"change 1/31/2024", "change 1/31/2024", "change 1/31/2024",
                                             "change 5/31/2024"}));
}

TEST_F(DateTimePicker, TheCalendarDropsDownAndTakesADayOnEnterOrClick) {
    control->SetWeekNumbers(true);
    harness.Key(VK_F4);
    ASSERT_TRUE(control->DroppedDown());
    TqoPopupWindow& dropDown = control->DropDown();
    const TSize least = control->Calendar().MinimumSize();
    EXPECT_EQ(dropDown.BoundsRect(), TRect::Bounds(control->ClientToScreen({0, 21}).X,
                                                   control->ClientToScreen({0, 21}).Y, least.cx + 2, least.cy + 2));
    EXPECT_TRUE(control->Focused()) << "the picker keeps the focus";
    harness.Key(VK_RIGHT);
    harness.Key(VK_DOWN);
    EXPECT_EQ(control->Date(), EncodeDate(2024, 1, 31)) << "moving in the calendar does not choose yet";
    harness.Key(VK_RETURN);
    EXPECT_FALSE(control->DroppedDown());
    EXPECT_EQ(control->Text(), "2/8/2024");
    harness.Key(VK_DOWN, ssAlt);
    harness.Key(VK_NEXT);
    harness.Key(VK_ESCAPE);
    EXPECT_EQ(control->Text(), "2/8/2024") << "Escape leaves the value";
    harness.Click(*control, {110, 10});
    ASSERT_TRUE(control->DroppedDown());
    // The foot names today; a click there takes it.
    TMonthCalendar& calendar = control->Calendar();
    harness.Click(calendar, {calendar.Width() / 2, calendar.Height() - 8});
    EXPECT_EQ(control->Date(), EncodeDate(2024, 2, 14));
    EXPECT_EQ(Log, (std::vector<std::string>{"dropdown", "closeup", "change 2/8/2024", "dropdown", "closeup",
                                             "dropdown", "closeup", "change 2/14/2024"}));
}

TEST_F(DateTimePicker, SurvivesBeingFreedWhileOpenAndByItsHandlers) {
    harness.Key(VK_F4);
    FreeControl();
    harness.Click(form, {200, 150});
    harness.Key(VK_ESCAPE);
    for (int which = 0; which < 3; ++which) {
        control = new TDateTimePicker(&form);
        control->SetParent(&form);
        control->SetFocus();
        TNotifyEvent& event = which == 0 ? control->OnCloseUp : which == 1 ? control->OnChange : control->OnDropDown;
        event = [this](TComponent*) { FreeControl(); };
        harness.Key(VK_F4);
        if (control) harness.Key(VK_RIGHT);
        if (control) harness.Key(VK_RETURN);
        if (control) harness.Key(VK_UP);
        EXPECT_EQ(control, nullptr) << which;
    }
}

TEST_F(DateTimePicker, Looks) {
    EXPECT_TRUE(LooksLike("datetimepicker_focused"));
    form.SetFocus();
    EXPECT_TRUE(LooksLike("datetimepicker_normal"));
    control->SetShowCheckbox(true);
    control->SetChecked(false);
    EXPECT_TRUE(LooksLike("datetimepicker_unchecked"));
    control->SetEnabled(false);
    EXPECT_TRUE(LooksLike("datetimepicker_disabled"));
    control->SetEnabled(true);
    control->SetShowCheckbox(false);
    control->SetKind(dtkTime);
    control->SetFocus();
    EXPECT_TRUE(LooksLike("datetimepicker_time"));
    control->SetKind(dtkDate);
    control->SetWeekNumbers(true);
    control->SetMinDate(EncodeDate(2024, 1, 10));
    control->Calendar().SetToday(EncodeDate(2024, 1, 17));
    harness.Key(VK_F4);
    EXPECT_TRUE(test::LooksLike(harness, control->DropDown(), "datetimepicker_calendar"));
}

} // namespace
} // namespace qo
