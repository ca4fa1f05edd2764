// Checks pixels of a PNG file: png_check FILE X,Y=R,G,B... with X and Y from
// the top left. Each channel may differ by at most 4.
#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_check FILE X,Y=R,G,B...\n");
        return 2;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char *pixels = stbi_load(argv[1], &width, &height, &channels, 4);
    if (pixels == nullptr) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        int x, y, expected[3];
        if (std::sscanf(argv[i], "%d,%d=%d,%d,%d", &x, &y, &expected[0], &expected[1], &expected[2]) != 5 ||
            x < 0 || y < 0 || x >= width || y >= height) {
            std::fprintf(stderr, "cannot read the pixel %s (X,Y=R,G,B)\n", argv[i]);
            stbi_image_free(pixels);
            return 2;
        }
        const unsigned char *pixel = pixels + (size_t(y) * size_t(width) + size_t(x)) * 4;
        bool ok = true;
        for (int c = 0; c < 3; ++c) ok = ok && std::abs(pixel[c] - expected[c]) <= 4;
        std::printf("%s pixel %d,%d = %d,%d,%d (expected %d,%d,%d)\n", ok ? "ok  " : "FAIL", x, y, pixel[0],
                    pixel[1], pixel[2], expected[0], expected[1], expected[2]);
        failures += ok ? 0 : 1;
    }
    stbi_image_free(pixels);
    return failures == 0 ? 0 : 1;
}
