#include "tools/assetgen/palette.h"
void makePictures(const std::string&) {}
