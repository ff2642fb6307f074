// A block's pixels in the fast encoder's planes, compiled once per Highway
// target by the files that include it.
#if defined(VOSTREL_ETC1_BLOCK_PLANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_BLOCK_PLANES_INL_H_
#undef VOSTREL_ETC1_BLOCK_PLANES_INL_H_
#else
#define VOSTREL_ETC1_BLOCK_PLANES_INL_H_
#endif

#include "etc1_fast_block.h"
#include "etc1_fast_search.h"
#include "etc1_search_tables.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The planes, and the channel sums of the four sub-blocks, [flip][sub-block].
void MakePlanes(const ColourBlock& pixels, BlockPlanes* planes, int sum[2][2][3]) {
#if HWY_TARGET == HWY_SCALAR
    for (int p = 0; p < 16; ++p) {
        const uint8_t* texel = pixels.texel[p];
        const int16_t luma = Etc1CoarseLuma(texel);
        for (int flip = 0; flip < 2; ++flip) {
            const int q = kLayout.planeOfPixel[flip][p];
            planes->plane[flip][0][q] = texel[0];
            planes->plane[flip][1][q] = texel[1];
            planes->plane[flip][2][q] = texel[2];
            planes->luma[flip][q] = luma;
        }
    }
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            for (int c = 0; c < 3; ++c) {
                const int32_t* v = planes->plane[flip][c] + 8 * s;
                sum[flip][s][c] = v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + v[6] + v[7];
            }
        }
    }
#else
    const hn::CappedTag<uint8_t, 16> d8;
    hn::VFromD<decltype(d8)> raster[3];
    hn::LoadInterleaved3(d8, pixels.texel[0], raster[0], raster[1], raster[2]);
    const hn::CappedTag<int32_t, 16> d32;
    const hn::Rebind<uint8_t, decltype(d32)> d8for32;
    const hn::CappedTag<int16_t, 16> d16;
    const hn::Rebind<uint8_t, decltype(d16)> d8for16;
    for (int flip = 0; flip < 2; ++flip) {
        const auto order = hn::Load(d8, kLayout.pixelOfPlane[flip]);
        HWY_ALIGN uint8_t bytes[3][16];
        for (int c = 0; c < 3; ++c) {
            const auto channel = hn::TableLookupBytes(raster[c], order);
            hn::Store(channel, d8, bytes[c]);
            // Lanes 0-7 are sub-block 0, lanes 8-15 sub-block 1.
            const auto sums = hn::SumsOf8(channel);
            sum[flip][0][c] = static_cast<int>(hn::ExtractLane(sums, 0));
            sum[flip][1][c] = static_cast<int>(hn::ExtractLane(sums, 1));
        }
        for (size_t i = 0; i < 16; i += hn::Lanes(d32)) {
            for (int c = 0; c < 3; ++c) {
                hn::Store(hn::PromoteTo(d32, hn::Load(d8for32, bytes[c] + i)), d32,
                          planes->plane[flip][c] + i);
            }
        }
        for (size_t i = 0; i < 16; i += hn::Lanes(d16)) {
            const auto weighted = [&](int c) {
                return hn::Mul(hn::PromoteTo(d16, hn::Load(d8for16, bytes[c] + i)),
                               hn::Set(d16, kLumaWeight[c]));
            };
            hn::Store(hn::Add(hn::Add(weighted(0), weighted(1)), weighted(2)), d16,
                      planes->luma[flip] + i);
        }
    }
#endif
}

Etc1SubblockLanes SubblockLanes(const BlockPlanes& planes, int flip, int s) {
    Etc1SubblockLanes lanes;
    for (int c = 0; c < 3; ++c) {
        lanes.plane[c] = planes.plane[flip][c] + 8 * s;
    }
    lanes.luma = planes.luma[flip] + 8 * s;
    return lanes;
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_BLOCK_PLANES_INL_H_
