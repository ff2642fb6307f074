// Every fact about the engine's pixel formats, in one table.
#pragma once

#include <cstdint>

enum class FormatKind { Direct, Sixteen, Palette, Compressed, Float };

// The channels that a 16-bit or floating-point pixel stores, in order.
enum class ChannelSet { None, RGBA, RGB, LA, L, A };

struct FormatInfo {
    uint32_t code;
    const char* name;
    uint32_t bitsPerPixel;  // of a pixel, or of an index for palettised formats
    bool hasAlpha;
    uint32_t paletteEntryBits;  // 0 unless palettised
    FormatKind kind;
    // Direct formats: the masks of the pixel value. Palettised formats: the
    // masks of a palette entry. 0 where the format has no such channel.
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;
    uint32_t alphaMask;
    ChannelSet channels;  // 16-bit and float formats
    bool halfFloat;       // float formats stored as IEEE half floats
};

// The catalogue entry of a format code, or null for 0, 28 and above 43.
const FormatInfo* FindFormat(uint32_t code);

// Number of channels that a ChannelSet stores.
uint32_t ChannelCount(ChannelSet channels);

// Where the stored channels of a 16-bit or float pixel go in a red, green,
// blue, alpha pixel: slot[k] is the place (0 to 3) of stored channel k. A
// luminance channel (slot 0 with luminance set) fills red, green and blue
// when read and is taken from red when written.
struct ChannelPlaces {
    uint32_t count;
    uint32_t slot[4];
    bool luminance;
};
const ChannelPlaces& PlacesOf(ChannelSet channels);
