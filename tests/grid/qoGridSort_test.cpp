// Sorting rows by a column: numbers by value (signs, decimals), equal texts
// by row index in the sort's direction, dates and times by their value in
// the locale's format, empty and mixed columns, and the host's hooks.
#include "qoGrid_test.h"

#include "platform/core/qoDateFormat.h"
#include "platform/core/qoDateTime.h"
#include "platform/core/qoFormatSettings.h"

namespace qo {
namespace {

class GridSort : public test::GridFixture {
protected:
    // One column of the kind holding the texts, one numbering the rows.
    void Fill(TColumnKind kind, const std::vector<std::string>& texts, bool numeric = false) {
        Column("V", kind)->SetNumericSort(numeric);
        Column("N");
        for (size_t i = 0; i < texts.size(); ++i) Row({texts[i], std::to_string(i)});
    }
};

TEST_F(GridSort, NumbersSortByValueWithSignsAndDecimals) {
    struct TCase {
        std::vector<std::string> Texts;
        std::string Ascending, Descending;
    };
    const TCase cases[] = {
        {{"-5", "10", "-20", "3"}, "-20,-5,3,10", "10,3,-5,-20"},
        {{"2.5", "+3", "10", "2.25", "-0.5", "+0"}, "-0.5,+0,2.25,2.5,+3,10", "10,+3,2.5,2.25,+0,-0.5"},
        {{"123456789012345678", "99999999999999999"}, "99999999999999999,123456789012345678",
         "123456789012345678,99999999999999999"},
        // Texts that are not numbers, the empty one among them, come after the numbers.
        {{"b", "", "7", "-1", "a"}, "-1,7,,A,B", "B,A,,7,-1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Ascending);
        control->Columns()->Clear();
        while (Y()->Count() > 1) Y()->Drop(1);
        Fill(tckSimpleEdit, c.Texts, true);
        control->SortColumn(0, false);
        std::string ascending = Texts(0);
        for (char& ch : ascending) ch = char(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(ascending, c.Ascending);
        control->SortColumn(0, true);
        std::string descending = Texts(0);
        for (char& ch : descending) ch = char(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(descending, c.Descending);
    }
}

TEST_F(GridSort, EqualTextsKeepTheirOrderUpAndSwapItDown) {
    Fill(tckSimpleEdit, {"b", "a", "B", "a"});
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(1), "1,3,0,2") << "case does not count; equal texts by row index";
    control->SortColumn(0, true);
    EXPECT_EQ(Texts(1), "2,0,3,1");
}

TEST_F(GridSort, DatesAndTimesSortByValueInTheLocalesFormat) {
    TFormatSettings german;
    ASSERT_TRUE(TryGetLocaleFormatSettings(1031, german));
    const TFormatSettings saved = FormatSettings();
    ASSERT_TRUE(SetLocale(1031));
    auto date = [&](int y, int m, int d) { return FormatDateTime(german.ShortDateFormat, EncodeDate(y, m, d)); };
    Fill(tckDate, {date(2026, 3, 5), date(2025, 12, 24), "soon", date(2026, 1, 10)});
    Column("T", tckTime);
    const char* times[] = {"9:00", "10:00", "8:30", "23:15"};
    for (int i = 0; i < 4; ++i) control->SetText(control->Cell(3, 1 + i), times[i]);
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(1), "1,3,0,2") << "a text that is no date sorts as itself, after the digits";
    control->SortColumn(2, false);
    EXPECT_EQ(Texts(2), "8:30,9:00,10:00,23:15");
    SetLocale(LOCALE_EN_US);
    (void)saved;
}

TEST_F(GridSort, EmptyGridsAndSubGridColumnsSortWithoutHarm) {
    Column("A");
    Column("S", tckSubGrid);
    EXPECT_NO_THROW(control->SortColumn(0, false)) << "no rows";
    Row({"b"});
    Row({"a"});
    control->SortColumn(1, false);
    EXPECT_EQ(Texts(0), "b,a") << "sub-grid cells sort as empty texts: by row index";
    EXPECT_THROW(control->SortColumn(5, false), EListError);
    control->SetHasHeaders(false);
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(0), "a,b") << "without a header row the rows sort all the same";
}

TEST_F(GridSort, TheHostMayStopReplaceOrTakeOverTheSort) {
    Fill(tckSimpleEdit, {"c", "a", "b"});
    control->OnColumnSort = [](TqoGrid*, TqoGrid_Column*, bool, bool& proceed) { proceed = false; };
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(0), "c,a,b");
    control->OnColumnSort = nullptr;
    // Sort strings replaced: by the other column, backwards.
    control->OnGetUserSortCompareString = [](TqoGrid* grid, TqoGrid_Column*, TBabCell* cell, std::string& s) {
        s = std::to_string(9 - std::stoi(grid->GetText(grid->Cell(2, cell->RowIndex()))));
    };
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(1), "2,1,0");
    control->OnGetUserSortCompareString = nullptr;
    control->OnUserSort = [](TqoGrid*, TqoGrid_Column*, std::vector<TAxisContentItem*>& rows, bool& proceed) {
        std::swap(rows.front(), rows.back());
        proceed = false;
    };
    control->SortColumn(0, false);
    EXPECT_EQ(Texts(1), "0,1,2");
}

TEST_F(GridSort, AHeaderClickSortsOnlyColumnsThatAllowIt) {
    Fill(tckSimpleEdit, {"b", "a"});
    control->Repaint();
    auto clickHeader = [&](int x) {
        const TRect r = control->Cell(x, 0)->getVisibleRect();
        harness.Click(*control, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    };
    clickHeader(1);
    EXPECT_EQ(Texts(0), "b,a");
    control->Columns()->Columns(0)->SetSortEnable(true);
    clickHeader(1);
    EXPECT_EQ(Texts(0), "a,b");
    EXPECT_EQ(control->CurrentSortCol(), control->Cell(1, 0));
    clickHeader(1);
    EXPECT_EQ(Texts(0), "b,a");
    EXPECT_TRUE(control->SortUpNotDown());
}

} // namespace
} // namespace qo
