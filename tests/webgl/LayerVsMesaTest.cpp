// The web layer against Mesa's own OpenGL 1.1, one small scene per row, each
// built from what the demo's scenes and objects do (LayerCases*.cpp). A row
// passes when no more than `share` of the pixels differ by more than
// `levels` in any channel. One level is rounding: the layer's shaders
// interpolate and blend in floats Mesa rounds in another order. Smooth lines
// and round points follow Mesa's own coverage (lengthened quads,
// perspective-bent coverage coordinates, centres more opaque), so they too
// agree within a level or two; where a row allows more, it says why.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/webgl/LayerScenes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<Case> allCases() {
    std::vector<Case> all = fillCases;
    all.insert(all.end(), lineCases.begin(), lineCases.end());
    return all;
}

class LayerVsMesa : public ::testing::TestWithParam<Case> {};

TEST_P(LayerVsMesa, DrawsWhatMesaDraws) {
    const Case& c = GetParam();
    LayerRig rig;
    const auto layer = rig.drawWithLayer(c.scene);
    const auto mesa = rig.drawWithMesa(c.scene);
    ASSERT_EQ(layer.size(), mesa.size());
    int worst = 0, beyond = 0, touched = 0, firstX = -1, firstY = -1;
    for (std::size_t i = 0; i < mesa.size(); i += 4) {
        int difference = 0;
        for (int k = 0; k < 4; ++k)
            difference = std::max(difference, std::abs(int(layer[i + k]) - int(mesa[i + k])));
        worst = std::max(worst, difference);
        touched += difference > 0;
        if (difference > c.levels && beyond++ == 0) {
            firstX = int(i / 4) % W;
            firstY = int(i / 4) / W;
        }
    }
    const int pixels = W * H;
    std::printf("%s: %d of %d pixels differ, %d by more than %d levels; largest difference %d\n",
                c.name, touched, pixels, beyond, c.levels, worst);
    EXPECT_LE(beyond, c.share * pixels)
        << "first at (" << firstX << ", " << firstY << "): layer "
        << int(layer[(firstY * W + firstX) * 4]) << " vs Mesa " << int(mesa[(firstY * W + firstX) * 4]);
    // A scene both draw as nothing would agree and prove nothing.
    EXPECT_NE(std::count(mesa.begin(), mesa.end(), mesa[0]), std::ptrdiff_t(mesa.size()));
}

INSTANTIATE_TEST_SUITE_P(Scenes, LayerVsMesa, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
