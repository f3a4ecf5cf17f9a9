// Every committed scene, drawn by our canvas, matches the same scene drawn by
// GDI (tools/gdi-scene regenerates the references), pixel for pixel.
#include "platform/graphics/qoPNG.h"
#include "qoSceneRender.h"
#include "support/golden/qoGolden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qo {
namespace {

std::vector<std::string> SceneNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(QO_SCENE_DIR))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The bounds of the pixels that are not white.
TRect InkBox(const TqoRaster& raster) {
    TRect box;
    for (int32_t y = 0; y < raster.Height(); ++y)
        for (int32_t x = 0; x < raster.Width(); ++x)
            if (raster.Row(y)[x] != 0xFFFFFF) box = UnionRect(box, TRect::Bounds(x, y, 1, 1));
    return box;
}

class SceneConformance : public ::testing::TestWithParam<std::string> {};

std::vector<std::string> Lines(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Scenes named text-* hold text only: glyph shapes differ between renderers, so
// their ink must cover the same box within a pixel on each side; how many pixels
// differ is recorded with the result. What a scene measures (SCENE.gdi.extents)
// must equal GDI's answers exactly.
TEST_P(SceneConformance, MatchesGdiPixelForPixel) {
    const std::string base = std::string(QO_SCENE_DIR) + "/" + GetParam();
    std::string extents;
    const auto ours = scene::RenderScene(base + ".txt", &extents);
    const TqoRaster gdi = LoadPNG(base + ".gdi.png");
    if (std::filesystem::exists(base + ".gdi.extents")) {
        const auto expected = Lines(std::ifstream(base + ".gdi.extents"));
        const auto actual = Lines(std::istringstream(extents));
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < actual.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "GDI answered";
    }
    if (GetParam().rfind("text-", 0) != 0) {
        EXPECT_TRUE(test::ImagesEqual(ours->Raster(), gdi, "scene-" + GetParam()));
        return;
    }
    RecordProperty("differing_pixels", test::DifferingPixels(ours->Raster(), gdi));
    const TRect a = InkBox(ours->Raster()), b = InkBox(gdi);
    ASSERT_FALSE(b.IsEmpty());
    for (auto side : {&TRect::Left, &TRect::Top, &TRect::Right, &TRect::Bottom})
        EXPECT_LE(std::abs(a.*side - b.*side), 1)
            << "ours " << a.Left << "," << a.Top << "," << a.Right << "," << a.Bottom << " GDI " << b.Left
            << "," << b.Top << "," << b.Right << "," << b.Bottom;
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneConformance, ::testing::ValuesIn(SceneNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(SceneFiles, EverySceneHasItsGdiReference) {
    ASSERT_FALSE(SceneNames().empty());
    for (const std::string& name : SceneNames())
        EXPECT_TRUE(std::filesystem::exists(std::string(QO_SCENE_DIR) + "/" + name + ".gdi.png")) << name;
}

void WriteScene(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "w");
    std::fputs(text, f);
    std::fclose(f);
}

TEST(SceneFiles, TextKeepsItsHashAndUsesTheFont) {
    const std::string path = ::testing::TempDir() + "text-scene.txt";
    WriteScene(path, "canvas 120 20\nfont Arial 10 b 0x0000FF # red bold\ntext 2 2 No #1\n");
    const auto bitmap = scene::RenderScene(path);
    TBitmap expected(120, 20);
    expected.Canvas().Font() = {"Arial", 10, clRed, fsBold, 0};
    expected.Canvas().Brush().Style = TBrushStyle::bsClear;
    expected.Canvas().TextOut(2, 2, "No #1");
    EXPECT_TRUE(test::ImagesEqual(bitmap->Raster(), expected.Raster(), "scene-text"));
}

TEST(SceneFiles, BadScenesAreRejectedWithTheLine) {
    const std::string path = ::testing::TempDir() + "bad-scene.txt";
    for (const char* text : {"pen 1 2\n", "canvas 10 10\npen 0x0 1 dash copy\n", "canvas 10 10\nwobble 1\n",
                             "canvas 10 10\npolygon 1 2 3\n", "canvas 10 10\nbrush pattern 2 2 011 0 0\n"}) {
        WriteScene(path, text);
        EXPECT_THROW(scene::RenderScene(path), std::runtime_error) << text;
    }
}

} // namespace
} // namespace qo
