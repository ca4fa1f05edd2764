#include "host/png_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace corvanta::host {

bool writePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgba) {
    // PNG stores the top row first.
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

} // namespace corvanta::host
