// The grid view's in-place editors under injected keys and clicks: how an edit
// starts, commits and cancels, the host's answers that veto or change it, each
// editor's own rules, hosts that free the view or remove the cell midway, and
// a golden image of each editor open over its cell.
#include "qoBabGridView_test.h"

#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"

#include <cctype>
#include <functional>

namespace qo {
namespace {

std::vector<std::string>* gClassLog = nullptr;

void ClassStart(TBabGridView_Custom*, TBabCell* cell) {
    if (gClassLog) gClassLog->push_back(cell ? "start c" + std::to_string(cell->ColumnIndex()) : "start none");
}
void ClassEnd(TBabGridView_Custom*, TBabCell* cell) {
    if (gClassLog) gClassLog->push_back(cell ? "end c" + std::to_string(cell->ColumnIndex()) : "end none");
}

class GridEdit : public test::GridViewFixture {
protected:
    GridEdit() {
        gClassLog = &Log;
        TBabGridView_Custom::InstallClassEvents(ClassStart, ClassEnd);
        Fill(3, 6);
    }
    ~GridEdit() override {
        TBabGridView_Custom::InstallClassEvents(nullptr, nullptr);
        gClassLog = nullptr;
    }
    std::string Text(int x, int y) { return control->GetText(Cell(x, y)); }
    // Key down, character, key up, as a keyboard sends each character.
    void Type(const std::string& text) {
        for (char c : text) {
            if (std::isalnum(static_cast<unsigned char>(c)))
                harness.Key(uint16_t(std::toupper(static_cast<unsigned char>(c))), 0, char16_t(c));
            else
                harness.Char(char16_t(c));
        }
    }
    void ChooseEditor(TBabEditorType type) {
        control->OnChooseEditor = [type](TComponent*, TBabCellData*, TBabEditorType& t) { t = type; };
    }
    // Focuses a cell and opens its editor with F2.
    void EditCell(int x, int y) {
        harness.AdvanceTime(1000); // no double click with the click before
        harness.Click(*control, MiddleOf(x, y));
        harness.Key(VK_F2);
    }
    void LogEditEvents() {
        control->OnChooseEditor = [this, chosen = control->OnChooseEditor](TComponent* s, TBabCellData* d,
                                                                            TBabEditorType& t) {
            Record("choose");
            if (chosen) chosen(s, d, t);
        };
        control->OnEditStop = [this](TComponent*, TWinControl*, TBabCellData*, std::string& text) {
            Record("stop " + text);
        };
        control->OnInplaceEditOnChange = [this](TComponent*, const std::string& text) { Record("change " + text); };
    }
};

TEST_F(GridEdit, F2OpensTheTextEditorOverTheCellAndEnterCommitsInOrder) {
    LogEditEvents();
    harness.Click(*control, MiddleOf(1, 2));
    Log.clear();
    harness.Key(VK_F2);
    TBabInplaceEditor* editor = control->InplaceEditor();
    ASSERT_TRUE(control->Editing());
    EXPECT_EQ(control->CurrentEditor(), editor);
    EXPECT_EQ(control->EditBabSimpleCell(), Cell(1, 2));
    EXPECT_TRUE(editor->Visible() && editor->Focused());
    const TRect r = control->GetEditRect(Cell(1, 2));
    EXPECT_EQ(editor->BoundsRect(), TRect(r.Left, r.Top, r.Right, r.Bottom + 1));
    EXPECT_EQ(editor->SelText(), "c1r2") << "all selected, so typing replaces it";
    Type("xy");
    harness.Key(VK_RETURN);
    EXPECT_FALSE(control->Editing());
    EXPECT_FALSE(editor->Visible());
    EXPECT_TRUE(control->Focused());
    EXPECT_EQ(Text(1, 2), "xy");
    EXPECT_EQ(Log, (std::vector<std::string>{"edit", "choose", "start c1", "change c1r2", "change x", "change xy",
                                             "stop xy", "end c1"}));
}

TEST_F(GridEdit, ACellInASubGridEditsInPlace) {
    delete control;
    control = new test::TTestGridView(&form);
    control->SetParent(&form);
    Attach();
    MakeSubGrid(1, 2);
    Fill(3, 4);
    auto* sub = static_cast<TBabGridCell*>(Cell(1, 2));
    TBabCell* inner = sub->getCell(1, 1);
    const TRect r = inner->getVisibleRect();
    harness.Click(*control, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    harness.Key(VK_F2);
    ASSERT_EQ(control->EditBabSimpleCell(), inner);
    EXPECT_EQ(control->InplaceEditor()->Left(), r.Left);
    EXPECT_EQ(control->InplaceEditor()->Top(), r.Top);
    Type("inside");
    harness.Key(VK_RETURN);
    EXPECT_EQ(control->GetText(inner), "inside");
    EXPECT_EQ(Text(1, 1), "c1r1");
}

TEST_F(GridEdit, EditsStartByF2EnterDoubleClickTypingAndAHeldPress) {
    const struct {
        const char* how;
        std::function<void()> start;
        const char* text; // in the editor once started
    } cases[] = {
        {"F2", [this] { harness.Key(VK_F2); }, "c1r2"},
        {"Enter", [this] { harness.Key(VK_RETURN); }, "c1r2"},
        {"double click", [this] { harness.DoubleClick(*control, MiddleOf(1, 2)); }, "c1r2"},
        {"a letter", [this] { Type("q"); }, "q"},
        {"a held press",
         [this] {
             control->SetAutoEditMode(true);
             harness.Click(*control, MiddleOf(1, 2));
             harness.AdvanceTime(749);
             EXPECT_FALSE(control->Editing());
             harness.AdvanceTime(1);
         },
         "c1r2"},
    };
    for (const auto& c : cases) {
        harness.AdvanceTime(1000);
        harness.Click(*control, MiddleOf(1, 2));
        harness.AdvanceTime(1000);
        c.start();
        EXPECT_TRUE(control->Editing()) << c.how;
        EXPECT_EQ(control->InplaceEditor()->Text(), c.text) << c.how;
        harness.Key(VK_ESCAPE);
        EXPECT_FALSE(control->Editing()) << c.how;
        control->SetAutoEditMode(false);
    }
    control->SetStartEditOnEnter(false);
    harness.Key(VK_RETURN);
    EXPECT_FALSE(control->Editing()) << "Enter starts no edit when switched off";
}

TEST_F(GridEdit, EscapeCancelsWhileTabAndFocusLossCommit) {
    LogEditEvents();
    EditCell(0, 1);
    Type("gone");
    Log.clear();
    harness.Key(VK_ESCAPE);
    EXPECT_EQ(Text(0, 1), "c0r1");
    EXPECT_EQ(Log, std::vector<std::string>{"end c0"}) << "no stop event for an escaped edit";
    EXPECT_TRUE(control->Focused());

    EditCell(0, 2);
    Type("tab");
    harness.Key(VK_TAB);
    EXPECT_EQ(Text(0, 2), "tab");
    EXPECT_TRUE(control->Focused());

    EditCell(0, 5);
    Type("down");
    harness.Key(VK_DOWN);
    EXPECT_EQ(Text(0, 5), "down") << "Up and Down leave the text editor with a commit";

    TCustomControl* target = AddTarget();
    target->SetBounds(305, 205, 10, 10);
    EditCell(0, 3);
    Type("away");
    target->SetFocus();
    EXPECT_EQ(Text(0, 3), "away");
    EXPECT_FALSE(control->Editing());
    EXPECT_TRUE(target->Focused()) << "the commit leaves the focus where it went";

    // A click on another cell commits too, and the view keeps the focus.
    EditCell(0, 4);
    Type("moved");
    harness.Click(*control, MiddleOf(2, 5));
    EXPECT_EQ(Text(0, 4), "moved");
    EXPECT_EQ(Root()->FocusedCell(), Cell(2, 5));
}

TEST_F(GridEdit, TheEditorTakesTheLayoutsFontOrElseTheViews) {
    TLayoutProp big = *control->DefaultContentLayoutProperty();
    big.UseFontInfo = true;
    big.FontName = "Arial";
    big.FontSize = 12;
    big.FontColor = clNavy;
    big.FontStyle = TLayoutProp::StyleBold;
    Cell(1, 1)->SetLayoutProp(&big);
    EditCell(1, 1);
    const TFont& font = control->InplaceEditor()->Font();
    EXPECT_EQ(font.Name, "Arial");
    EXPECT_EQ(font.Size, 12);
    EXPECT_EQ(font.Color, clNavy);
    EXPECT_EQ(font.Style, TFontStyles(fsBold));
    harness.Key(VK_ESCAPE);
    EditCell(1, 2);
    EXPECT_EQ(control->InplaceEditor()->Font(), control->Font()) << "not the last cell's font";
}

TEST_F(GridEdit, TheMemoTakesEnterAsALineBreakAndCommitsOnTab) {
    ChooseEditor(babETMemo);
    EditCell(1, 1);
    EXPECT_EQ(control->CurrentEditor(), control->InplaceMemoEditor());
    Type("one");
    harness.Key(VK_RETURN);
    Type("two");
    EXPECT_TRUE(control->Editing());
    harness.Key(VK_TAB);
    EXPECT_EQ(Text(1, 1), "one\ntwo");
}

TEST_F(GridEdit, TheCheckBoxStartsFromTheTextAndSpaceToggles) {
    auto* data = static_cast<TBabSimpleCellStringData*>(Cell(2, 3)->BabCellData());
    data->SetIsBoolean(true);
    data->SetString("true");
    EditCell(2, 3);
    // The press on the cell (beside the box) focused it; F2 opened the editor.
    ASSERT_EQ(control->CurrentEditor(), control->InplaceBooleanEditor());
    EXPECT_TRUE(control->InplaceBooleanEditor()->Checked());
    const TRect r = control->GetEditRect(Cell(2, 3));
    EXPECT_EQ(control->InplaceBooleanEditor()->BoundsRect(), TRect(r.Left + 1, r.Top + 1, r.Right, r.Top + 1 + 20));
    harness.Key(VK_SPACE, 0, u' ');
    harness.Key(VK_RETURN);
    EXPECT_EQ(data->Value(), "FALSE");
}

TEST_F(GridEdit, TheListChoosesAmongItsItemsAndKeepsATextItLacks) {
    ChooseEditor(babETCombo);
    control->InplaceComboEditor()->SetItems({"red", "green", "blue"});
    control->SetText(Cell(1, 2), "Green");
    EditCell(1, 2);
    TBabInplaceComboEditor* combo = control->InplaceComboEditor();
    EXPECT_EQ(combo->ItemIndex(), 1);
    harness.Key(VK_DOWN);
    EXPECT_EQ(combo->Text(), "blue");
    harness.Key(VK_F4);
    EXPECT_TRUE(combo->DroppedDown());
    harness.Key(VK_UP);
    harness.Key(VK_RETURN);
    EXPECT_TRUE(control->Editing()) << "Enter in the open list takes its item";
    EXPECT_EQ(combo->Text(), "green");
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 2), "green");

    control->SetText(Cell(1, 3), "purple");
    EditCell(1, 3);
    EXPECT_EQ(combo->ItemIndex(), -1);
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 3), "purple") << "no choice made: the text stays";

    // Focus loss commits the list only when asked to.
    control->SetStopEditOnFocusChange(false);
    EditCell(1, 4);
    form.SetFocus();
    EXPECT_TRUE(control->Editing());
    control->SetStopEditOnFocusChange(true);
    combo->SetFocus();
    form.SetFocus();
    EXPECT_FALSE(control->Editing());
}

TEST_F(GridEdit, DatesReadWithMonthNamesWhereTheShortFormatSpellsThem) {
    TFormatSettings named = FormatSettings();
    named.ShortDateFormat = "dd-MMM-yyyy";
    named.DateSeparator = '-';
    EXPECT_EQ(TBabGridView_Custom::SafeStrToDate("05-Mar-2024", named), EncodeDate(2024, 3, 5));
    EXPECT_EQ(TBabGridView_Custom::SafeStrToDate("31-Dec-1999", named), EncodeDate(1999, 12, 31));
    EXPECT_EQ(TBabGridView_Custom::SafeStrToDate("3/5/2024 10:30"), EncodeDate(2024, 3, 5)) << "time cut off";
    EXPECT_THROW(TBabGridView_Custom::SafeStrToDate("soon"), EConvertError);
    EXPECT_THROW(TBabGridView_Custom::SafeStrToDate("05-Foo-2024", named), EConvertError);
}

TEST_F(GridEdit, TheDatePickerWritesTheShortFormatAndKeepsAnUnreadableText) {
    ChooseEditor(babETDateTime);
    TBabInplaceDateTimeEditor* editor = control->InplaceDateTimeEditor();
    const struct {
        const char* cell;
        std::vector<uint16_t> keys; // in the picker, before Tab commits
        std::string stored;
    } cases[] = {
        {"3/5/2024", {}, "3/5/2024"},
        {"2024-3-5 x", {}, "2024-3-5 x"}, // unreadable: kept while the user changes nothing
        {"3/5/2024", {VK_UP}, "4/5/2024"},
        {"3/5/2024", {VK_RIGHT, VK_DOWN}, "3/4/2024"},
        {"", {}, FormatDateTime("m/d/yyyy", Date())},
    };
    for (const auto& c : cases) {
        control->SetText(Cell(1, 2), c.cell);
        EditCell(1, 2);
        ASSERT_EQ(control->CurrentEditor(), editor) << c.cell;
        for (uint16_t key : c.keys) harness.Key(key);
        harness.Key(VK_TAB);
        EXPECT_EQ(Text(1, 2), c.stored) << c.cell;
    }
    // Typed digits are taken when the commit takes the focus back first. The
    // picker keeps the field it was on, as the platform's picker does.
    control->SetText(Cell(1, 2), "3/5/2024");
    EditCell(1, 2);
    harness.Key(VK_LEFT);
    Type("11");
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 2), "11/5/2024");
    // Delete clears the value to 0 and commits; an unticked check box commits date 0 too.
    EditCell(1, 3);
    harness.Key(VK_DELETE);
    EXPECT_FALSE(control->Editing());
    EXPECT_EQ(Text(1, 3), "12/30/1899");
    editor->SetShowCheckbox(true);
    control->SetText(Cell(1, 4), "3/5/2024");
    EditCell(1, 4);
    EXPECT_TRUE(editor->Checked());
    harness.Key(VK_SPACE, 0, u' ');
    EXPECT_FALSE(editor->Checked());
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 4), "12/30/1899");
    // Time mode writes the long time format.
    editor->SetShowCheckbox(false);
    editor->SetKind(dtkTime);
    control->SetText(Cell(1, 5), "13:45");
    EditCell(1, 5);
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 5), "1:45:00 PM");
    // Made anew between edits, the picker starts from its defaults again.
    control->SetInplaceDateTimeClearStatesBetweenEdits(true);
    control->SetText(Cell(1, 5), "3/5/2024");
    EditCell(1, 5);
    EXPECT_EQ(control->InplaceDateTimeEditor()->Kind(), dtkDate);
    EXPECT_EQ(control->InplaceDateTimeEditor()->Text(), "3/5/2024");
    // Made anew by the host during an edit: the edit in the old one ends.
    harness.Key(VK_UP);
    control->ReCreateTBabInplaceDateTimeEditor();
    EXPECT_FALSE(control->Editing());
    EXPECT_EQ(control->CurrentEditor(), nullptr);
    EXPECT_EQ(Text(1, 5), "3/5/2024");
}

TEST_F(GridEdit, TheOpenCalendarTakesEnterAndTheFocusStaysWithThePicker) {
    ChooseEditor(babETDateTime);
    control->SetText(Cell(1, 2), "3/5/2024");
    EditCell(1, 2);
    TBabInplaceDateTimeEditor* editor = control->InplaceDateTimeEditor();
    harness.Key(VK_F4);
    ASSERT_TRUE(editor->DroppedDown());
    EXPECT_TRUE(editor->Focused());
    harness.Key(VK_RIGHT);
    harness.Key(VK_RETURN);
    EXPECT_FALSE(editor->DroppedDown());
    EXPECT_TRUE(control->Editing()) << "Enter in the calendar takes its day";
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 2), "3/6/2024");
}

TEST_F(GridEdit, TheHostVetoesAndChangesKeysAndTexts) {
    bool canModify = false;
    control->OnEditorCanModify = [&](TComponent*, TBabCell*) { return canModify; };
    harness.Click(*control, MiddleOf(1, 2));
    for (uint16_t key : {uint16_t(VK_F2), uint16_t(VK_RETURN)}) harness.Key(key);
    harness.DoubleClick(*control, MiddleOf(1, 2));
    EXPECT_FALSE(control->Editing()) << "a cell that may not change opens no editor";

    canModify = true;
    control->OnInplaceEditKeyPress = [](TComponent*, char16_t& key, TWinControl*) {
        if (key == u'x') key = 0;
        if (key == u'a') key = u'b';
    };
    control->OnEditStop = [](TComponent*, TWinControl*, TBabCellData*, std::string& text) { text += "!"; };
    harness.Key(VK_F2);
    Type("xay");
    EXPECT_EQ(control->InplaceEditor()->Text(), "by");
    canModify = false;
    Type("z");
    harness.Key(VK_BACK);
    EXPECT_EQ(control->InplaceEditor()->Text(), "by") << "no change once the cell may not change";
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 2), "by!");

    // A key the view refuses is cleared with a beep.
    struct TNoDigits : test::TTestGridView {
        using TTestGridView::TTestGridView;
        bool EditorValidKey(char16_t key) override { return key < u'0' || key > u'9'; }
    };
    delete control;
    control = new TNoDigits(&form);
    control->SetParent(&form);
    Attach();
    Fill(2, 2);
    EditCell(1, 1);
    const int beeps = harness.Backend().Beeps();
    Type("a1");
    EXPECT_EQ(control->InplaceEditor()->Text(), "a");
    EXPECT_EQ(harness.Backend().Beeps(), beeps + 1);
}

TEST_F(GridEdit, HiddenFixedAndOverlongCellsGetADefinedResult) {
    Root()->SetFixedCols(1);
    harness.Click(*control, MiddleOf(2, 2));
    Root()->AxisContentListX()->Items(2)->SetHide(true);
    harness.Key(VK_F2);
    EXPECT_FALSE(control->Editing()) << "a hidden cell";
    Root()->AxisContentListX()->Items(2)->SetHide(false);
    Root()->SetFocusedCell(Cell(0, 2));
    harness.Key(VK_F2);
    EXPECT_FALSE(control->Editing()) << "a fixed cell";

    // A text longer than the editor's limit is shown whole, refuses more, and comes back unchanged.
    control->InplaceEditor()->SetMaxLength(5);
    control->SetText(Cell(1, 3), "abcdefgh");
    EditCell(1, 3);
    harness.Key(VK_END);
    Type("x");
    EXPECT_EQ(control->InplaceEditor()->Text(), "abcdefgh");
    harness.Key(VK_RETURN);
    EXPECT_EQ(Text(1, 3), "abcdefgh");
}

TEST_F(GridEdit, ARemovedCellEndsItsEditAndACommitInsideACommitDoesNothing) {
    EditCell(1, 3);
    Type("lost");
    Log.clear();
    Root()->AxisContentListY()->Drop(3);
    harness.RunUntilIdle();
    EXPECT_FALSE(control->Editing());
    EXPECT_FALSE(control->InplaceEditor()->Visible());
    EXPECT_EQ(Log, std::vector<std::string>{"end none"});
    EXPECT_EQ(Text(1, 3), "c1r4") << "the next row moved up, untouched";

    int stops = 0;
    control->OnEditStop = [&](TComponent*, TWinControl*, TBabCellData*, std::string&) {
        ++stops;
        control->StopEditing();
        control->BreakEditing();
    };
    EditCell(1, 2);
    Type("kept");
    harness.Key(VK_RETURN);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(control->Editing());
    EXPECT_EQ(Text(1, 2), "kept") << "the cancel inside the commit waited for it";
}

TEST_F(GridEdit, AHostThatFreesTheViewInsideAnEditEventEndsItCleanly) {
    const struct {
        const char* when;
        std::function<void()> arm, act;
    } cases[] = {
        {"the commit",
         [this] {
             control->OnEditStop = [this](TComponent*, TWinControl*, TBabCellData*, std::string&) { FreeControl(); };
         },
         [this] {
             EditCell(1, 1);
             harness.Key(VK_RETURN);
         }},
        {"a change",
         [this] {
             control->OnInplaceEditOnChange = [this](TComponent*, const std::string& text) {
                 if (text == "x") FreeControl();
             };
         },
         [this] {
             EditCell(1, 1);
             Type("xy");
         }},
        {"a key",
         [this] { control->OnInplaceEditKeyPress = [this](TComponent*, char16_t&, TWinControl*) { FreeControl(); }; },
         [this] {
             EditCell(1, 1);
             harness.Key(VK_ESCAPE);
         }},
        {"the choice of editor",
         [this] { control->OnChooseEditor = [this](TComponent*, TBabCellData*, TBabEditorType&) { FreeControl(); }; },
         [this] { EditCell(1, 1); }},
    };
    for (const auto& c : cases) {
        if (!control) {
            control = new test::TTestGridView(&form);
            control->SetParent(&form);
            Attach();
            Fill(3, 3);
        }
        c.arm();
        c.act();
        harness.RunUntilIdle();
        EXPECT_EQ(control, nullptr) << c.when;
    }
}

TEST_F(GridEdit, LooksOfEachEditorOpenOverItsCell) {
    const struct {
        TBabEditorType type;
        const char* text;
        const char* golden;
    } cases[] = {
        {babETEdit, "edit me", "gridedit_text"},
        {babETMemo, "two\nlines", "gridedit_memo"},
        {babETCombo, "green", "gridedit_combo"},
        {babETBool, "TRUE", "gridedit_bool"},
        {babETDateTime, "3/5/2024", "gridedit_date"},
    };
    control->InplaceComboEditor()->SetItems({"red", "green", "blue"});
    for (const auto& c : cases) {
        ChooseEditor(c.type);
        static_cast<TBabSimpleCellStringData*>(Cell(1, 2)->BabCellData())->SetIsBoolean(c.type == babETBool);
        control->SetText(Cell(1, 2), c.text);
        EditCell(1, 2);
        ASSERT_TRUE(control->Editing()) << c.golden;
        EXPECT_TRUE(LooksLike(c.golden));
        harness.Key(VK_ESCAPE);
    }
}

} // namespace
} // namespace qo
