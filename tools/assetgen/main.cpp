// The asset generator: run at build time, it makes every picture, texture and sound of the
// game and the editor, the help page and the icons, from code and fixed seeds alone, so the
// same build always ships the same bytes. Usage: assetgen <program folder>.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "scene/data_files.h"
#include "tools/assetgen/palette.h"

namespace {

bool makeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

// The data folder must hold exactly the files of the shared table, pictures at their size:
// anything else is a generator fault the game or the editor would meet at start.
void checkDataFolder(const std::string& root) {
    for (const DataFile& file : kDataFiles) {
        unsigned char header[26] = {};
        std::FILE* in = std::fopen((root + "/" + file.path).c_str(), "rb");
        const bool read = in != nullptr && std::fread(header, 1, sizeof header, in) == sizeof header;
        if (in != nullptr) std::fclose(in);
        auto le32 = [&](int at) {
            return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                             static_cast<unsigned>(header[at + 3]) << 24);
        };
        if (!read || (file.width != 0 && (le32(18) != file.width || le32(22) != file.height)))
            reportFailure(std::string(file.path) + " (missing or not its listed size)");
    }
    DIR* folder = opendir((root + "/DAT").c_str());
    for (dirent* entry = folder ? readdir(folder) : nullptr; entry != nullptr; entry = readdir(folder)) {
        const std::string path = std::string("DAT/") + entry->d_name;
        if (entry->d_name[0] != '.' && findDataFile(path) == nullptr)
            reportFailure(path + " (not in the data table)");
    }
    if (folder != nullptr) closedir(folder);
}

}  // namespace

void saveBmp(const std::string& folder, const std::string& name, const Image& image) {
    if (!writeBmp(folder + "/" + name, image)) reportFailure(name);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <program folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string dat = root + "/DAT";
    const std::string icons = root + "/icons";
    if (!makeFolder(root) || !makeFolder(dat) || !makeFolder(icons)) {
        std::fprintf(stderr, "assetgen: cannot create the folders under %s\n", root.c_str());
        return 1;
    }
    makeFloors(dat);
    makePictures(dat);
    makeSprites(dat);
    makeTextures(dat);
    makeSounds(dat);
    makeReadme(root);
    makeIcons(icons);
    checkDataFolder(root);
    return anyFailure() ? 1 : 0;
}
