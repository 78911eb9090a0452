// Fuzz target of scenetool's source form: any file dumps to a source that builds back into the
// same bytes, and any text that builds at all builds into a file that survives the same trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/scenetool/scene_report.h"
#include "tools/scenetool/source_form.h"

namespace {

void expectRoundTrip(const std::string& disk) {
    std::string again, error;
    if (!buildSource(dumpSource(disk), again, error) || again != disk) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    expectRoundTrip(bytes);
    checkSceneBytes(bytes);
    showScene(bytes);
    std::string built, error;
    if (buildSource(bytes, built, error)) expectRoundTrip(built);
    return 0;
}
