// The implementation of tinyobjloader, which the host uses to read OBJ
// files. Kept in a file of its own, apart from the host's code and its static
// analysis.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
