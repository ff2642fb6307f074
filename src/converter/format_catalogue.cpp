// The catalogue of the engine's 42 pixel formats, and where the stored
// channels of the 16-bit and float formats go in an RGBA pixel.
#include "format_catalogue.h"

#include <iterator>

#include "morlune.h"

namespace {

using K = FormatKind;
using C = ChannelSet;

constexpr FormatInfo kFormats[] = {
    // code, name, bpp, alpha, entry bits, kind, red, green, blue, alpha masks, channels, half
    {RGBA8888, "RGBA8888", 32, true, 0, K::Direct, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000,
     C::None, false},
    {RGB888, "RGB888", 24, false, 0, K::Direct, 0x0000FF, 0x00FF00, 0xFF0000, 0, C::None, false},
    {RGB565, "RGB565", 16, false, 0, K::Direct, 0xF800, 0x07E0, 0x001F, 0, C::None, false},
    {RGBA5551, "RGBA5551", 16, true, 0, K::Direct, 0xF800, 0x07C0, 0x003E, 0x0001, C::None, false},
    {RGBA4444, "RGBA4444", 16, true, 0, K::Direct, 0xF000, 0x0F00, 0x00F0, 0x000F, C::None, false},
    {LA88, "LA88", 16, true, 0, K::Direct, 0xFF00, 0xFF00, 0xFF00, 0x00FF, C::None, false},
    {L8, "L8", 8, false, 0, K::Direct, 0xFF, 0xFF, 0xFF, 0, C::None, false},
    {A8, "A8", 8, true, 0, K::Direct, 0, 0, 0, 0xFF, C::None, false},
    {RGB16, "RGB16", 48, false, 0, K::Sixteen, 0, 0, 0, 0, C::RGB, false},
    {RGBA16, "RGBA16", 64, true, 0, K::Sixteen, 0, 0, 0, 0, C::RGBA, false},
    {PAL8_RGBA8888, "PAL8_RGBA8888", 8, true, 32, K::Palette, 0x000000FF, 0x0000FF00, 0x00FF0000,
     0xFF000000, C::None, false},
    {PAL8_RGB888, "PAL8_RGB888", 8, false, 24, K::Palette, 0x0000FF, 0x00FF00, 0xFF0000, 0, C::None,
     false},
    {PAL8_RGBA5551, "PAL8_RGBA5551", 8, true, 16, K::Palette, 0xF800, 0x07C0, 0x003E, 0x0001,
     C::None, false},
    {PAL8_RGBA4444, "PAL8_RGBA4444", 8, true, 16, K::Palette, 0xF000, 0x0F00, 0x00F0, 0x000F,
     C::None, false},
    {PAL8_RGB565, "PAL8_RGB565", 8, false, 16, K::Palette, 0xF800, 0x07E0, 0x001F, 0, C::None,
     false},
    {PAL4_RGBA8888, "PAL4_RGBA8888", 4, true, 32, K::Palette, 0x000000FF, 0x0000FF00, 0x00FF0000,
     0xFF000000, C::None, false},
    {PAL4_RGB888, "PAL4_RGB888", 4, false, 24, K::Palette, 0x0000FF, 0x00FF00, 0xFF0000, 0, C::None,
     false},
    {PAL4_RGBA5551, "PAL4_RGBA5551", 4, true, 16, K::Palette, 0xF800, 0x07C0, 0x003E, 0x0001,
     C::None, false},
    {PAL4_RGBA4444, "PAL4_RGBA4444", 4, true, 16, K::Palette, 0xF000, 0x0F00, 0x00F0, 0x000F,
     C::None, false},
    {PAL4_RGB565, "PAL4_RGB565", 4, false, 16, K::Palette, 0xF800, 0x07E0, 0x001F, 0, C::None,
     false},
    {PAL1_RGBA8888, "PAL1_RGBA8888", 1, true, 32, K::Palette, 0x000000FF, 0x0000FF00, 0x00FF0000,
     0xFF000000, C::None, false},
    {ATC_RGBA_EXPLICIT_ALPHA, "ATC_RGBA_EXPLICIT_ALPHA", 8, true, 0, K::Compressed, 0, 0, 0, 0,
     C::None, false},
    {ATC_RGB, "ATC_RGB", 4, false, 0, K::Compressed, 0, 0, 0, 0, C::None, false},
    {ATC_RGBA_INTERPOLATED_ALPHA, "ATC_RGBA_INTERPOLATED_ALPHA", 8, true, 0, K::Compressed, 0, 0, 0,
     0, C::None, false},
    {ETC1_RGB8, "ETC1_RGB8", 4, false, 0, K::Compressed, 0, 0, 0, 0, C::None, false},
    {TF_3DC_X, "3DC_X", 4, false, 0, K::Compressed, 0, 0, 0, 0, C::None, false},
    {TF_3DC_XY, "3DC_XY", 8, false, 0, K::Compressed, 0, 0, 0, 0, C::None, false},
    {RGBA32F, "RGBA32F", 128, true, 0, K::Float, 0, 0, 0, 0, C::RGBA, false},
    {RGB32F, "RGB32F", 96, false, 0, K::Float, 0, 0, 0, 0, C::RGB, false},
    {LA32F, "LA32F", 64, true, 0, K::Float, 0, 0, 0, 0, C::LA, false},
    {L32F, "L32F", 32, false, 0, K::Float, 0, 0, 0, 0, C::L, false},
    {A32F, "A32F", 32, true, 0, K::Float, 0, 0, 0, 0, C::A, false},
    {RGBA16F, "RGBA16F", 64, true, 0, K::Float, 0, 0, 0, 0, C::RGBA, true},
    {RGB16F, "RGB16F", 48, false, 0, K::Float, 0, 0, 0, 0, C::RGB, true},
    {LA16F, "LA16F", 32, true, 0, K::Float, 0, 0, 0, 0, C::LA, true},
    {L16F, "L16F", 16, false, 0, K::Float, 0, 0, 0, 0, C::L, true},
    {A16F, "A16F", 16, true, 0, K::Float, 0, 0, 0, 0, C::A, true},
    {BGRA8888, "BGRA8888", 32, true, 0, K::Direct, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000,
     C::None, false},
    {L16, "L16", 16, false, 0, K::Direct, 0xFFFF, 0xFFFF, 0xFFFF, 0, C::None, false},
    {L24, "L24", 24, false, 0, K::Direct, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, C::None, false},
    {L24A8, "L24A8", 32, true, 0, K::Direct, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0xFF000000,
     C::None, false},
    {L32, "L32", 32, false, 0, K::Direct, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0, C::None, false},
};
static_assert(std::size(kFormats) == 42);

}  // namespace

const FormatInfo* FindFormat(uint32_t code) {
    for (const FormatInfo& format : kFormats) {
        if (format.code == code) {
            return &format;
        }
    }
    return nullptr;
}

const ChannelPlaces& PlacesOf(ChannelSet channels) {
    static constexpr ChannelPlaces kNone{0, {0, 0, 0, 0}, false};
    static constexpr ChannelPlaces kRGBA{4, {0, 1, 2, 3}, false};
    static constexpr ChannelPlaces kRGB{3, {0, 1, 2, 0}, false};
    static constexpr ChannelPlaces kLA{2, {0, 3, 0, 0}, true};
    static constexpr ChannelPlaces kL{1, {0, 0, 0, 0}, true};
    static constexpr ChannelPlaces kA{1, {3, 0, 0, 0}, false};
    switch (channels) {
        case ChannelSet::RGBA:
            return kRGBA;
        case ChannelSet::RGB:
            return kRGB;
        case ChannelSet::LA:
            return kLA;
        case ChannelSet::L:
            return kL;
        case ChannelSet::A:
            return kA;
        case ChannelSet::None:
            break;
    }
    return kNone;
}

uint32_t ChannelCount(ChannelSet channels) { return PlacesOf(channels).count; }
