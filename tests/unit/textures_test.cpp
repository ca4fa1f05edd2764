// Textures against the fake driver: each refusal and what it says, the
// pixel store and bindings an upload sets and restores, and the kind checks
// of a sampler set by name.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

constexpr int32_t RGBA8 = 0x8058, RGBA32F = 0x8814, LUMINANCE8 = 0x8040;
constexpr int32_t TEXTURE_2D = 0x0DE1, CUBE = 0x8513, VOLUME = 0x806F;

class Textures : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        driver.handleStep = 1;
        driver.textureBinding = 4; // the host's
    }
    int32_t create(int32_t kind, int32_t width, int32_t height, int32_t depth, int32_t format, int32_t mipmaps = 0) {
        return *FakeRuntime({A::integer(kind), A::integer(width), A::integer(height), A::integer(depth),
                             A::integer(format), A::integer(mipmaps)})
                    .call("CreateTexture")
                    .intResult;
    }
    void data(int32_t texture, int32_t layer, int32_t x, int32_t y, int32_t width, int32_t height,
              int32_t components) {
        FakeRuntime({A::integer(texture), A::integer(layer), A::integer(x), A::integer(y), A::integer(width),
                     A::integer(height), A::array(std::vector<double>(size_t(width * height * components), 0.5))})
            .call("TextureData");
    }
    void parameter(int32_t texture, int32_t pname, int32_t value) {
        FakeRuntime({A::integer(texture), A::integer(pname), A::integer(value)}).call("TextureParameter");
    }
};

TEST_F(Textures, EachCreationRefusedGivesZeroAndSaysWhy) {
    const struct {
        std::vector<int32_t> arguments; // kind, width, height, depth, format, mipmaps
        const char *cause;
    } refused[] = {
        {{0x0DE0, 4, 4, 1, RGBA8, 0}, "3552 is not GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP_ARB or GL_TEXTURE_3D"},
        {{TEXTURE_2D, 4, 4, 1, 0x1908, 0},
         "format 6408 is not GL_RGBA8, GL_LUMINANCE8, GL_RGBA16F_ARB, GL_RGBA32F_ARB or GL_LUMINANCE32F_ARB"},
        {{TEXTURE_2D, 4, 4, 1, RGBA8, 2}, "mipmaps 2 are not 0, or 1 with glGenerateMipmapEXT"},
        {{TEXTURE_2D, 8193, 4, 1, RGBA8, 0}, "the size 8193x4x1 is not from 1 to 8192 a side, depth 1"},
        {{TEXTURE_2D, 4, 4, 2, RGBA8, 0}, "the size 4x4x2 is not from 1 to 8192 a side, depth 1"},
        {{CUBE, 4, 8, 1, RGBA8, 0}, "a cube map's faces are square, not 4x8"},
        {{VOLUME, 4, 4, 257, RGBA8, 0}, "the size 4x4x257 is not from 1 to 256 a side"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.cause);
        const auto &a = c.arguments;
        EXPECT_EQ(create(a[0], a[1], a[2], a[3], a[4], a[5]), 0);
        EXPECT_EQ(buildLog(), std::string("texture:\n") + c.cause + "\n");
    }
    driver.integers[0x8073] = 4096; // a 3D size whose zeros no memory holds
    EXPECT_EQ(create(VOLUME, 4096, 4096, 1025, RGBA8), 0);
    EXPECT_EQ(buildLog(), "texture:\nthe size 4096x4096x1025 has more than 2^34 texels\n");
    EXPECT_EQ(driver.count("glGenTextures"), 0);
    // What the driver refuses is named from its error flags, and deleted.
    driver.refusesTextures = true;
    driver.errors = {0x0505};
    EXPECT_EQ(create(TEXTURE_2D, 4, 4, 1, RGBA32F), 0);
    EXPECT_EQ(buildLog(), "texture:\nout of memory\n");
    driver.errors = {0x0500};
    EXPECT_EQ(create(TEXTURE_2D, 4, 4, 1, 0x8818), 0);
    EXPECT_EQ(buildLog(), "texture:\nthe driver does not accept format GL_LUMINANCE32F_ARB (34840)\n");
    EXPECT_EQ(driver.count("glDeleteTextures"), 2);
    entryPoints.glTexImage3D = nullptr;
    EXPECT_EQ(create(VOLUME, 4, 4, 4, RGBA8), 0);
    EXPECT_EQ(buildLog(), "texture:\n3D textures need GL 1.2\n");
    EXPECT_EQ(heap.allocations.size(), size_t(heap.releases) + 1) << "the build log alone kept, no record";
}

TEST_F(Textures, ACubeIsSixFacesOfZerosAndUploadsRestoreTheHostsState) {
    const int32_t cube = create(CUBE, 2, 2, 1, RGBA8, 1);
    ASSERT_EQ(cube, 7);
    EXPECT_EQ(buildLog(), "");
    EXPECT_EQ(driver.count("glTexImage2D"), 6);
    EXPECT_EQ(driver.last("glTexImage2D")->ints, (std::vector<int64_t>{0x851A, 0, RGBA8, 2, 2, 0, 0x1908, 0x1401}));
    ASSERT_EQ(driver.count("glTexSubImage2D"), 6) << "zeros, not undefined texels";
    EXPECT_NE(driver.last("glTexSubImage2D")->pointer, nullptr);
    EXPECT_EQ(driver.count("glGenerateMipmapEXT"), 1);
    EXPECT_EQ(driver.textureBinding, 4u);

    driver.pixelBufferBindings[GL_PIXEL_UNPACK_BUFFER_BINDING_ARB] = 12;
    driver.integers[GL_UNPACK_ROW_LENGTH] = 9;
    driver.integers[GL_UNPACK_SWAP_BYTES] = 1;
    driver.calls.clear();
    data(cube, 3, 1, 0, 1, 2, 4);
    EXPECT_EQ(driver.last("glTexSubImage2D")->ints, (std::vector<int64_t>{0x8518, 0, 1, 0, 1, 2, 0x1908, 0x1406}));
    std::vector<std::vector<int64_t>> stored, buffers;
    for (const DriverCall &call : driver.calls) {
        if (call.name == "glPixelStorei") stored.push_back(call.ints);
        if (call.name == "glBindBufferARB") buffers.push_back(call.ints);
    }
    ASSERT_EQ(stored.size(), 16u);
    EXPECT_EQ(stored[0], (std::vector<int64_t>{GL_UNPACK_ALIGNMENT, 1}));
    for (size_t i = 1; i < 8; ++i) EXPECT_EQ(stored[i][1], 0) << "rows one after the other";
    EXPECT_EQ(stored[11], (std::vector<int64_t>{GL_UNPACK_SWAP_BYTES, 1}));
    EXPECT_EQ(stored[14], (std::vector<int64_t>{GL_UNPACK_ROW_LENGTH, 9}));
    EXPECT_EQ(buffers, (std::vector<std::vector<int64_t>>{{GL_PIXEL_UNPACK_BUFFER_ARB, 0},
                                                          {GL_PIXEL_UNPACK_BUFFER_ARB, 12}}));
    EXPECT_EQ(driver.count("glGenerateMipmapEXT"), 1) << "its levels anew";
    EXPECT_EQ(driver.textureBinding, 4u);
    EXPECT_EQ(warnings(), "");
}

// 32768 x 32768 x 4 bytes is 0 in a 32-bit size_t: the zeros go a band of
// rows at a time from a buffer of a band, every byte in it.
TEST_F(Textures, TheLargestTextureIsFilledWithZerosFromABufferThatHoldsWhatEachUploadReads) {
    driver.integers[0x0D33] = 32768;
    ASSERT_EQ(create(TEXTURE_2D, 32768, 32768, 1, RGBA8), 7);
    int64_t rows = 0;
    for (const DriverCall &call : driver.calls)
        if (call.name == "glTexSubImage2D") {
            EXPECT_TRUE(call.texelsInBlock);
            rows += call.ints[5];
        }
    EXPECT_EQ(rows, 32768);
    for (const Allocation &block : heap.allocations) EXPECT_LE(block.size, size_t{1} << 20);
}

TEST_F(Textures, EachMisuseIsRefusedWithAWarningBeforeAnythingIsRead) {
    const int32_t plane = create(TEXTURE_2D, 4, 2, 1, LUMINANCE8), volume = create(VOLUME, 2, 2, 3, RGBA8);
    driver.calls.clear();
    data(99, 0, 0, 0, 1, 1, 1);
    data(plane, 1, 0, 0, 1, 1, 1);
    data(volume, 3, 0, 0, 1, 1, 4);
    data(plane, 0, 3, 0, 2, 1, 1);
    parameter(99, 0x2801, 0x2601);
    parameter(plane, 0x2801, 0x2703);
    parameter(plane, 0x884C, 0x884E);
    parameter(plane, 0x1234, 1);
    parameter(plane, 0x84FE, 17);
    FakeRuntime({A::integer(plane + 100)}).call("DeleteTexture");
    EXPECT_EQ(warnings(),
              "TextureData: 99 is no texture CreateTexture made nor a render target's colour texture\n"
              "TextureData: layer 1 is not within the 1 layers of texture 7\n"
              "TextureData: layer 3 is not within the 3 layers of texture 8\n"
              "TextureData: (3, 0, 2, 1) is not a rectangle within texture 7 of 4x2\n"
              "TextureParameter: 99 is no texture of the plugin's, whose kind it knows\n"
              "TextureParameter: 9987 does not fit 10241 of texture 7, a 2D texture without mipmaps\n"
              "TextureParameter: GL_COMPARE_R_TO_TEXTURE_ARB (34894) does not fit GL_TEXTURE_COMPARE_MODE_ARB "
              "(34892) of texture 7, a 2D texture without mipmaps\n"
              "TextureParameter: 4660 is no texture parameter TextureParameter sets\n"
              "TextureParameter: 17 does not fit GL_TEXTURE_MAX_ANISOTROPY_EXT (34046) of texture 7, a 2D texture "
              "without mipmaps\n"
              "DeleteTexture: 107 is no texture CreateTexture made\n");
    EXPECT_EQ(driver.count("glTexSubImage2D") + driver.count("glTexSubImage3D") + driver.count("glTexParameteri"),
              0);
    parameter(plane, 0x2801, 0x2600);
    EXPECT_EQ(driver.last("glTexParameteri")->ints, (std::vector<int64_t>{TEXTURE_2D, 0x2801, 0x2600}));
    driver.extensions = "GL_ARB_multitexture";
    parameter(plane, 0x84FE, 2);
    EXPECT_EQ(warnings(), "TextureParameter: anisotropy needs GL_EXT_texture_filter_anisotropic\n");
}

// A program 9 with a sampler of each kind, set to textures of each kind.
TEST_F(Textures, ASamplerTakesOnlyATextureOfItsKindOnAUnitOfItsOwn) {
    driver.uniforms = {{"plane", 0x8B5E}, {"sky", 0x8B60}, {"volume", 0x8B5F}, {"shadow", 0x8B62}, {"level", 0x1406}};
    for (size_t i = 0; i < driver.uniforms.size(); ++i)
        driver.uniformLocations[driver.uniforms[i].name] = GLint(20 + i);
    driver.parametersOf[9] = {{GL_OBJECT_TYPE_ARB, GLint(GL_PROGRAM_OBJECT_ARB)},
                              {GL_OBJECT_LINK_STATUS_ARB, 1},
                              {GL_OBJECT_ACTIVE_UNIFORMS_ARB, GLint(driver.uniforms.size())},
                              {GL_ACTIVE_UNIFORM_MAX_LENGTH, 16}};
    driver.integers[GL_ACTIVE_TEXTURE_ARB] = GLint(GL_TEXTURE0_ARB + 1); // the host's
    driver.hostTextures = {3};
    const int32_t plane = create(TEXTURE_2D, 2, 2, 1, RGBA8), sky = create(CUBE, 2, 2, 1, RGBA8),
                  volume = create(VOLUME, 2, 2, 2, RGBA8);
    const auto set = [](const char *name, int32_t texture) {
        FakeRuntime({A::integer(9), A::string(name), A::integer(texture)}).call("SetUniformTexture");
    };
    const struct {
        const char *sampler;
        int32_t texture;
        const char *warning; // "" when it is set
    } cases[] = {
        {"plane", plane, ""},
        {"plane", 3, ""}, // the host's own, taken as 2D
        {"sky", sky, ""},
        {"volume", volume, ""},
        {"plane", sky, "SetUniformTexture: \"plane\" of program 9 is a sampler2D, texture 8 is a cube map"},
        {"sky", plane, "SetUniformTexture: \"sky\" of program 9 is a samplerCube, texture 7 is a 2D texture"},
        {"volume", 3, "SetUniformTexture: \"volume\" of program 9 is a sampler3D, texture 3 is a 2D texture"},
        {"shadow", plane, "SetUniformTexture: \"shadow\" of program 9 is a sampler2DShadow, texture 7 is a 2D texture"},
        {"sky", 55, "SetUniformTexture: 55 is not a texture"},
        {"level", plane, "SetUniformTexture: \"level\" of program 9 is a float"},
        {"skye", sky, "SetUniformTexture: program 9 has no active uniform \"skye\" (did you mean \"sky\"?)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.warning);
        driver.calls.clear();
        set(c.sampler, c.texture);
        EXPECT_EQ(warnings(), c.warning[0] != '\0' ? std::string(c.warning) + "\n" : "");
        EXPECT_EQ(driver.count("glUniform1iARB"), c.warning[0] != '\0' ? 0 : 1);
        EXPECT_EQ(driver.integers[GL_ACTIVE_TEXTURE_ARB], GLint(GL_TEXTURE0_ARB + 1));
    }
    // Each sampler a unit of its own, down from the last of 16; the active
    // unit comes back.
    driver.calls.clear();
    set("sky", sky);
    EXPECT_EQ(driver.last("glUniform1iARB")->ints, (std::vector<int64_t>{21, 14}));
    EXPECT_EQ(driver.last("glActiveTextureARB")->ints, (std::vector<int64_t>{GL_TEXTURE0_ARB + 1}));
    EXPECT_EQ(driver.last("glBindTexture")->ints, (std::vector<int64_t>{CUBE, sky}));
    // A shadow sampler takes a render target's depth texture once it compares.
    const int32_t target = *FakeRuntime({A::integer(8), A::integer(8), A::integer(0), A::integer(24)})
                                .call("CreateRenderTarget")
                                .intResult;
    const int32_t depth = *FakeRuntime({A::integer(target), A::integer(0x8D00)}).call("RenderTargetTexture").intResult;
    set("shadow", depth);
    EXPECT_EQ(warnings(), "SetUniformTexture: \"shadow\" of program 9 is a sampler2DShadow, texture " +
                              std::to_string(depth) + " does not compare (set its GL_TEXTURE_COMPARE_MODE_ARB)\n");
    driver.compareMode = 0x884E;
    set("shadow", depth);
    EXPECT_EQ(warnings(), "");
    EXPECT_EQ(driver.last("glBindTexture")->ints, (std::vector<int64_t>{TEXTURE_2D, depth}));
    set("volume", 0); // unbinds the kind the sampler reads
    EXPECT_EQ(driver.last("glBindTexture")->ints, (std::vector<int64_t>{VOLUME, 0}));
    EXPECT_EQ(driver.last("glUniform1iARB")->ints, (std::vector<int64_t>{22, 13}));
}

TEST_F(Textures, AnAttachmentRefusedChangesNothingAndSaysWhy) {
    const int32_t target = *FakeRuntime({A::integer(4), A::integer(4), A::integer(RGBA8), A::integer(0)})
                                .call("CreateRenderTarget")
                                .intResult;
    const int32_t small = create(TEXTURE_2D, 2, 2, 1, RGBA8), cube = create(CUBE, 4, 4, 1, RGBA8);
    const auto attach = [](int32_t target, int32_t attachment, int32_t texture, int32_t layer) {
        return *FakeRuntime({A::integer(target), A::integer(attachment), A::integer(texture), A::integer(layer)})
                    .call("AttachRenderTargetTexture")
                    .intResult;
    };
    const struct {
        std::vector<int32_t> arguments; // target, attachment, texture, layer
        std::string cause;
    } refused[] = {
        {{99, 0x8CE1, cube, 0}, "99 is not a render target"},
        {{target, 0x8CE4, cube, 0}, "36068 is not a colour attachment from 0 to 3 of the driver's"},
        // Below the first attachment, and negative (far above it unsigned).
        {{target, 0x8CDF, cube, 0}, "GL_MAX_COLOR_ATTACHMENTS_EXT (36063) is not a colour attachment from 0 to 3 of the driver's"},
        {{target, -1, 0, 0}, "-1 is not a colour attachment from 0 to 3 of the driver's"},
        {{target, -2147447584, 0, 0}, "-2147447584 is not a colour attachment from 0 to 3 of the driver's"},
        {{target, INT32_MIN, 0, 0}, "-2147483648 is not a colour attachment from 0 to 3 of the driver's"},
        {{target, INT32_MAX, 0, 0}, "2147483647 is not a colour attachment from 0 to 3 of the driver's"},
        {{target, 0x8CE1, 77, 0}, "texture 77 is no texture CreateTexture made"},
        {{target, 0x8CE1, small, 0}, "texture " + std::to_string(small) + " of 2x2 is not the target's size, 4x4"},
        {{target, 0x8CE1, cube, 6}, "layer 6 is not within the 6 layers of texture " + std::to_string(cube)},
    };
    driver.calls.clear();
    for (const auto &c : refused) {
        SCOPED_TRACE(c.cause);
        EXPECT_EQ(attach(c.arguments[0], c.arguments[1], c.arguments[2], c.arguments[3]), 0);
        EXPECT_EQ(buildLog(), "render target:\n" + c.cause + "\n");
    }
    EXPECT_EQ(driver.count("glFramebufferTexture2DEXT"), 0);
    // A face of the cube as colour 1: both colours drawn, the bindings back.
    EXPECT_EQ(attach(target, 0x8CE1, cube, 2), 1);
    EXPECT_EQ(driver.last("glFramebufferTexture2DEXT")->ints, (std::vector<int64_t>{0x8D40, 0x8CE1, 0x8517, cube, 0}));
    EXPECT_EQ(driver.last("glDrawBuffersARB")->ints[0], 2);
    EXPECT_EQ(*FakeRuntime({A::integer(target), A::integer(0x8CE1)}).call("RenderTargetTexture").intResult, cube);
    // An incomplete result is undone.
    driver.framebufferStatus = 0x8CD6;
    EXPECT_EQ(attach(target, 0x8CE1, 0, 0), 0);
    EXPECT_EQ(buildLog(), "render target:\nincomplete: GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT\n");
    EXPECT_EQ(driver.last("glFramebufferTexture2DEXT")->ints[3], cube);
}

} // namespace
} // namespace corvanta::testing
