// One converter whose stages the tests run one at a time: the engine keeps its
// stages, services and working image private, and this class, its friend,
// hands them to the tests and nothing else.
#pragma once

#include <cstdint>
#include <utility>

#include "morlune_converter.h"

class MorluneStages {
  public:
    MorluneStages(const TextureImage* source, TextureImage* destination)
        : m_converter(source, destination) {}

    // The services of the stages.
    uint32_t ImgInfo(const TextureImage* image, uint32_t field) const {
        return m_converter.ImgInfo(image, field);
    }
    uint32_t ImgSize(const TextureImage* image) const { return m_converter.ImgSize(image); }
    PixelBuffer Allocate(uint64_t size) const { return m_converter.Allocate(size); }
    void InstallBuffer(PixelBuffer buffer, uint32_t width, uint32_t height,
                       uint32_t bytesPerPixel) {
        m_converter.InstallBuffer(std::move(buffer), width, height, bytesPerPixel);
    }

    // Validation and the stages.
    ConversionRoute Validate() { return m_converter.Validate(); }
    void DecodeSource() { m_converter.DecodeSource(); }
    void UnpackPixels() { m_converter.UnpackPixels(); }
    void ApplyFlip() { m_converter.ApplyFlip(); }
    void Enlarge() { m_converter.Enlarge(); }
    void Reduce() { m_converter.Reduce(); }
    void MakeNormalMap() { m_converter.MakeNormalMap(); }
    void EncodeDestination() { m_converter.EncodeDestination(); }
    void PackPixels() { m_converter.PackPixels(); }
    void BuildPalette() { m_converter.BuildPalette(); }

    // The converter's state between the stages.
    bool Verbose() const { return m_converter.m_bVerbose; }
    void SetVerbose(bool verbose) { m_converter.m_bVerbose = verbose; }
    uint32_t Width() const { return m_converter.m_nWidth; }
    uint32_t Height() const { return m_converter.m_nHeight; }
    uint32_t BytesPerPixel() const { return m_converter.m_nBytesPerPixel; }
    // The working image, or null when there is none.
    const uint8_t* Buffer() const { return m_converter.m_pBuffer.get(); }

  private:
    Morlune m_converter;
};
