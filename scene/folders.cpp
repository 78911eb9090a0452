#include "scene/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool isFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string runningProgramFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string file(path, static_cast<std::size_t>(length));
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash == 0 ? 1 : slash);
}

std::string dataFolderFor(const std::string& programFolder) {
    if (isFolder(programFolder + "/DAT")) return programFolder;
    const std::string installed =
        std::filesystem::path(programFolder + "/../share/munchtrail").lexically_normal().string();
    if (isFolder(installed + "/DAT")) return installed;
    return programFolder;
}

std::string xdgFolder(const char* variable, const char* homeFallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    return std::string(home) + "/" + homeFallback;
}

std::string playerSceneFolder() {
    const std::string data = xdgFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data + "/munchtrail/Scenes";
}

std::string sceneSaveFolder(const std::string& dataFolder, bool portable, bool create) {
    const std::string shipped = dataFolder + "/Scenes";
    if (portable && isFolder(shipped) && access(shipped.c_str(), W_OK) == 0) return shipped;
    const std::string own = playerSceneFolder();
    if (own.empty()) return shipped;
    if (create) {
        std::error_code error;
        std::filesystem::create_directories(own, error);
    }
    return own;
}
