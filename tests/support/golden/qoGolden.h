#pragma once
// Golden images: pixel-exact comparison with PNG files under tests/golden.
//
// On a mismatch the actual image, the expected one and a difference image
// (differing pixels red over a faded copy of the expected image) are written to
// the build's test-output folder as NAME.actual.png, NAME.expected.png and
// NAME.diff.png.
//
// To regenerate: run the tests with QO_UPDATE_GOLDEN=1 in the environment; every
// golden comparison then writes its actual image to tests/golden/NAME.png and
// passes. Look at each changed image before committing it.
#include "platform/graphics/qoRaster.h"

#include <gtest/gtest.h>

#include <string>

namespace qo::test {

// Pixels that differ between two images of one size; -1 when the sizes differ.
int64_t DifferingPixels(const TqoRaster& actual, const TqoRaster& expected);
::testing::AssertionResult ImagesEqual(const TqoRaster& actual, const TqoRaster& expected,
                                       const std::string& name);
::testing::AssertionResult MatchesGolden(const TqoRaster& actual, const std::string& name);

} // namespace qo::test
