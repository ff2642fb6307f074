// Morlune, the texture conversion engine: one entry point that converts a
// source TextureImage into a destination TextureImage of another format and
// size.
#pragma once

#include <cstdint>

#include "texture_image.h"

// The engine's result, also thrown inside the engine and caught at the entry.
enum TReturnCode : int32_t {
    TRC_OK = 0,
    TRC_BAD_DIMENSIONS = 1,
    TRC_UNSUPPORTED_FORMAT = 2,
    TRC_NO_DATA = 6,
    TRC_NO_DESTINATION = 7,
    TRC_BUFFER_TOO_SMALL = 8,
    TRC_FAILED = 9,
};

// Format codes of the engine's catalogue. Code 28 is not assigned. Names that
// would begin with a digit carry the prefix TF_.
enum TextureFormat : uint32_t {
    RGBA8888 = 1,
    RGB888 = 2,
    RGB565 = 3,
    RGBA5551 = 4,
    RGBA4444 = 5,
    LA88 = 6,
    L8 = 7,
    A8 = 8,
    RGB16 = 9,
    RGBA16 = 10,
    PAL8_RGBA8888 = 11,
    PAL8_RGB888 = 12,
    PAL8_RGBA5551 = 13,
    PAL8_RGBA4444 = 14,
    PAL8_RGB565 = 15,
    PAL4_RGBA8888 = 16,
    PAL4_RGB888 = 17,
    PAL4_RGBA5551 = 18,
    PAL4_RGBA4444 = 19,
    PAL4_RGB565 = 20,
    PAL1_RGBA8888 = 21,
    ATC_RGBA_EXPLICIT_ALPHA = 22,
    ATC_RGB = 23,
    ATC_RGBA_INTERPOLATED_ALPHA = 24,
    ETC1_RGB8 = 25,
    TF_3DC_X = 26,
    TF_3DC_XY = 27,
    RGBA32F = 29,
    RGB32F = 30,
    LA32F = 31,
    L32F = 32,
    A32F = 33,
    RGBA16F = 34,
    RGB16F = 35,
    LA16F = 36,
    L16F = 37,
    A16F = 38,
    BGRA8888 = 39,
    L16 = 40,
    L24 = 41,
    L24A8 = 42,
    L32 = 43,
};

// nControl values.
constexpr uint32_t kControlQuiet = 1;
constexpr uint32_t kControlQueryVersion = 2;

constexpr uint32_t MORLUNE_VERSION = 0x00020002;

// Converts source into destination. With destination->pData null it is a
// size query that stores the needed byte count into destination->nDataSize.
// Returns TRC_OK or the TReturnCode of the failure.
int32_t MorluneConvert(const TextureImage* source, TextureImage* destination);
