#pragma once
// The grid view's five in-place editors: a text edit, a memo, a drop-down
// list, a check box and a date editor, each a common widget that the view
// places over the cell being edited. They hand every key to the view's
// editing rules first (commit, cancel, refusals), report their changes to
// it, and commit when they lose the focus (the list and the date picker only
// when the view asks for it).
#include "platform/core/qoDateTime.h"
#include "platform/widgets/qoCheckBox.h"
#include "platform/widgets/qoComboBox.h"
#include "platform/widgets/qoDateTimePicker.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoMemo.h"

#include <string>

namespace qo {

class TBabGridView_Custom;

enum TBabEditorType { babETEdit = 0, babETMemo = 1, babETCombo = 2, babETBool = 3, babETDateTime = 4 };

// What every editor shares, on top of its widget.
template <class TWidget> class TBabInplace : public TWidget {
public:
    explicit TBabInplace(TBabGridView_Custom* view);
    TBabGridView_Custom* BabGridView() const { return fBabGridView; }

protected:
    // A multi-line editor keeps Enter for itself.
    virtual bool MultiLine() const { return false; }
    virtual bool CommitsOnFocusLoss() const { return true; }
    // Keys that belong to the widget before the view's rules (an open list's Enter).
    virtual bool WidgetTakesKey(uint16_t key) const { return (void)key, false; }
    // An editor's own key-down rule after the view's; true when it used the key.
    virtual bool EditorKeyDown(uint16_t key, TShiftState shift) { return (void)key, (void)shift, false; }
    void Changed();

    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;

    TqoAlive fEditorAlive;

private:
    TBabGridView_Custom* fBabGridView;
};

// Made once, in qoBabGridEdit.cpp, for the four widgets in use.
extern template class TBabInplace<TEdit>;
extern template class TBabInplace<TMemo>;
extern template class TBabInplace<TComboBox>;
extern template class TBabInplace<TCheckBox>;
extern template class TBabInplace<TDateTimePicker>;

class TBabInplaceEditor : public TBabInplace<TEdit> {
public:
    explicit TBabInplaceEditor(TBabGridView_Custom* view);

protected:
    bool EditorKeyDown(uint16_t key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
};

class TBabInplaceMemoEditor : public TBabInplace<TMemo> {
public:
    explicit TBabInplaceMemoEditor(TBabGridView_Custom* view);

protected:
    bool MultiLine() const override { return true; }
};

// Starts on the cell's text when an item has it; without a user's choice
// the commit gives that text back, so a text the list lacks is not lost.
class TBabInplaceComboEditor : public TBabInplace<TComboBox> {
public:
    explicit TBabInplaceComboEditor(TBabGridView_Custom* view);
    void StartWith(const std::string& text);
    std::string EditText() const;

protected:
    bool CommitsOnFocusLoss() const override;
    bool WidgetTakesKey(uint16_t key) const override;

private:
    std::string fStartText;
};

class TBabInplaceBoolEditor : public TBabInplace<TCheckBox> {
public:
    explicit TBabInplaceBoolEditor(TBabGridView_Custom* view);
    // "TRUE" or "FALSE".
    std::string EditText() const { return Checked() ? "TRUE" : "FALSE"; }
};

// The date-time picker over a date or time cell. A cell's text that reads
// as no date or time is kept: the picker starts from today (or midnight),
// and a commit without a change by the user gives the text back.
class TBabInplaceDateTimeEditor : public TBabInplace<TDateTimePicker> {
public:
    explicit TBabInplaceDateTimeEditor(TBabGridView_Custom* view);

    // The value of a cell's text: in time mode its time, else its date (a
    // month name read where the short format spells months); empty: midnight,
    // or today in date mode.
    void StartFrom(const std::string& text);
    // The text a value is written as: the long time, or the short date.
    std::string Format(TDateTime value) const;
    // What a commit stores; date 0 while the check box shows unticked.
    std::string EditText() const;

protected:
    bool CommitsOnFocusLoss() const override;
    bool WidgetTakesKey(uint16_t key) const override;
    bool EditorKeyDown(uint16_t key, TShiftState shift) override;

private:
    std::string fKeptText; // an unreadable start text
    bool fUserChanged = false;
};

} // namespace qo
