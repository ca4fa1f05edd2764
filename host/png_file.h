#pragma once

#include <string>
#include <vector>

namespace corvanta::host {

// Writes RGBA pixels, bottom row first as GL reads them, to a PNG file.
bool writePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgba);

} // namespace corvanta::host
