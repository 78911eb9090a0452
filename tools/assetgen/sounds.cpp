#include "tools/assetgen/palette.h"
void makeSounds(const std::string&) {}
