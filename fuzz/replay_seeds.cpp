// Replays every file of the folders given through a fuzz target's entry point, once each: the
// seed folders checked by CTest in the builds without libFuzzer. A target that tells whether it
// accepted its input sets fuzzAccepted; then files named bad-* must be refused, all others read.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
__attribute__((weak)) int fuzzAccepted = -1;

int main(int argc, char** argv) {
    int files = 0, wrong = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;  // tests/replays keeps the scenes' games in a folder
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes(std::istreambuf_iterator<char>(in), {});
            fuzzAccepted = -1, ++files;
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            if (fuzzAccepted == (entry.path().filename().string().rfind("bad-", 0) == 0 ? 1 : 0))
                std::printf("%s: %s\n", entry.path().c_str(), fuzzAccepted ? "accepted" : "refused"), ++wrong;
        }
    }
    std::printf("%d files replayed, %d wrong\n", files, wrong);
    return files == 0 || wrong != 0;
}
