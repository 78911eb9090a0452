// Fuzz target of the editor's scene reader: any bytes are read without fault, the texts stay
// within their buffers, and a scene the editor read is written back into bytes that read as
// the same scene.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene/scene.h"
#include "scene/scene_play.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Scene scene, again;
    readSceneBytes(std::string_view(reinterpret_cast<const char*>(data), size), scene);
    playWarnings(scene);  // any field, however odd, is looked at without fault
    if (scene.title.size() > 254 || scene.description.size() > std::size_t{kDescriptionLimit}) std::abort();
    // A title holding a line end, or one that fills the whole title line read, cannot come back
    // unchanged; every other scene must.
    if (scene.title.size() >= 254 || scene.title.find('\n') != std::string::npos) return 0;
    if (scene.description.find('\0') != std::string::npos) return 0;
    readSceneBytes(sceneDiskBytes(scene), again);
    if (again.title != scene.title || again.description != scene.description || again.grid != scene.grid ||
        again.background != scene.background || again.goalScore != scene.goalScore)
        std::abort();
    return 0;
}
