// Icons come from paths a host names: broken and hostile files must end in a
// clean EqoError. Image lists draw them by index.
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoImageList.h"
#include "support/qoTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>

namespace qo {
namespace {

std::vector<uint8_t> Sample() {
    std::ifstream in(std::string(QO_ICON_DIR) + "/sample.ico", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d.at(at + i) = uint8_t(v >> (8 * i));
}

// The sample holds a 16x16 4-bit image with a mask, then a 32x32 32-bit one.
constexpr size_t FirstEntry = 6, FirstImage = 6 + 2 * 16;

TEST(Icon, LoadsTheImageNearestTheWantedSize) {
    const auto data = Sample();
    ASSERT_FALSE(data.empty());
    const TqoIcon small = LoadIconFromMemory(data, 16);
    ASSERT_EQ(small.Pixels.Width(), 16);
    EXPECT_EQ(small.Pixels.Row(0)[0] >> 24, 0u) << "masked pixels are transparent";
    EXPECT_EQ(small.Pixels.Row(2)[2], 0xFF0000FFu) << "palette colour, opaque";
    EXPECT_EQ(small.Pixels.Row(2)[3], 0xFFFF0000u);
    const TqoIcon large = LoadIconFromMemory(data);
    ASSERT_EQ(large.Pixels.Width(), 32);
    EXPECT_EQ(large.Pixels.Row(16)[16], 0xFF00A000u);
    EXPECT_EQ(large.Pixels.Row(0)[0] >> 24, 0u);
    EXPECT_EQ(LoadIconFromMemory(data, 30).Pixels.Width(), 32);
}

TEST(Icon, BrokenFilesGiveACleanError) {
    using TBreak = std::function<void(std::vector<uint8_t>&)>;
    const std::pair<const char*, TBreak> cases[] = {
        {"empty", [](auto& d) { d.clear(); }},
        {"header cut", [](auto& d) { d.resize(5); }},
        {"directory cut", [](auto& d) { d.resize(FirstEntry + 20); }},
        {"image cut", [](auto& d) { d.resize(FirstImage + 60); }},
        {"not an icon", [](auto& d) { d[2] = 7; }},
        {"no images", [](auto& d) { d[4] = d[5] = 0; }},
        {"more entries than bytes", [](auto& d) { d[4] = d[5] = 0xFF; }},
        {"offset past the end", [](auto& d) { Put32(d, FirstEntry + 12, 0x7FFFFFF0); }},
        {"length past the end", [](auto& d) { Put32(d, FirstEntry + 8, 0xFFFFFFFF); }},
        {"huge width", [](auto& d) { Put32(d, FirstImage + 4, 100000); }},
        {"negative height", [](auto& d) { Put32(d, FirstImage + 8, uint32_t(-32)); }},
        {"odd depth", [](auto& d) { d[FirstImage + 14] = 7; }},
        {"compressed", [](auto& d) { d[FirstImage + 16] = 1; }},
        {"header size beyond the image", [](auto& d) { Put32(d, FirstImage, 0x10000); }},
        {"palette index out of range", [](auto& d) { d[FirstImage + 32] = 2; }},
        {"bad embedded PNG",
         [](auto& d) {
             d[FirstImage] = 0x89, d[FirstImage + 1] = 'P', d[FirstImage + 2] = 'N', d[FirstImage + 3] = 'G';
         }},
    };
    for (const auto& [name, breakIt] : cases) {
        auto data = Sample();
        breakIt(data);
        EXPECT_THROW(LoadIconFromMemory(data, 16), EqoError) << name;
    }
    const std::string path = test::OutputPath("cut.ico");
    auto cut = Sample();
    cut.resize(100);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(cut.data()), std::streamsize(cut.size()));
    EXPECT_THROW(LoadIconFromFile(path, 16), EqoError);
    EXPECT_THROW(LoadIconFromFile(test::OutputPath("missing.ico")), EqoError);
}

TEST(Icon, EveryTruncationAndRandomDamageEndsInIconOrError) {
    const auto sample = Sample();
    auto tryLoad = [](const std::vector<uint8_t>& d) {
        try {
            const TqoIcon icon = LoadIconFromMemory(d);
            EXPECT_GT(icon.Pixels.Width(), 0);
        } catch (const EqoError&) {
        }
    };
    for (size_t n = 0; n < sample.size(); ++n) tryLoad({sample.begin(), sample.begin() + ptrdiff_t(n)});
    std::mt19937 random(20261210);
    for (int round = 0; round < 3000; ++round) {
        auto d = sample;
        for (int k = 0; k < 4; ++k) d[random() % 80] = uint8_t(random());
        tryLoad(d);
    }
}

class ImageListTest : public ::testing::Test {
protected:
    TImageList fList{4, 4};
    TBitmap fStrip{12, 4};
    void SetUp() override {
        // Three images: red, green, blue, each with a fuchsia (transparent) top-left pixel.
        const TColor colors[] = {clRed, clLime, clBlue};
        for (int32_t i = 0; i < 3; ++i) {
            fStrip.Canvas().Brush().Color = colors[i];
            fStrip.Canvas().FillRect(TRect::Bounds(4 * i, 0, 4, 4));
            fStrip.Canvas().SetPixel(4 * i, 0, clFuchsia);
        }
        fList.SetTransparentColor(clFuchsia);
    }
};

TEST_F(ImageListTest, AddsDrawsAndHandsOutImagesByIndex) {
    EXPECT_EQ(fList.Add(fStrip), 0);
    EXPECT_EQ(fList.Count(), 3);
    TBitmap target(10, 10);
    target.Handle().SetViewportOrg({1, 1});
    fList.Draw(target.Canvas(), 2, 2, 1);
    fList.Draw(target.Canvas(), 0, 0, 7);
    EXPECT_EQ(target.Pixel(3, 3), clWhite) << "transparent pixel";
    EXPECT_EQ(target.Pixel(4, 3), clLime);
    EXPECT_EQ(target.Pixel(6, 6), clLime);
    EXPECT_EQ(target.Pixel(7, 7), clWhite);
    TBitmap out;
    fList.GetBitmap(2, out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Pixel(0, 0), clFuchsia);
    EXPECT_EQ(out.Pixel(1, 0), clBlue);
    EXPECT_THROW(fList.GetBitmap(3, out), EListError);
    EXPECT_THROW(fList.Add(TBitmap(3, 3)), EqoError);
    fList.SetSize(8, 8);
    EXPECT_EQ(fList.Count(), 0);
}

TEST_F(ImageListTest, IconsAreScaledToTheListSizeAndBlendTheirAlpha) {
    const int32_t index = fList.AddIcon(LoadIconFromMemory(Sample()));
    TBitmap target(4, 4);
    fList.Draw(target.Canvas(), 0, 0, index);
    EXPECT_EQ(target.Pixel(0, 0), clWhite);
    EXPECT_EQ(target.Pixel(2, 2), TColor(0x00A000));
}

} // namespace
} // namespace qo
