// Artwork: draws the demo's two pictures with cairo — the banner
// ("Velmora" by "Orvak") shown upright at the top left of the final scene,
// and the credits strip shown turned a quarter counter-clockwise at its right
// edge. Both are 512 × 128 (power-of-two sides for OpenGL 1.1 textures).
#pragma once

#include <string>

#include "tools/artwork/BmpWriter.h"

// The font every line is set in; fonts-dejavu-core ships it.
extern const char* const artworkFontPath;

RgbPicture drawBanner(const std::string& fontPath = artworkFontPath);
RgbPicture drawCreditsStrip(const std::string& fontPath = artworkFontPath);
