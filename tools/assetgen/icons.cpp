#include "tools/assetgen/palette.h"
void makeIcons(const std::string&) {}
