// Images and calls for the engine's tests: the bytes of wide pixels,
// records with their own layout block and data, and conversions with their
// standard-error text captured.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "byte_order.h"
#include "morlune.h"

// The bytes of 16-bit values and of floats as the engine's wide formats
// store them, little-endian.
inline std::vector<uint8_t> Sixteens(std::initializer_list<uint16_t> values) {
    std::vector<uint8_t> bytes(values.size() * 2);
    uint8_t* out = bytes.data();
    for (const uint16_t value : values) {
        StoreLittleEndian16(out, value);
        out += 2;
    }
    return bytes;
}

inline std::vector<uint8_t> Floats(std::initializer_list<float> values) {
    std::vector<uint8_t> bytes(values.size() * 4);
    uint8_t* out = bytes.data();
    for (const float value : values) {
        StoreLittleEndian32(out, std::bit_cast<uint32_t>(value));
        out += 4;
    }
    return bytes;
}

// One record with a layout block of its own (optional) and data it owns.
struct TestImage {
    TextureImage record{};
    PixelLayout layout{};
    std::vector<uint8_t> data;

    TestImage(uint32_t width, uint32_t height, uint32_t format, std::vector<uint8_t> bytes = {},
              bool withLayout = true)
        : data(std::move(bytes)) {
        record.nWidth = width;
        record.nHeight = height;
        record.nFormat = format;
        record.pPixelLayout = withLayout ? &layout : nullptr;
        Attach();
    }
    TestImage(const TestImage&) = delete;
    TestImage& operator=(const TestImage&) = delete;

    // Points the record at data, or at nothing when data is empty.
    void Attach() {
        record.pData = data.empty() ? nullptr : data.data();
        record.nDataSize = uint32_t(data.size());
    }
    // Gives the record a zeroed buffer of size bytes.
    void Allocate(uint32_t size, uint8_t fill = 0) {
        data.assign(size, fill);
        Attach();
    }
    TextureImage* operator->() { return &record; }
    TextureImage* get() { return &record; }
};

struct ConvertResult {
    int32_t code;
    std::string messages;
};

inline ConvertResult ConvertCapturing(const TextureImage* source, TextureImage* destination) {
    testing::internal::CaptureStderr();
    const int32_t code = MorluneConvert(source, destination);
    return {code, testing::internal::GetCapturedStderr()};
}

// The engine's form of one message on standard error.
inline std::string EngineMessage(const std::string& text) {
    return text.empty() ? std::string() : "Morlune error: " + text + " \n";
}

// Size query, then the conversion into a buffer of exactly that size.
inline ConvertResult ConvertWithQuery(const TextureImage* source, TestImage& destination) {
    destination.data.clear();
    destination.Attach();
    const ConvertResult query = ConvertCapturing(source, destination.get());
    if (query.code != TRC_OK) {
        return query;
    }
    destination.Allocate(destination->nDataSize);
    return ConvertCapturing(source, destination.get());
}
