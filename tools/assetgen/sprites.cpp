#include "tools/assetgen/palette.h"
void makeSprites(const std::string&) {}
