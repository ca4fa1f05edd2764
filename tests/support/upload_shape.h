// Which entry points upload an array the driver reads, from their prototype:
// a last parameter of const 32-bit values after a count (and, for a matrix
// upload, a transpose flag): glUniform*v, glUniformMatrix*, glDrawBuffersARB.
// The fake and the fuzzed driver both look at what such an upload was given:
// count elements of as many values as the entry point's name says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "glext/entry_points.h"
#include "glext/gl_tokens.h"

namespace corvanta::testing {

template <const char *name, typename... Params> struct UploadShape {
    using Last = std::tuple_element_t<sizeof...(Params), std::tuple<void, Params...>>;
    using BeforeLast = std::tuple_element_t<sizeof...(Params), std::tuple<void, void, Params...>>;
    static constexpr bool uploads = [] {
        if constexpr (std::is_pointer_v<Last> && std::is_integral_v<BeforeLast>) {
            using Element = std::remove_pointer_t<Last>;
            if constexpr (!std::is_void_v<Element> && !std::is_pointer_v<Element>)
                return std::is_const_v<Element> && sizeof(Element) == 4;
        }
        return false;
    }();
    static constexpr bool matrix = std::is_same_v<BeforeLast, GLboolean>;

    // The upload's values and how many bytes of them the driver reads; the
    // count as given, which a negative one makes negative.
    static std::pair<const void *, long long> values(Params... args) {
        constexpr size_t last = sizeof...(Params) - 1;
        const auto all = std::make_tuple(args...);
        const auto count = static_cast<long long>(std::get < matrix ? last - 2 : last - 1 > (all));
        return {std::get<last>(all), count * componentsOf(name) * 4};
    }
    // A matrix upload's transpose flag.
    static GLboolean transpose(Params... args) {
        return std::get<sizeof...(Params) - 2>(std::make_tuple(args...));
    }
};

// The bytes a texture image reads: width x height x depth texels of the
// format's components (4 for GL_RGBA, else 1), each of the type's size (1
// for GL_UNSIGNED_BYTE, else 4), in 64 bits.
inline int64_t texelBytes(GLsizei width, GLsizei height, GLsizei depth, GLenum format, GLenum type) {
    return int64_t{width} * height * depth * (format == GL_RGBA ? 4 : 1) * (type == GL_UNSIGNED_BYTE ? 1 : 4);
}

} // namespace corvanta::testing
