#pragma once
// A horizontal scaler of 700 x 48 pixels on a form, on virtual time.
#include "platform/window/qoHeadless.h"
#include "scale/qoScaler.h"

#include <gtest/gtest.h>

namespace qo::test {

// Monday 4 March 2024.
inline const TDateTime kMonday = EncodeDate(2024, 3, 4);
constexpr TqoHiddenDays kWeekend = (1u << thdSAT) | (1u << thdSUN);

class ScalerFixture : public ::testing::Test {
protected:
    ScalerFixture() {
        form.SetBounds(0, 0, 720, 60);
        form.SetBevelOuter(bvNone);
        scaler = new TqoDateScaler(&form);
        scaler->SetParent(&form);
        scaler->SetHorizontal(true);
        scaler->SetBounds(0, 0, 700, 48);
        SetRange(kMonday, kMonday + 7);
    }
    void SetRange(TDateTime start, TDateTime stop) {
        scaler->SetStart(start);
        scaler->SetStop(stop);
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
    TqoDateScaler* scaler;
};

} // namespace qo::test
