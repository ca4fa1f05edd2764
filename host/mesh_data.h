// Vertex data for a script's meshes: a Wavefront OBJ file, read with
// tinyobjloader, or a square grid made here, given to the script one part at
// a time as arrays shaped for the plugin's "MeshAttribute" and "MeshIndices".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/script_value.h"

namespace corvanta::host {

struct MeshData {
    std::vector<double> positions; // three values a vertex
    std::vector<double> normals;   // three values a vertex, of unit length
    std::vector<double> indices;   // three a triangle
};

// The triangles of an OBJ file (polygons are split into triangles), with one
// vertex for each pair of position and normal the faces use. A file without
// normals gets smooth ones: each vertex's the average of its faces' normals,
// weighted by their areas. Throws with the loader's message.
MeshData loadObj(const std::string &path);

// n x n vertices on the square from -1 to 1 in x and y, at z = 0, facing +z,
// in two triangles a cell.
MeshData grid(int n);

// One part of the data as a script value: "positions" or "normals" (a row of
// three reals a vertex), "indices" (ints, three a triangle), "vertex_count"
// or "index_count". Throws for any other part.
Value meshPart(const MeshData &data, const std::string &part);

} // namespace corvanta::host
