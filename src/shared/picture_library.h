// The picture library behind LoadImage, SaveImageTGA and SaveImagePNG,
// reduced to what they need: guessing a file's kind from its name, loading a
// picture as 8-bit RGBA or as floats, and writing RGBA pixels as a TGA or PNG
// picture. Pixels cross this interface top row first, each pixel's channels
// in the order red, green, blue, alpha.
#pragma once

#include <cstdint>
#include <cstdio>

enum class PictureKind { Unknown, DDS, Other };

// The kind that the path's name suggests; the file is not opened.
PictureKind GuessPictureKind(const char* path);

// The stated size of the picture that the file holds, read from its header
// without decoding any pixel. False when the picture library has no such
// read for this kind of file, or the read failed.
bool ReadPictureSize(const char* path, uint32_t* width, uint32_t* height);

// A loaded picture: 8-bit RGBA, or floats with floatChannels channels per
// pixel (1 grey, 3 red, green, blue, 4 with alpha).
struct Picture {
    void* bitmap = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t floatChannels = 0;  // 0 for 8-bit RGBA
};

enum class PictureLoadResult {
    Loaded,
    Unreadable,      // the library cannot read this kind of file, or loading failed
    NotConvertible,  // loaded, but its pixel type has no 8-bit RGBA or float form here
};

PictureLoadResult LoadPicture(const char* path, Picture* picture);

// Copies the pixels of an 8-bit RGBA picture, width * height * 4 bytes.
void CopyPictureRGBA(const Picture& picture, uint8_t* rgba);

// Copies rowCount rows of a float picture from firstRow (counted from the
// top) on, width * floatChannels floats per row.
void CopyPictureFloatRows(const Picture& picture, uint32_t firstRow, uint32_t rowCount,
                          float* values);

void ReleasePicture(Picture* picture);

// Writes width x height RGBA pixels as an uncompressed TGA picture into the
// stream. False when the library could not make or save the picture.
bool WritePictureTGA(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height);

// The same as a PNG picture (8 bits per channel with alpha).
bool WritePicturePNG(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height);
