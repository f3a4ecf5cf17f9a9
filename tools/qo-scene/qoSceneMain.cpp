// qo-scene SCENE.txt OUT.png: renders a canvas scene file with our canvas; a
// scene that measures text also gets OUT.extents, in the form of the GDI
// renderer's SCENE.gdi.extents.
#include "qoSceneRender.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qo-scene SCENE.txt OUT.png\n");
        return 2;
    }
    try {
        std::string extents;
        qo::scene::RenderScene(argv[1], &extents)->SaveToPNG(argv[2]);
        if (qo::scene::Measures(extents)) {
            const std::string out(argv[2]);
            std::ofstream(out.substr(0, out.rfind(".png")) + ".extents", std::ios::binary) << extents;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qo-scene: %s\n", e.what());
        return 1;
    }
    return 0;
}
