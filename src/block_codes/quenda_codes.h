// Codes and block buffers shared by the block compression library and the
// ATC codec: format codes, flags, result codes, channel orders, and the
// 16-pixel buffers handed to every per-block codec.
#pragma once

#include <cstdint>

constexpr uint32_t FORMAT_ATC = 0xCCC40002;
constexpr uint32_t FORMAT_ETC1_RGB8 = 0xEC000001;
constexpr uint32_t FORMAT_3DC_X = 0x31495441;   // "ATI1"
constexpr uint32_t FORMAT_3DC_XY = 0x32495441;  // "ATI2"

constexpr uint32_t FLAG_NO_ALPHA = 0x01;
constexpr uint32_t FLAG_ALPHA = 0x02;
constexpr uint32_t FLAG_ALPHA_SINGLE_CHANNEL = 0x10;

constexpr int32_t RESULT_OK = 0;
constexpr int32_t RESULT_BUFFER_TOO_SMALL = 2;
constexpr int32_t RESULT_FLAGS_CONFLICT = 3;
constexpr int32_t RESULT_UNKNOWN_FORMAT = 4;
constexpr int32_t RESULT_BAD_CHANNEL_ORDER = 5;

constexpr uint32_t ORDER_RGB = 1;
constexpr uint32_t ORDER_BGR = 2;

// 16 pixels of a 4x4 block, pixel (x, y) at index 4y + x, three channel
// bytes each in channel order 0, 1, 2.
struct ColourBlock {
    uint8_t texel[16][3];
};

// The 16 alpha bytes of a 4x4 block, in the same pixel order.
struct AlphaBlock {
    uint8_t alpha[16];
};
