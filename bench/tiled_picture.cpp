#include "tiled_picture.h"

#include <cstring>

namespace {

// Where a cell starts along a side of the picture: centred when it fits.
uint64_t CellStart(uint32_t pictureSide) {
    return pictureSide >= kTileSide ? (pictureSide - kTileSide) / 2 : 0;
}

}  // namespace

Picture TilePictures(const std::vector<const Picture*>& pictures, uint32_t side) {
    Picture tiled;
    tiled.width = side;
    tiled.height = side;
    tiled.rgba.resize(size_t(side) * side * 4);
    const uint32_t across = (side + kTileSide - 1) / kTileSide;
    for (uint32_t y = 0; y < side; ++y) {
        for (uint32_t x = 0; x < side; ++x) {
            const size_t cell = size_t(y / kTileSide) * across + x / kTileSide;
            const Picture& from = *pictures[cell % pictures.size()];
            const uint64_t fromX = (CellStart(from.width) + x % kTileSide) % from.width;
            const uint64_t fromY = (CellStart(from.height) + y % kTileSide) % from.height;
            std::memcpy(&tiled.rgba[(size_t(y) * side + x) * 4],
                        &from.rgba[(fromY * from.width + fromX) * 4], 4);
        }
    }
    return tiled;
}
