#pragma once

#include <string>
#include <vector>

namespace corvanta::host {

// The largest picture side decodePng accepts.
constexpr int maxPictureSide = 4096;

// Writes RGBA pixels, bottom row first as GL reads them, to a PNG file.
bool writePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgba);

// Decodes a PNG file's bytes into RGBA pixels, bottom row first as GL takes
// them. On failure `error` says why.
bool decodePng(const std::string &bytes, int &width, int &height, std::vector<unsigned char> &rgba,
               std::string &error);

} // namespace corvanta::host
