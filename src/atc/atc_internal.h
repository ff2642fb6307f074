// Building blocks of the ATC codec, shared by its decoder, both encoders
// and the block routines.
#pragma once

#include <algorithm>
#include <cstdint>

#include "atc.h"

// One texel colour: channel bytes 0, 1, 2.
struct TexelColour {
    uint8_t ch[3];
};

inline TexelColour TexelAt(const ColourBlock& texels, int t) {
    return {{texels.texel[t][0], texels.texel[t][1], texels.texel[t][2]}};
}

// The four colours that a colour block's indices select.
struct ColourPalette {
    TexelColour entry[4];
};

// Mean colour and texel count of each of the four index classes.
struct Clusters {
    TexelColour mean[4];
    int count[4];
};

struct HueSaturation {
    int hue;         // 0..359, or -1 for a colour without hue
    int saturation;  // percent
};

// The two colours that become a block's colour codes.
struct ColourSources {
    TexelColour source0;
    TexelColour source1;
};

struct ColourCodes {
    uint16_t colour0;
    uint16_t colour1;
};

// Which index words a refinement pass may keep.
enum class RefineRule {
    Exhaustive,  // also any word with texels in class 3 in black mode
    Quick,       // only words using classes 0 and 3, or class 3 alone
};

// colour_codes.cpp
TexelColour Decode565(uint16_t code);
TexelColour Decode1555(uint16_t code, int* mode);
uint16_t Encode565(const TexelColour& colour);
uint16_t Encode1555(const TexelColour& colour, int mode);

// The small rules every search applies many times a block, defined here so
// that each caller can inline them.

// Interpolated palette: first, two points between, last.
inline ColourPalette InterpolatedPalette(const TexelColour& first, const TexelColour& last) {
    ColourPalette palette{};
    for (int k = 0; k < 3; ++k) {
        palette.entry[0].ch[k] = first.ch[k];
        palette.entry[1].ch[k] = static_cast<uint8_t>((5 * first.ch[k] + 3 * last.ch[k]) >> 3);
        palette.entry[2].ch[k] = static_cast<uint8_t>((3 * first.ch[k] + 5 * last.ch[k]) >> 3);
        palette.entry[3].ch[k] = last.ch[k];
    }
    return palette;
}

// Black-mode palette: black, middle - bright / 4 (not below 0), middle,
// bright.
inline ColourPalette BlackModePalette(const TexelColour& middle, const TexelColour& bright) {
    ColourPalette palette{};
    for (int k = 0; k < 3; ++k) {
        palette.entry[0].ch[k] = 0;
        palette.entry[1].ch[k] =
            static_cast<uint8_t>(std::max(0, middle.ch[k] - (bright.ch[k] >> 2)));
        palette.entry[2].ch[k] = middle.ch[k];
        palette.entry[3].ch[k] = bright.ch[k];
    }
    return palette;
}

inline int Luminance(const TexelColour& colour) {
    return (19 * colour.ch[0] + 38 * colour.ch[1] + 7 * colour.ch[2]) >> 6;
}

inline int SquaredDistance(const TexelColour& a, const TexelColour& b) {
    int total = 0;
    for (int k = 0; k < 3; ++k) {
        const int d = a.ch[k] - b.ch[k];
        total += d * d;
    }
    return total;
}

inline int ValuePercent(const TexelColour& colour) {
    return std::max({colour.ch[0], colour.ch[1], colour.ch[2]}) * 100 / 255;
}

inline bool IsDark(const TexelColour& colour) { return ValuePercent(colour) < 15; }

// Which class means become a block's two colours.
inline ColourSources ChooseColourSources(const Clusters& clusters, int mode, uint32_t format) {
    if (mode == 0) {
        return {clusters.mean[0], clusters.mean[3]};
    }
    if (format == FORMAT_ATC_ORDER_MODE) {
        // The brighter colour first signals black mode.
        return {clusters.mean[3], clusters.mean[2]};
    }
    return {clusters.mean[2], clusters.mean[3]};
}

// palette.cpp
ColourPalette BuildColourPalette(uint16_t colour0, uint16_t colour1, uint32_t format);
void DecodeColourBlock(uint32_t indexWord, uint16_t colour0, uint16_t colour1, uint32_t format,
                       ColourBlock* texels);

// alpha_nibbles.cpp
void UnpackAlphaNibbles(const uint8_t block[8], uint8_t alpha[16]);
void PackAlphaNibbles(const uint8_t nibbles[16], uint8_t block[8]);

// hue.cpp
HueSaturation HueSaturationOf(const TexelColour& colour);
bool HuesDiffer(int a, int b);

// clusters.cpp
uint32_t AssignIndices(const int luma[16], int lo, int mid, int hi);
Clusters ClusterMeans(const ColourBlock& texels, uint32_t indexWord);
int32_t BlockError(const ColourBlock& texels, uint32_t indexWord, uint16_t colour0,
                   uint16_t colour1, uint32_t format);

// black_mode.cpp: 1 for black mode, else 0; on 1 an empty class 2 takes
// over class 1 (index word and clusters rewritten). The two tests alone,
// without the rewrite, are the BlackModeWanted pair.
int ChooseBlackMode(uint32_t* indexWord, Clusters* clusters);
int ChooseBlackModeQuick(uint32_t* indexWord, Clusters* clusters);
bool BlackModeWanted(const Clusters& clusters);
bool BlackModeWantedQuick(const Clusters& clusters);

// colour_codes.cpp
ColourCodes EncodeColourCodes(const ColourSources& sources, int mode, uint32_t format);

// refine.cpp: true when the index word was replaced. A new word is kept only
// when RefinementAcceptable says so for its class sizes.
bool RefinementAcceptable(const int count[4], int mode, RefineRule rule);
bool RefineIndices(const ColourBlock& texels, uint32_t* indexWord, const ColourSources& sources,
                   int mode, uint32_t format, RefineRule rule);

// colour_block_encoder_quick_reference.cpp: classes split at the quarter
// points between the smallest and the largest luminance.
uint32_t QuarterPointIndices(const int luma[16]);

// The colour-block encoders; the index word is the result. The Reference
// pair evaluates everything texel by texel as the search is defined and is
// the yardstick of the other pair, which the image encoders and the block
// routines call and which gives the same answer for every block.
uint32_t EncodeColourBlock(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                           uint16_t* colour1);
uint32_t EncodeColourBlockQuick(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                                uint16_t* colour1, int32_t* grade);
uint32_t EncodeColourBlockReference(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                                    uint16_t* colour1);
uint32_t EncodeColourBlockQuickReference(const ColourBlock& texels, uint32_t format,
                                         uint16_t* colour0, uint16_t* colour1, int32_t* grade);
