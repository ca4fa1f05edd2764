// Checks the pixels of PNG files:
//   png_check FILE CHECK... [FILE CHECK...]...
// where a CHECK is X,Y=R,G,B (X and Y from the top left) or like:OTHER.png
// (every pixel as in OTHER, a picture of the same size). Each channel may
// differ by at most 4.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::unique_ptr<unsigned char, void (*)(void *)> pixels{nullptr, stbi_image_free};

    explicit Picture(const char *path) {
        int channels = 0;
        pixels.reset(stbi_load(path, &width, &height, &channels, 4));
        if (!pixels) std::fprintf(stderr, "cannot read %s\n", path);
    }
    const unsigned char *at(int x, int y) const {
        return pixels.get() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
};

bool close(const unsigned char *a, const unsigned char *b) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(a[c] - b[c]) > 4) return false;
    return true;
}

// Returns 0 if the check holds, 1 if it does not and 2 if it cannot be made.
int check(const Picture &picture, const char *text) {
    if (std::strncmp(text, "like:", 5) == 0) {
        const Picture other(text + 5);
        if (!other.pixels || other.width != picture.width || other.height != picture.height) return 2;
        int differing = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                differing += close(picture.at(x, y), other.at(x, y)) ? 0 : 1;
        std::printf("%s %d pixels differ from %s\n", differing == 0 ? "ok  " : "FAIL", differing, text + 5);
        return differing == 0 ? 0 : 1;
    }
    int x, y, expected[3];
    if (std::sscanf(text, "%d,%d=%d,%d,%d", &x, &y, &expected[0], &expected[1], &expected[2]) != 5 || x < 0 ||
        y < 0 || x >= picture.width || y >= picture.height) {
        std::fprintf(stderr, "cannot read the check %s (X,Y=R,G,B or like:FILE)\n", text);
        return 2;
    }
    const unsigned char *pixel = picture.at(x, y);
    const unsigned char wanted[3] = {(unsigned char)expected[0], (unsigned char)expected[1],
                                     (unsigned char)expected[2]};
    const bool ok = close(pixel, wanted);
    std::printf("%s pixel %d,%d = %d,%d,%d (expected %d,%d,%d)\n", ok ? "ok  " : "FAIL", x, y, pixel[0],
                pixel[1], pixel[2], expected[0], expected[1], expected[2]);
    return ok ? 0 : 1;
}

bool isPicture(const std::string &arg) {
    return arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".png") == 0 && arg.compare(0, 5, "like:") != 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3 || !isPicture(argv[1])) {
        std::fprintf(stderr, "usage: png_check FILE CHECK... [FILE CHECK...]...\n");
        return 2;
    }
    int result = 0;
    for (int i = 1; i < argc;) {
        std::printf("%s\n", argv[i]);
        const Picture picture(argv[i++]);
        if (!picture.pixels) return 1;
        for (; i < argc && !isPicture(argv[i]); ++i) {
            const int status = check(picture, argv[i]);
            if (status == 2) return 2;
            result |= status;
        }
    }
    return result;
}
