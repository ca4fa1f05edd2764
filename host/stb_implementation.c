/* The implementations of the stb picture libraries the host uses: writing
   PNG files, and reading PNG pictures from memory only. Kept in a C file of
   their own, apart from the host's code and its static analysis. */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>
