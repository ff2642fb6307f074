// Fails one chosen allocation of the quantizer at a time. The replaced
// global allocation functions serve the whole test executable and fail
// nothing unless a test arms them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "morlune_stages.h"
#include "quantize.h"

namespace {

// Allocations left before the one that fails; negative: none fails.
long gAllocationsBeforeFailure = -1;
bool gFailed = false;

bool ShouldFail() {
    if (gAllocationsBeforeFailure < 0) {
        return false;
    }
    if (gAllocationsBeforeFailure-- == 0) {
        gFailed = true;
        return true;
    }
    return false;
}

void* Allocate(std::size_t size) {
    return ShouldFail() ? nullptr : std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
    void* p = Allocate(size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

struct Output {
    bool ok;
    std::vector<uint8_t> indices;
    std::vector<uint8_t> palette;
};

Output QuantizeFailing(long allocationsBeforeFailure) {
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < 64; ++i) {
        pixels.insert(pixels.end(), {uint8_t(i * 4), uint8_t(i % 5 * 50), uint8_t(i % 3),
                                     uint8_t(i % 2 ? 255 : 40)});
    }
    Output out{false, std::vector<uint8_t>(64, 0), std::vector<uint8_t>(64, 0)};
    gFailed = false;
    gAllocationsBeforeFailure = allocationsBeforeFailure;
    out.ok = QuantizeImage(pixels.data(), out.indices.data(), out.palette.data(), 16, 8, 8);
    gAllocationsBeforeFailure = -1;
    return out;
}

TEST(QuantizeImage, OutOfMemoryReturnsFalseExceptInTheMappingCache) {
    const Output reference = QuantizeFailing(-1);
    ASSERT_TRUE(reference.ok);
    int refused = 0;
    int survived = 0;
    for (long k = 0;; ++k) {
        const Output out = QuantizeFailing(k);
        if (!gFailed) {
            break;
        }
        if (out.ok) {
            ++survived;
            EXPECT_EQ(out.indices, reference.indices) << k;
            EXPECT_EQ(out.palette, reference.palette) << k;
        } else {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(survived, 0);
}

struct EngineOutput {
    int32_t code = TRC_OK;
    std::string errors;
    std::vector<uint8_t> data;
};

// The palette stage of the engine on a 4 x 4 image into PAL4_RGBA8888.
EngineOutput BuildPaletteFailing(long allocationsBeforeFailure) {
    TextureImage src{4, 4, RGBA8888, nullptr, 0, nullptr};
    TextureImage dst{4, 4, PAL4_RGBA8888, nullptr, 64 + 8, nullptr};
    EngineOutput out;
    out.data.assign(dst.nDataSize, 0);
    dst.pData = out.data.data();
    MorluneStages m(&src, &dst);
    PixelBuffer pixels(new uint8_t[64]);
    for (uint32_t i = 0; i < 64; ++i) {
        pixels[i] = uint8_t(i * 37);
    }
    m.InstallBuffer(std::move(pixels), 4, 4, 4);
    testing::internal::CaptureStderr();
    gFailed = false;
    gAllocationsBeforeFailure = allocationsBeforeFailure;
    try {
        m.BuildPalette();
    } catch (TReturnCode code) {
        out.code = code;
    }
    gAllocationsBeforeFailure = -1;
    out.errors = testing::internal::GetCapturedStderr();
    return out;
}

TEST(BuildPalette, QuantizerOutOfMemoryFailsTheConversion) {
    const EngineOutput reference = BuildPaletteFailing(-1);
    ASSERT_EQ(reference.code, TRC_OK);
    int quantizerFailures = 0;
    for (long k = 0;; ++k) {
        const EngineOutput out = BuildPaletteFailing(k);
        if (!gFailed) {
            break;
        }
        if (out.code == TRC_OK) {
            EXPECT_EQ(out.data, reference.data) << k;
            continue;
        }
        EXPECT_EQ(out.code, TRC_FAILED) << k;
        if (out.errors == "Morlune error: Palette quantization failed \n") {
            ++quantizerFailures;
        } else {
            EXPECT_EQ(out.errors, "Morlune error: Could not create memory \n") << k;
        }
    }
    EXPECT_GT(quantizerFailures, 0);
}

}  // namespace
