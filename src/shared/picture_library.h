// The picture library behind LoadImage, SaveImageTGA and SaveImagePNG,
// reduced to what they need: guessing a file's kind from its name, loading a
// picture as 32-bit RGBA, and writing RGBA pixels as a TGA or PNG picture. Pixels cross this
// interface top row first, each pixel as red, green, blue, alpha bytes.
#pragma once

#include <cstdint>
#include <cstdio>

enum class PictureKind { Unknown, DDS, Other };

// The kind that the path's name suggests; the file is not opened.
PictureKind GuessPictureKind(const char* path);

// A picture loaded and brought to 32 bits per pixel.
struct Picture {
    void* bitmap = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
};

enum class PictureLoadResult {
    Loaded,
    Unreadable,      // the library cannot read this kind of file, or loading failed
    NotConvertible,  // loaded, but cannot be brought to 32 bits per pixel
};

PictureLoadResult LoadPicture(const char* path, Picture* picture);

// Copies the pixels, width * height * 4 bytes, into rgba.
void CopyPictureRGBA(const Picture& picture, uint8_t* rgba);

void ReleasePicture(Picture* picture);

// Writes width x height RGBA pixels as an uncompressed TGA picture into the
// stream. False when the library could not make or save the picture.
bool WritePictureTGA(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height);

// The same as a PNG picture (8 bits per channel with alpha).
bool WritePicturePNG(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height);
