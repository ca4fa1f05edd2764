// Render targets against the fake driver, which hands out names from 7 up
// and keeps the framebuffer and texture bindings and the viewport.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "library/registration.h"
#include "tests/unit/handler_test_support.h"

namespace corvanta::testing {
namespace {

constexpr int32_t RGBA8 = 0x8058;

class RenderTargets : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        driver.handleStep = 1;
        driver.framebufferBinding = 3;     // what the script has bound, for drawing
        driver.readFramebufferBinding = 5; // and for reading
        driver.textureBinding = 4;
    }

    int32_t create(int32_t width, int32_t height, int32_t colour, int32_t depth) {
        return *FakeRuntime({A::integer(width), A::integer(height), A::integer(colour), A::integer(depth)})
                    .call("CreateRenderTarget")
                    .intResult;
    }
    void begin(int32_t target) { FakeRuntime({A::integer(target)}).call("BeginRenderTarget"); }
    void end() { FakeRuntime().call("EndRenderTarget"); }
    void remove(int32_t target) { FakeRuntime({A::integer(target)}).call("DeleteRenderTarget"); }
    std::vector<int64_t> viewport() const { return {driver.viewport, driver.viewport + 4}; }
    std::vector<std::string> callNames() const {
        std::vector<std::string> names;
        for (const DriverCall &call : driver.calls)
            if (call.name != "glGetIntegerv" && call.name != "glTexParameteri" && call.name != "glGetString")
                names.push_back(call.name);
        return names;
    }
};

TEST_F(RenderTargets, CreationMakesTheFramebufferAndTexturesAndRestoresBothBindings) {
    EXPECT_EQ(create(64, 32, RGBA8, 24), 7);
    EXPECT_EQ(callNames(),
              (std::vector<std::string>{
                  "glGenFramebuffersEXT", "glBindFramebufferEXT", "glGenTextures", "glBindTexture",
                  "glTexImage2D", "glFramebufferTexture2DEXT", "glGenTextures", "glBindTexture",
                  "glTexImage2D", "glFramebufferTexture2DEXT", "glCheckFramebufferStatusEXT", "glBindTexture",
                  "glBindFramebufferEXT", "glBindFramebufferEXT"})); // drawing's binding, then reading's
    EXPECT_EQ(driver.last("glFramebufferTexture2DEXT")->ints,
              (std::vector<int64_t>{0x8D40, 0x8D00, 0x0DE1, 9, 0})); // depth texture 9 at level 0
    const DriverCall &depthImage = *driver.last("glTexImage2D");
    EXPECT_EQ(depthImage.ints, (std::vector<int64_t>{0x0DE1, 0, 0x81A6, 64, 32, 0, 0x1902, 0x1405}));
    EXPECT_EQ(depthImage.pointer, nullptr);
    EXPECT_EQ(driver.framebufferBinding, 3u);
    EXPECT_EQ(driver.readFramebufferBinding, 5u);
    EXPECT_EQ(driver.textureBinding, 4u);
    EXPECT_EQ(buildLog(), "");
    // No mipmaps needed: the colour texture filters linearly, the depth one
    // nearest, both clamped.
    int linear = 0, nearest = 0;
    for (const DriverCall &call : driver.calls)
        if (call.name == "glTexParameteri" && call.ints[1] == 0x2801)
            (call.ints[2] == 0x2601 ? linear : nearest)++;
    EXPECT_EQ(linear, 1);
    EXPECT_EQ(nearest, 1);
    EXPECT_EQ(*FakeRuntime({A::integer(7), A::integer(0x8CE0)}).call("RenderTargetTexture").intResult, 8);
    EXPECT_EQ(*FakeRuntime({A::integer(7), A::integer(0x8D00)}).call("RenderTargetTexture").intResult, 9);
    EXPECT_EQ(*FakeRuntime({A::integer(7), A::integer(0x8CE1)}).call("RenderTargetTexture").intResult, 0);
    EXPECT_EQ(*FakeRuntime({A::integer(8), A::integer(0x8CE0)}).call("RenderTargetTexture").intResult, 0);
}

TEST_F(RenderTargets, TexturesAreMadeEmptyWithTheHostsPixelUnpackBufferSetAside) {
    driver.pixelBufferBindings[GL_PIXEL_UNPACK_BUFFER_BINDING_ARB] = 12;
    EXPECT_EQ(create(16, 16, RGBA8, 24), 7);
    ASSERT_EQ(driver.count("glTexImage2D"), 2);
    for (const DriverCall &call : driver.calls) {
        if (call.name == "glTexImage2D") {
            EXPECT_EQ(call.unpackBuffer, 0u) << "not read from the host's buffer";
        }
    }
    EXPECT_EQ(driver.pixelBufferBindings[GL_PIXEL_UNPACK_BUFFER_BINDING_ARB], 12u);
}

TEST_F(RenderTargets, ADepthOnlyTargetDrawsAndReadsNoColour) {
    EXPECT_EQ(create(16, 16, 0, 16), 7);
    EXPECT_EQ(driver.count("glGenTextures"), 1);
    EXPECT_EQ(driver.last("glDrawBuffer")->ints, (std::vector<int64_t>{0}));
    EXPECT_EQ(driver.last("glReadBuffer")->ints, (std::vector<int64_t>{0}));
    EXPECT_EQ(*FakeRuntime({A::integer(7), A::integer(0x8CE0)}).call("RenderTargetTexture").intResult, 0);
}

TEST_F(RenderTargets, EachFailureGivesZeroDeletesWhatItMadeAndSaysWhy) {
    const struct {
        const char *what;
        int32_t width, height, colour, depth;
        void (*setUp)(FakeDriver &);
        std::string cause;
    } cases[] = {
        {"no extension", 8, 8, RGBA8, 0, [](FakeDriver &) { entryPoints.glGenFramebuffersEXT = nullptr; },
         "framebuffer objects are not supported"},
        {"no GL 1.1", 8, 8, RGBA8, 0, [](FakeDriver &) { entryPoints.glGetIntegerv = nullptr; },
         "framebuffer objects are not supported"},
        {"too small", 0, 8, RGBA8, 0, [](FakeDriver &) {}, "the size 0x8 is not from 1 to 4096 a side"},
        {"too large", 8, 4097, RGBA8, 0, [](FakeDriver &) {}, "the size 8x4097 is not from 1 to 4096 a side"},
        {"depth bits", 8, 8, RGBA8, 12, [](FakeDriver &) {}, "depth bits 12 are not 0, 16, 24 or 32"},
        {"nothing", 8, 8, 0, 0, [](FakeDriver &) {}, "neither a colour format nor depth bits"},
        {"no framebuffer", 8, 8, RGBA8, 24, [](FakeDriver &d) { d.givesNoName = {"glGenFramebuffersEXT"}; },
         "the driver created no framebuffer"},
        {"no texture", 8, 8, RGBA8, 24, [](FakeDriver &d) { d.givesNoName = {"glGenTextures"}; },
         "the driver created no texture"},
        {"incomplete", 8, 8, RGBA8, 24, [](FakeDriver &d) { d.framebufferStatus = 0x8CD6; },
         "incomplete: GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT"},
        // The error flags name the cause: every one is read, a shortage of
        // memory over a refused format.
        {"rejected format", 8, 8, 12345, 24,
         [](FakeDriver &d) {
             d.framebufferStatus = 0x8CD6;
             d.errors = {0x0501};
         },
         "the driver does not accept colour format 12345"},
        {"rejected format named", 8, 8, 0x881A, 24,
         [](FakeDriver &d) {
             d.framebufferStatus = 0x8CD6;
             d.errors = {0x0500};
         },
         "the driver does not accept colour format GL_RGBA16F_ARB (34842)"},
        {"out of memory", 8, 8, RGBA8, 24,
         [](FakeDriver &d) {
             d.framebufferStatus = 0x8CDD;
             d.errors = {0x0500, 0x0505, 0x0502};
         },
         "out of memory"},
        {"unknown status", 8, 8, RGBA8, 0, [](FakeDriver &d) { d.framebufferStatus = 0x1234; },
         "incomplete: 4660"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.setUp(driver);
        EXPECT_EQ(create(c.width, c.height, c.colour, c.depth), 0);
        EXPECT_EQ(buildLog(), "render target:\n" + c.cause + "\n");
        // Every name handed out is deleted again, and the bindings are the script's.
        std::vector<int64_t> handedOut, deleted;
        for (GLhandleARB name = 7; name < driver.nextHandle; ++name) handedOut.push_back(name);
        for (const DriverCall &call : driver.calls)
            if (call.name == "glDeleteFramebuffersEXT" || call.name == "glDeleteTextures")
                deleted.insert(deleted.end(), call.ints.begin() + 1, call.ints.end());
        std::sort(deleted.begin(), deleted.end());
        EXPECT_EQ(deleted, handedOut);
        EXPECT_EQ(driver.framebufferBinding, 3u);
        EXPECT_EQ(driver.textureBinding, 4u);
        EXPECT_TRUE(driver.errors.empty()) << "a flag left set";
        TearDown();
    }
    // A later success empties the log, and reads no flag.
    SetUp();
    create(0, 0, 0, 0);
    driver.calls.clear();
    driver.errors = {0x0502};
    create(8, 8, RGBA8, 0);
    EXPECT_EQ(buildLog(), "");
    EXPECT_EQ(driver.count("glGetError"), 0);
}

TEST_F(RenderTargets, BeginAndEndNestAndRestoreWhatTheMatchingBeginFound) {
    const int32_t outer = create(64, 64, RGBA8, 0), inner = create(16, 8, RGBA8, 0);
    begin(outer);
    EXPECT_EQ(driver.framebufferBinding, GLuint(outer));
    EXPECT_EQ(viewport(), (std::vector<int64_t>{0, 0, 64, 64}));
    begin(inner);
    EXPECT_EQ(viewport(), (std::vector<int64_t>{0, 0, 16, 8}));
    end();
    EXPECT_EQ(driver.framebufferBinding, GLuint(outer)) << "back to the outer target, not the window";
    EXPECT_EQ(viewport(), (std::vector<int64_t>{0, 0, 64, 64}));
    end();
    EXPECT_EQ(driver.framebufferBinding, 3u);
    EXPECT_EQ(viewport(), (std::vector<int64_t>{0, 0, 256, 256}));

    // An End with nothing begun does nothing; a refused Begin still pairs
    // with its End, which restores nothing.
    driver.calls.clear();
    end();
    begin(outer);
    begin(0);
    begin(12345);
    end();
    end();
    EXPECT_EQ(driver.framebufferBinding, GLuint(outer));
    end();
    EXPECT_EQ(driver.framebufferBinding, 3u);
    EXPECT_EQ(driver.readFramebufferBinding, 5u);
    end();
    EXPECT_EQ(driver.count("glBindFramebufferEXT"), 3) << "one Begin's bind, its End's two";
}

TEST_F(RenderTargets, NestingIsKeptSixtyFourDeepAndDeeperBeginsPairUp) {
    const int32_t target = create(32, 32, RGBA8, 0);
    driver.calls.clear();
    for (int i = 0; i < 65; ++i) begin(target);
    EXPECT_EQ(driver.count("glBindFramebufferEXT"), 64);
    end(); // the 65th, which bound nothing
    EXPECT_EQ(driver.count("glBindFramebufferEXT"), 64);
    for (int i = 0; i < 64; ++i) end();
    EXPECT_EQ(driver.count("glBindFramebufferEXT"), 192) << "each End binds for drawing and for reading";
    EXPECT_EQ(driver.framebufferBinding, 3u);
}

TEST_F(RenderTargets, DeletionWaitsWhileATargetIsBegunOrToBeRestoredAndMisuseIsWarnedOf) {
    const int32_t outer = create(32, 32, RGBA8, 24), inner = create(8, 8, RGBA8, 0);
    begin(outer);
    begin(inner);
    remove(inner); // bound now
    remove(outer); // restored at the inner End
    EXPECT_EQ(driver.count("glDeleteFramebuffersEXT"), 0);
    const std::string inUse = " is in use by a BeginRenderTarget not yet ended: not deleted\n";
    EXPECT_EQ(warnings(), "DeleteRenderTarget: " + std::to_string(inner) + inUse +
                              "DeleteRenderTarget: " + std::to_string(outer) + inUse);
    FakeRuntime({A::integer(outer)})
        .call("DeleteFramebuffer"); // a live target's is not the script's to delete
    EXPECT_EQ(driver.count("glDeleteFramebuffersEXT"), 0);
    EXPECT_EQ(warnings(), "DeleteFramebuffer: " + std::to_string(outer) +
                              " is a render target's: delete the target with DeleteRenderTarget\n");
    end();
    remove(inner);
    EXPECT_EQ(driver.last("glDeleteFramebuffersEXT")->ints, (std::vector<int64_t>{1, inner}));
    end();
    remove(outer);
    EXPECT_EQ(driver.count("glDeleteTextures"), 3);
    EXPECT_EQ(*FakeRuntime({A::integer(outer), A::integer(0x8CE0)}).call("RenderTargetTexture").intResult, 0);
    EXPECT_EQ(warnings(), "");
    begin(outer); // forgotten: binds nothing, still pairs with its End
    EXPECT_EQ(driver.framebufferBinding, 3u);
    end();
    remove(outer);
    const std::string gone = std::to_string(outer) + " is not a render target\n";
    EXPECT_EQ(warnings(), "BeginRenderTarget: " + gone + "DeleteRenderTarget: " + gone);
    FakeRuntime({A::integer(outer)}).call("DeleteFramebuffer");
    EXPECT_EQ(driver.last("glDeleteFramebuffersEXT")->ints, (std::vector<int64_t>{1, outer}));
}

TEST_F(RenderTargets, SamplesAreResolvedAndMipmapsMadeAnewAtEveryEnd) {
    const auto createEx = [](int32_t colour, int32_t depth, int32_t samples, int32_t mipmaps) {
        return *FakeRuntime({A::integer(64), A::integer(32), A::integer(colour), A::integer(depth),
                             A::integer(samples), A::integer(mipmaps)})
                    .call("CreateRenderTargetEx")
                    .intResult;
    };
    // Four samples: the target's framebuffer and textures (7 to 9), a
    // multisampled framebuffer (10) of two renderbuffers (11, 12).
    const int32_t target = createEx(RGBA8, 24, 4, 0);
    ASSERT_EQ(target, 7) << buildLog();
    EXPECT_EQ(driver.count("glRenderbufferStorageMultisampleEXT"), 2);
    EXPECT_EQ(driver.last("glRenderbufferStorageMultisampleEXT")->ints,
              (std::vector<int64_t>{0x8D41, 4, 0x81A6, 64, 32}));
    begin(target);
    EXPECT_EQ(driver.framebufferBinding, 10u) << "drawn into with samples";
    driver.calls.clear();
    end();
    EXPECT_EQ(driver.last("glBlitFramebufferEXT")->ints,
              (std::vector<int64_t>{0, 0, 64, 32, 0, 0, 64, 32, 0x4100, 0x2600}));
    EXPECT_EQ(driver.framebufferBinding, 3u);
    EXPECT_EQ(driver.readFramebufferBinding, 5u);

    // Mipmaps: made when the texture is, and anew after every End.
    const int32_t mipmapped = createEx(RGBA8, 0, 0, 1);
    EXPECT_EQ(driver.count("glGenerateMipmapEXT"), 1);
    begin(mipmapped);
    end();
    EXPECT_EQ(driver.count("glGenerateMipmapEXT"), 2);
    EXPECT_EQ(driver.textureBinding, 4u);

    const std::pair<std::vector<int32_t>, std::string> refused[] = {
        {{RGBA8, 24, 9, 0}, "9 samples are more than the driver's most, 8"},
        {{0, 24, 0, 1}, "mipmaps need a colour format and glGenerateMipmapEXT"},
        {{RGBA8, 24, -1, 0}, "samples -1 and mipmaps 0 are not 0 or more, and 0 or 1"},
    };
    for (const auto &[arguments, cause] : refused) {
        EXPECT_EQ(createEx(arguments[0], arguments[1], arguments[2], arguments[3]), 0);
        EXPECT_EQ(buildLog(), "render target:\n" + cause + "\n");
    }
    entryPoints.glBlitFramebufferEXT = nullptr;
    EXPECT_EQ(createEx(RGBA8, 24, 2, 0), 0);
    EXPECT_EQ(buildLog(),
              "render target:\nsamples need GL_EXT_framebuffer_multisample and GL_EXT_framebuffer_blit\n");
}

TEST_F(RenderTargets, ReadingBackGivesTheRectangleRowsFromTheBottomAndRestoresWhatItChanged) {
    const int32_t target = create(64, 32, RGBA8, 24), depthOnly = create(8, 8, 0, 24);
    driver.pixelBufferBindings[GL_PIXEL_PACK_BUFFER_BINDING_ARB] = 12; // the host's, which the read sets aside
    driver.integers[GL_PACK_SWAP_BYTES] = 1;
    FakeRuntime read(
        {A::integer(target), A::integer(2), A::integer(3), A::integer(4), A::integer(2), A::variable()});
    read.call("ReadRenderTarget");
    EXPECT_EQ(driver.last("glReadPixels")->ints, (std::vector<int64_t>{2, 3, 4, 2, 0x1908, 0x1406}));
    EXPECT_EQ(read.args[5].writtenDims, (std::vector<int32_t>{2, 16}));
    EXPECT_EQ(read.args[5].elements.size(), 32u);
    EXPECT_EQ(read.args[5].elements[31], 31.0);
    std::vector<std::vector<int64_t>> packing;
    for (const DriverCall &call : driver.calls)
        if (call.name == "glPixelStorei") packing.push_back(call.ints);
    // Alignment, row length, skips, swapped bytes, bit order, image height
    // and skipped images: rows one after the other while reading, then
    // restored.
    EXPECT_EQ(packing, (std::vector<std::vector<int64_t>>{{0x0D05, 4},
                                                          {0x0D02, 0},
                                                          {0x0D03, 0},
                                                          {0x0D04, 0},
                                                          {0x0D00, 0},
                                                          {0x0D01, 0},
                                                          {0x806C, 0},
                                                          {0x806B, 0},
                                                          {0x806B, 0},
                                                          {0x806C, 0},
                                                          {0x0D01, 0},
                                                          {0x0D00, 1},
                                                          {0x0D04, 0},
                                                          {0x0D03, 0},
                                                          {0x0D02, 7},
                                                          {0x0D05, 1}}));
    const auto binds = [&](GLenum target) {
        std::vector<int64_t> buffers;
        for (const DriverCall &call : driver.calls)
            if (call.name == "glBindBufferARB" && call.ints[0] == target) buffers.push_back(call.ints[1]);
        return buffers;
    };
    EXPECT_EQ(binds(GL_PIXEL_PACK_BUFFER_ARB), (std::vector<int64_t>{0, 12})) << "unbound while reading";
    EXPECT_EQ(driver.framebufferBinding, 3u);
    EXPECT_EQ(driver.readFramebufferBinding, 5u);
    FakeRuntime depth(
        {A::integer(depthOnly), A::integer(0), A::integer(0), A::integer(8), A::integer(8), A::variable()});
    depth.call("ReadRenderTarget");
    EXPECT_EQ(depth.args[5].writtenDims, (std::vector<int32_t>{8, 8}));
    EXPECT_EQ(driver.last("glReadPixels")->ints[4], 0x1902);

    const int reads = driver.count("glReadPixels");
    const std::string name = std::to_string(target);
    const std::pair<std::vector<int32_t>, std::string> refused[] = {
        {{99, 0, 0, 1, 1}, "99 is not a render target"},
        {{target, 60, 0, 5, 1}, "(60, 0, 5, 1) is not a rectangle within target " + name + " of 64x32"},
        {{target, 0, 0, 0, 1}, "(0, 0, 0, 1) is not a rectangle within target " + name + " of 64x32"},
        {{target, -1, 0, 1, 1}, "(-1, 0, 1, 1) is not a rectangle within target " + name + " of 64x32"},
    };
    for (const auto &[arguments, warning] : refused) {
        FakeRuntime refusedRead({A::integer(arguments[0]), A::integer(arguments[1]), A::integer(arguments[2]),
                                 A::integer(arguments[3]), A::integer(arguments[4]), A::variable()});
        refusedRead.call("ReadRenderTarget");
        EXPECT_TRUE(refusedRead.args[5].writtenDims.empty());
        EXPECT_EQ(warnings(), "ReadRenderTarget: " + warning + "\n");
    }
    EXPECT_EQ(driver.count("glReadPixels"), reads);
}

} // namespace
} // namespace corvanta::testing
