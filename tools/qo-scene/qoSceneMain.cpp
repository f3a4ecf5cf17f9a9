// qo-scene SCENE.txt OUT.png: renders a canvas scene file with our canvas.
#include "qoSceneRender.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qo-scene SCENE.txt OUT.png\n");
        return 2;
    }
    try {
        qo::scene::RenderScene(argv[1])->SaveToPNG(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qo-scene: %s\n", e.what());
        return 1;
    }
    return 0;
}
