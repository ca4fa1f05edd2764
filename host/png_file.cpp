#include "host/png_file.h"

#include <stb_image.h>
#include <stb_image_write.h>

namespace corvanta::host {

bool writePng(const std::string &path, int width, int height, const std::vector<unsigned char> &rgba) {
    // PNG stores the top row first.
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

bool decodePng(const std::string &bytes, int &width, int &height, std::vector<unsigned char> &rgba,
               std::string &error) {
    stbi_set_flip_vertically_on_load(1);
    int channels = 0;
    unsigned char *pixels =
        stbi_load_from_memory(reinterpret_cast<const unsigned char *>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        error = stbi_failure_reason();
        return false;
    }
    rgba.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
    stbi_image_free(pixels);
    return true;
}

} // namespace corvanta::host
