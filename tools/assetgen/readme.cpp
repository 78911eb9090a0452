#include "tools/assetgen/palette.h"
void makeReadme(const std::string&) {}
