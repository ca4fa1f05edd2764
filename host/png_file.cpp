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
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    int channels = 0;
    if (!stbi_info_from_memory(data, size, &width, &height, &channels)) {
        error = stbi_failure_reason();
        return false;
    }
    if (width > maxPictureSide || height > maxPictureSide) {
        error = "more than " + std::to_string(maxPictureSide) + " pixels a side";
        return false;
    }
    stbi_set_flip_vertically_on_load(1);
    unsigned char *pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 4);
    if (pixels == nullptr) {
        error = stbi_failure_reason();
        return false;
    }
    rgba.assign(pixels, pixels + size_t(width) * size_t(height) * 4);
    stbi_image_free(pixels);
    return true;
}

} // namespace corvanta::host
