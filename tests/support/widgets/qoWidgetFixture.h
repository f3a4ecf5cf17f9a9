#pragma once
// A form with one control in it, on the headless backend with virtual time:
// the fixture of every widget test. Notifications go into Log in the order
// they came; pictures of the control are compared with golden images.
#include "platform/window/qoHeadless.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qo::test {

// The picture of a windowed control as a screen shows it (its windowed
// children on top), or of the part of its parent it covers.
void PictureOf(THeadlessHarness& harness, TControl& control, TBitmap& out);
::testing::AssertionResult LooksLike(THeadlessHarness& harness, TControl& control, const std::string& golden);

class TFormFixture : public ::testing::Test {
protected:
    TFormFixture();

    // "what" for the log, with the arguments.
    void Record(const std::string& entry) { Log.push_back(entry); }
    // A focusable control in the form at (10, 10, 50 x 50) that logs "press"
    // and "key N": where the input goes that a pop-up or a modal piece lets by.
    TCustomControl* AddTarget();
    THeadlessHarness harness;
    TPanel form{nullptr};
    std::vector<std::string> Log;
};

template <class T> class TWidgetFixture : public TFormFixture {
protected:
    TWidgetFixture() {
        control = new T(&form);
        control->SetParent(&form);
    }
    void Place(const TRect& bounds) { control->SetBoundsRect(bounds); }
    ::testing::AssertionResult LooksLike(const std::string& golden) {
        return test::LooksLike(harness, *control, golden);
    }
    // Frees the control, as a handler of its own notifications may.
    void FreeControl() {
        delete control;
        control = nullptr;
    }

    T* control;
};

} // namespace qo::test
