// The converter object of one MorluneConvert call: the source, the
// destination, the working image, and the stages as members; with the
// names by which the stages ask about an image and pick a route.
#pragma once

#include <cstdint>
#include <memory>

#include "morlune.h"

enum ImageInfoField : uint32_t {
    INFO_BITS_PER_PIXEL = 0,
    INFO_HAS_ALPHA = 1,
    INFO_PALETTE_ENTRY_BITS = 2,
    INFO_IS_COMPRESSED = 3,
    INFO_IS_FLOAT = 4,
    INFO_IS_16BIT = 5,
    INFO_PITCH = 6,
    INFO_RED_MASK = 7,
    INFO_GREEN_MASK = 8,
    INFO_BLUE_MASK = 9,
    INFO_ALPHA_MASK = 10,
    INFO_FLIP_X = 11,
    INFO_FLIP_Y = 12,
    INFO_ENCODE_SPEED = 13,
    INFO_SCALE_FILTER = 14,
    INFO_NORMAL_MAP_FILTER = 15,
    INFO_NORMAL_MAP_SCALE = 16,
    INFO_NORMAL_MAP_WRAP = 17,
    INFO_CONTROL = 18,
};

enum ConversionRoute {
    ROUTE_RGBA8 = 0,
    ROUTE_FLOAT = 1,
    ROUTE_RGBA16 = 2,
    ROUTE_QUERY_SIZE = 3,
    ROUTE_QUERY_VERSION = 4,
};

// The working image's storage.
using PixelBuffer = std::unique_ptr<uint8_t[]>;

// No image, source, destination or working image may hold more bytes.
constexpr uint64_t kLargestImageBytes = 0xFFFFFFFFull;

// One converter per MorluneConvert call. Its stages are members and run in
// the order of the route that validation picks; all but the entry and the
// two services that the stages' helpers call are the converter's own.
class Morlune {
  public:
    Morlune(const TextureImage* source, TextureImage* destination);

    // Validates, runs the route, and returns TRC_OK or the failure's code.
    int32_t Convert();

    // Writes "Morlune error: %s \n" to standard error unless quiet.
    void PrintError(const char* text) const;
    uint32_t ImgInfo(const TextureImage* image, uint32_t field) const;

  private:
    // The tests run the stages one at a time through it.
    friend class MorluneStages;

    // Prints text (when not null) and throws code.
    [[noreturn]] void Fail(TReturnCode code, const char* text) const;
    // A new buffer of size bytes; "Image too large" above 4 GiB - 1 bytes,
    // "Could not create memory" when memory runs out, both TRC_FAILED.
    PixelBuffer Allocate(uint64_t size) const;
    // Makes buffer the working image.
    void InstallBuffer(PixelBuffer buffer, uint32_t width, uint32_t height, uint32_t bytesPerPixel);
    // Releases the working image.
    void ReleaseBuffer();

    uint32_t ImgSize(const TextureImage* image) const;

    ConversionRoute Validate();
    // The source checks of a conversion: presence, size, data.
    void CheckSource() const;
    // A pitch override must hold a whole row, and be exactly one row where
    // rows follow each other without gaps.
    void CheckPitch(const TextureImage* image) const;
    // Runs the stages of route in order.
    void RunRoute(ConversionRoute route);
    void QuerySize();
    void QueryVersion();

    // ROUTE_RGBA8.
    void DecodeSource();
    void UnpackPixels();
    void DecodeBlocks();
    void DecodeSixteenBit();
    void DecodeFloatPixels();
    void ApplyFlip();
    void Enlarge();
    void Reduce();
    void MakeNormalMap();
    void EncodeDestination();
    void PackPixels();
    void EncodeBlocks();
    void EncodeSixteenBit();
    void EncodeFloatPixels();
    void BuildPalette();

    // ROUTE_FLOAT (ApplyFlip, Enlarge and Reduce act on 16-byte pixels when
    // m_nBytesPerPixel is 16).
    void LoadFloat();
    void StoreFloat();

    // ROUTE_RGBA16.
    void LoadRGBA16();
    void StoreRGBA16();

    bool m_bVerbose = true;
    const TextureImage* m_pSrc;
    TextureImage* m_pDst;
    uint32_t m_nWidth = 0;
    uint32_t m_nHeight = 0;
    uint32_t m_nBytesPerPixel = 0;
    PixelBuffer m_pBuffer;
};
