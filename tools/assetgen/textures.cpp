#include "tools/assetgen/palette.h"
void makeTextures(const std::string&) {}
