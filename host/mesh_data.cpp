#include "host/mesh_data.h"

#include <tiny_obj_loader.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

namespace corvanta::host {
namespace {

void normalise(std::vector<double> &normals) {
    for (size_t i = 0; i + 2 < normals.size(); i += 3) {
        const double length = std::sqrt(normals[i] * normals[i] + normals[i + 1] * normals[i + 1] +
                                        normals[i + 2] * normals[i + 2]);
        if (length == 0) continue;
        for (size_t k = 0; k < 3; ++k) normals[i + k] /= length;
    }
}

// Each vertex's normal from the triangles around it: the cross product of a
// triangle's edges is its normal with its area in its length.
void smoothNormals(MeshData &data) {
    data.normals.assign(data.positions.size(), 0.0);
    for (size_t t = 0; t + 2 < data.indices.size(); t += 3) {
        const double *p[3];
        for (size_t k = 0; k < 3; ++k) p[k] = &data.positions[size_t(data.indices[t + k]) * 3];
        const double u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
        const double v[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        for (size_t k = 0; k < 3; ++k)
            for (size_t c = 0; c < 3; ++c) data.normals[size_t(data.indices[t + k]) * 3 + c] += n[c];
    }
    normalise(data.normals);
}

Value rows(const std::vector<double> &values, int32_t width, bool real) {
    Value value;
    value.type = Value::Type::Array;
    value.realElements = real;
    value.elements = values;
    const auto count = int32_t(values.size() / size_t(width));
    value.dims = width == 1 ? std::vector<int32_t>{count} : std::vector<int32_t>{count, width};
    return value;
}

} // namespace

MeshData loadObj(const std::string &path) {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning, error;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, path.c_str(), nullptr, true))
        throw std::runtime_error("cannot read " + path + ": " + (error.empty() ? warning : error));
    MeshData data;
    std::map<std::pair<int, int>, int32_t> vertexOf; // (position, normal) -> vertex
    const bool hasNormals = !attrib.normals.empty();
    for (const tinyobj::shape_t &shape : shapes) {
        for (const tinyobj::index_t &corner : shape.mesh.indices) {
            const int normal = hasNormals ? corner.normal_index : -1;
            auto [found, added] = vertexOf.emplace(std::make_pair(corner.vertex_index, normal),
                                                   int32_t(data.positions.size() / 3));
            if (added) {
                for (size_t k = 0; k < 3; ++k)
                    data.positions.push_back(attrib.vertices[size_t(corner.vertex_index) * 3 + k]);
                for (size_t k = 0; k < 3 && normal >= 0; ++k)
                    data.normals.push_back(attrib.normals[size_t(normal) * 3 + k]);
            }
            data.indices.push_back(found->second);
        }
    }
    if (data.indices.empty()) throw std::runtime_error(path + " has no triangles");
    if (data.normals.size() != data.positions.size())
        smoothNormals(data);
    else
        normalise(data.normals);
    return data;
}

MeshData grid(int n) {
    MeshData data;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            data.positions.insert(data.positions.end(),
                                  {-1 + 2.0 * column / (n - 1), -1 + 2.0 * row / (n - 1), 0.0});
            data.normals.insert(data.normals.end(), {0.0, 0.0, 1.0});
        }
    }
    for (int row = 0; row + 1 < n; ++row) {
        for (int column = 0; column + 1 < n; ++column) {
            const double corner = row * n + column;
            data.indices.insert(data.indices.end(),
                                {corner, corner + 1, corner + n + 1, corner, corner + n + 1, corner + n});
        }
    }
    return data;
}

Value meshPart(const MeshData &data, const std::string &part) {
    if (part == "positions") return rows(data.positions, 3, true);
    if (part == "normals") return rows(data.normals, 3, true);
    if (part == "indices") return rows(data.indices, 1, false);
    if (part == "vertex_count") return Value::ofInt(int32_t(data.positions.size() / 3));
    if (part == "index_count") return Value::ofInt(int32_t(data.indices.size()));
    throw std::runtime_error("no part \"" + part +
                             "\" of a mesh: positions, normals, indices, vertex_count or index_count");
}

} // namespace corvanta::host
