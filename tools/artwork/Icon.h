// Icon: the demo's application icon, a dot sphere like the intro's floating
// over a violet glow on a dark rounded square. One drawing serves every size:
// raster icons for the desktop's theme and a scalable SVG.
#pragma once

#include <string>

// A size × size PNG with a transparent margin; throws std::runtime_error when
// the file cannot be written.
void writeIconPng(int size, const std::string& path);

// The same drawing as SVG on a 256 × 256 canvas.
void writeIconSvg(const std::string& path);
