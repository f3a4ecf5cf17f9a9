#include "support/golden/qoGolden.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoPNG.h"
#include "support/qoTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace qo::test {

namespace {

TqoRaster Difference(const TqoRaster& actual, const TqoRaster& expected) {
    TqoRaster diff(std::max(actual.Width(), expected.Width()), std::max(actual.Height(), expected.Height()),
                   0xFF0000);
    for (int32_t y = 0; y < std::min(actual.Height(), expected.Height()); ++y)
        for (int32_t x = 0; x < std::min(actual.Width(), expected.Width()); ++x) {
            const uint32_t e = expected.Row(y)[x];
            // Same pixels faded towards white, different ones red.
            diff.Row(y)[x] = actual.Row(y)[x] != e ? 0xFF0000 : ((e >> 2) & 0x3F3F3F) + 0xC0C0C0;
        }
    return diff;
}

} // namespace

int64_t DifferingPixels(const TqoRaster& actual, const TqoRaster& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) return -1;
    int64_t differing = 0;
    for (int32_t y = 0; y < actual.Height(); ++y)
        for (int32_t x = 0; x < actual.Width(); ++x) differing += actual.Row(y)[x] != expected.Row(y)[x];
    return differing;
}

::testing::AssertionResult ImagesEqual(const TqoRaster& actual, const TqoRaster& expected,
                                       const std::string& name) {
    const int64_t differing = std::max<int64_t>(0, DifferingPixels(actual, expected));
    if (differing == 0 && actual.Width() == expected.Width() && actual.Height() == expected.Height())
        return ::testing::AssertionSuccess();
    SavePNG(actual, OutputPath(name + ".actual.png"));
    SavePNG(expected, OutputPath(name + ".expected.png"));
    SavePNG(Difference(actual, expected), OutputPath(name + ".diff.png"));
    auto failure = ::testing::AssertionFailure() << name << ": ";
    if (differing == 0)
        failure << "size " << actual.Width() << "x" << actual.Height() << ", expected " << expected.Width()
                << "x" << expected.Height();
    else
        failure << differing << " pixels differ";
    return failure << "; see " << OutputPath(name + ".diff.png");
}

::testing::AssertionResult MatchesGolden(const TqoRaster& actual, const std::string& name) {
    const std::string path = std::string(QO_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("QO_UPDATE_GOLDEN");
    if (update && std::strcmp(update, "1") == 0) {
        SavePNG(actual, path);
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path))
        return ::testing::AssertionFailure()
               << "no golden image " << path << " (run with QO_UPDATE_GOLDEN=1)";
    return ImagesEqual(actual, LoadPNG(path), name);
}

} // namespace qo::test
