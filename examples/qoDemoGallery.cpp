// One form with a page control, a header control over a draw grid, scroll
// bars, check boxes, up-downs, edits, combo boxes, a month calendar and
// date-time pickers, an open hint and an open pop-up menu, as a
// newcomer first meets the widgets; live on X11 the header's clicks ask a
// message box and a right click opens the menu.
#include "qoDemoGallery.h"

#include "platform/widgets/qoCheckBox.h"
#include "platform/widgets/qoComboBox.h"
#include "platform/widgets/qoDateTimePicker.h"
#include "platform/widgets/qoDrawGrid.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoHeaderControl.h"
#include "platform/widgets/qoHintWindow.h"
#include "platform/widgets/qoMemo.h"
#include "platform/widgets/qoMonthCalendar.h"
#include "platform/widgets/qoPageControl.h"
#include "platform/widgets/qoPopupMenu.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/widgets/qoUpDown.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

template <class T> T* Add(TWinControl& parent, TRect bounds) {
    T* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBoundsRect(bounds);
    return control;
}

const std::vector<std::string> MenuItems = {"Cut", "Copy", "-", "Paste", "Show week numbers"};

void AddHeader(TTabSheet& sheet) {
    auto* header = Add<THeaderControl>(sheet, TRect::Bounds(8, 8, 250, 18));
    for (const char* text : {"Room", "Monday", "Tuesday", "Wednesday"}) header->AddSection(text, 64);
    header->Section(0).SetMinWidth(30);
    header->DragReorder = true;
    header->OnSectionClick = [](TComponent*, THeaderSection* section) {
        MessageBox("Sort the rooms by " + section->Text() + "?", "Widget gallery", MB_YESNO | MB_ICONQUESTION);
    };
    sheet.OnMouseUp = [&sheet](TComponent*, TMouseButton button, TShiftState, int x, int y) {
        if (button == mbRight) TrackPopupMenu(MenuItems, sheet.ClientToScreen({x, y}));
    };
}

void FillSheet(TTabSheet& sheet) {
    AddHeader(sheet);
    auto* grid = Add<TDrawGrid>(sheet, TRect::Bounds(8, 28, 250, 120));
    grid->SetRowCount(100000);
    grid->SetOptions(grid->Options() | goRowSizing | goDrawFocusSelected);
    grid->OnDrawCell = [grid](TComponent*, int col, int row, const TRect& rect, TGridDrawState) {
        TRect text = rect.Inflate(-3, 0);
        grid->Canvas().Brush().Style = TBrushStyle::bsClear;
        const std::string label = row == 0   ? "Col " + std::to_string(col)
                                  : col == 0 ? std::to_string(row)
                                             : std::to_string(col * row);
        grid->Canvas().DrawTextW(label, text, DT_VCENTER | DT_SINGLELINE);
    };
    auto* week = Add<TCheckBox>(sheet, TRect::Bounds(270, 10, 130, 17));
    week->SetCaption("Week numbers");
    week->SetChecked(true);
    auto* weekend = Add<TCheckBox>(sheet, TRect::Bounds(270, 32, 130, 17));
    weekend->SetCaption("Hide weekends");
    weekend->SetAllowGrayed(true);
    weekend->SetState(cbGrayed);
    auto* off = Add<TCheckBox>(sheet, TRect::Bounds(270, 54, 130, 17));
    off->SetCaption("Disabled");
    off->SetEnabled(false);
    auto* updown = Add<TUpDown>(sheet, TRect::Bounds(270, 80, 17, 24));
    updown->SetPosition(3);
    auto* across = Add<TUpDown>(sheet, {});
    across->SetOrientation(udHorizontal);
    across->SetBoundsRect(TRect::Bounds(295, 84, 32, 16));
    auto* bar = Add<TScrollBar>(sheet, TRect::Bounds(8, 156, 250, 16));
    bar->SetPageSize(20);
    bar->SetPosition(30);
    auto* vbar = Add<TScrollBar>(sheet, {});
    vbar->SetKind(sbVertical);
    vbar->SetBoundsRect(TRect::Bounds(380, 80, 16, 92));
    vbar->SetStaticEdge(true);
    vbar->SetEnabled(false);
    auto* edit = Add<TEdit>(sheet, TRect::Bounds(8, 182, 120, 21));
    edit->SetText("Weekly review");
    auto* combo = Add<TComboBox>(sheet, TRect::Bounds(138, 182, 120, 21));
    combo->SetItems({"Days", "Weeks", "Months", "Quarters"});
    combo->SetItemIndex(1);
    auto* memo = Add<TMemo>(sheet, TRect::Bounds(270, 182, 130, 80));
    memo->SetScrollBars(ssVertical);
    memo->SetText("Notes wrap at the edge of the memo.\nA second line\nand a third\nand more\nand more");
}

// The dates: a month calendar with week numbers, pickers of a date (one
// with a check box) and of a time, and a combo box that takes free text.
void AddDates(TTabSheet& sheet) {
    auto* calendar = Add<TMonthCalendar>(sheet, {});
    calendar->SetWeekNumbers(true);
    const TSize size = calendar->MinimumSize();
    calendar->SetBoundsRect(TRect::Bounds(410, 8, size.cx, size.cy));
    auto* date = Add<TDateTimePicker>(sheet, TRect::Bounds(410, 16 + size.cy, size.cx, 21));
    date->SetDateFormat(dfLong);
    date->SetWeekNumbers(true);
    auto* time = Add<TDateTimePicker>(sheet, TRect::Bounds(410, 44 + size.cy, size.cx, 21));
    time->SetKind(dtkTime);
    auto* due = Add<TDateTimePicker>(sheet, TRect::Bounds(8, 212, 120, 21));
    due->SetShowCheckbox(true);
    due->SetChecked(false);
    auto* unit = Add<TComboBox>(sheet, TRect::Bounds(138, 212, 120, 21));
    unit->SetItems({"Hours", "Days", "Weeks", "Months"});
    unit->SetStyle(csDropDown);
    unit->SetText("3 days");
}

void BuildGallery(TPanel& form) {
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 660, 310);
    auto* pages = Add<TPageControl>(form, TRect::Bounds(6, 6, 648, 298));
    for (const char* caption : {"Widgets", "Schedule", "Notes"}) {
        auto* sheet = new TTabSheet(pages);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    FillSheet(*pages->Pages(0));
    AddDates(*pages->Pages(0));
    pages->Pages(2)->SetTabVisible(false);
    pages->SetFocus();
}

// A pop-up shows over the form where the screen has it.
void DrawPopup(THeadlessHarness& harness, TqoPopupWindow& popup, TBitmap& picture) {
    TBitmap popupPicture;
    harness.Snapshot(popup, popupPicture);
    picture.Canvas().Draw(popup.Left(), popup.Top(), popupPicture);
}

} // namespace

void RenderWidgetGallery(const std::string& outDir) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    BuildGallery(form);
    TBitmap picture;
    harness.Snapshot(form, picture);
    // The hint is a pop-up of its own: it shows over the form where the screen has it.
    THintWindow hint(nullptr);
    const std::string text = "Start 2024-02-01\rStop 2024-02-05\rLength 4 days";
    hint.ActivateHint(hint.CalcHintRect(200, text).Offset(170, 120), text);
    DrawPopup(harness, hint, picture);
    TPopupMenu menu(nullptr);
    for (const std::string& item : MenuItems) menu.AddItem(item);
    menu.SetItemEnabled(3, false);
    menu.SetItemChecked(4, true);
    menu.Popup({284, 96});
    harness.KeyDown(VK_DOWN);
    DrawPopup(harness, menu, picture);
    const std::string path = (std::filesystem::path(outDir) / "qo-demo-widgets.png").string();
    picture.SaveToPNG(path);
    std::printf("widget gallery written to %s\n", std::filesystem::absolute(path).string().c_str());
}

bool ShowWidgetGallery() {
    TPanel form(nullptr);
    BuildGallery(form);
#ifdef _WIN32
    return RunInWin32Window(form, "qoChartix widget gallery");
#else
    return RunInX11Window(form, "qoChartix widget gallery");
#endif
}
