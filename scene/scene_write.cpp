// The editor's scene writer and the byte form of a scene. The writer never destroys a scene
// already on disk: it writes through writeFileAtomically.
#include <cstdio>
#include <string>

#include "scene/atomic_file.h"
#include "scene/scene.h"

namespace {

std::string logicalBytes(const Scene& scene) {
    std::string out = scene.title;
    out.append("\0\n", 2);
    char numbers[80];
    int length =
        std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d\n", static_cast<int>(scene.background),
                      static_cast<int>(scene.randomFall), static_cast<int>(scene.fallInterval),
                      static_cast<int>(scene.objective), static_cast<int>(scene.goalScore));
    out.append(numbers, static_cast<std::size_t>(length));
    out.append("\0\n", 2);
    out += scene.description;
    out.append("\0\n", 2);
    for (int row = 0; row < kSceneRows; ++row) {
        for (int column = 0; column < kSceneColumns; ++column) {
            out.push_back(
                static_cast<char>(scene.grid[static_cast<std::size_t>(sceneCellIndex(column, row))]));
        }
    }
    return out;
}

}  // namespace

std::string widenLineEnds(std::string_view logical) {
    std::string disk;
    disk.reserve(logical.size() + 16);
    for (char c : logical) {
        if (c == '\n') disk.push_back('\r');
        disk.push_back(c);
    }
    return disk;
}

std::string narrowLineEnds(std::string_view disk) {
    std::string logical;
    logical.reserve(disk.size());
    for (std::size_t i = 0; i < disk.size(); ++i) {
        if (disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n') continue;
        logical.push_back(disk[i]);
    }
    return logical;
}

std::string sceneDiskBytes(const Scene& scene) {
    return widenLineEnds(logicalBytes(scene));
}

bool writeSceneFile(const char* path, Scene& scene) {
    if (path == nullptr) return false;
    Scene saved = scene;
    if (saved.objective == EatUp) saved.randomFall = 0;
    if (!writeFileAtomically(path, sceneDiskBytes(saved)).ok) return false;
    scene.randomFall = saved.randomFall;
    return true;
}
