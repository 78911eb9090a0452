// The asset generator: run at build time, it makes every picture, texture and sound of the
// game and the editor, the help page and the icons, from code and fixed seeds alone, so the
// same build always ships the same bytes. Usage: assetgen <program folder>.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "tools/assetgen/palette.h"

namespace {

bool makeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
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
    return anyFailure() ? 1 : 0;
}
