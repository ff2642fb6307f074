// The picture library: FreeImage. The shared library initialises itself when
// it is loaded, so FreeImage_Initialise is not called.
#include "picture_library.h"

#include <FreeImage.h>

#include <climits>

namespace {

unsigned DLL_CALLCONV ReadFromStream(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return unsigned(std::fread(buffer, size, count, static_cast<std::FILE*>(handle)));
}

unsigned DLL_CALLCONV WriteToStream(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return unsigned(std::fwrite(buffer, size, count, static_cast<std::FILE*>(handle)));
}

int DLL_CALLCONV SeekInStream(fi_handle handle, long offset, int origin) {
    return std::fseek(static_cast<std::FILE*>(handle), offset, origin);
}

long DLL_CALLCONV TellInStream(fi_handle handle) {
    return std::ftell(static_cast<std::FILE*>(handle));
}

bool Is32BitBitmap(FIBITMAP* bitmap) {
    return FreeImage_GetImageType(bitmap) == FIT_BITMAP && FreeImage_GetBPP(bitmap) == 32;
}

}  // namespace

PictureKind GuessPictureKind(const char* path) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path);
    if (format == FIF_UNKNOWN) {
        return PictureKind::Unknown;
    }
    return format == FIF_DDS ? PictureKind::DDS : PictureKind::Other;
}

PictureLoadResult LoadPicture(const char* path, Picture* picture) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path);
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) {
        return PictureLoadResult::Unreadable;
    }
    FIBITMAP* bitmap = FreeImage_Load(format, path, 0);
    if (bitmap == nullptr) {
        return PictureLoadResult::Unreadable;
    }
    if (!Is32BitBitmap(bitmap)) {
        FIBITMAP* converted = FreeImage_ConvertTo32Bits(bitmap);
        FreeImage_Unload(bitmap);
        bitmap = converted;
        if (bitmap == nullptr || !Is32BitBitmap(bitmap)) {
            if (bitmap != nullptr) {
                FreeImage_Unload(bitmap);
            }
            return PictureLoadResult::NotConvertible;
        }
    }
    picture->bitmap = bitmap;
    picture->width = FreeImage_GetWidth(bitmap);
    picture->height = FreeImage_GetHeight(bitmap);
    return PictureLoadResult::Loaded;
}

// FreeImage keeps the bottom row first and, on this byte order, each pixel as
// blue, green, red, alpha whatever masks a raw copy is given; the rows and the
// bytes are put in order here.
void CopyPictureRGBA(const Picture& picture, uint8_t* rgba) {
    auto* bitmap = static_cast<FIBITMAP*>(picture.bitmap);
    for (uint32_t row = 0; row < picture.height; ++row) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, int(picture.height - 1 - row));
        uint8_t* out = rgba + uint64_t(row) * picture.width * 4;
        for (uint32_t x = 0; x < picture.width; ++x, line += 4, out += 4) {
            out[0] = line[FI_RGBA_RED];
            out[1] = line[FI_RGBA_GREEN];
            out[2] = line[FI_RGBA_BLUE];
            out[3] = line[FI_RGBA_ALPHA];
        }
    }
}

void ReleasePicture(Picture* picture) {
    if (picture->bitmap != nullptr) {
        FreeImage_Unload(static_cast<FIBITMAP*>(picture->bitmap));
    }
    *picture = Picture{};
}

namespace {

// Writes width x height RGBA pixels into the stream as a picture of the given
// kind; false when the library could not make or save the picture.
bool WritePicture(FREE_IMAGE_FORMAT format, std::FILE* stream, const uint8_t* rgba,
                  uint32_t width, uint32_t height) {
    if (width > INT_MAX || height > INT_MAX) {
        return false;
    }
    FIBITMAP* bitmap = FreeImage_Allocate(int(width), int(height), 32, FI_RGBA_RED_MASK,
                                          FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (bitmap == nullptr) {
        return false;
    }
    for (uint32_t row = 0; row < height; ++row) {
        BYTE* line = FreeImage_GetScanLine(bitmap, int(height - 1 - row));
        const uint8_t* in = rgba + uint64_t(row) * width * 4;
        for (uint32_t x = 0; x < width; ++x, line += 4, in += 4) {
            line[FI_RGBA_RED] = in[0];
            line[FI_RGBA_GREEN] = in[1];
            line[FI_RGBA_BLUE] = in[2];
            line[FI_RGBA_ALPHA] = in[3];
        }
    }
    FreeImageIO io{ReadFromStream, WriteToStream, SeekInStream, TellInStream};
    const bool saved = FreeImage_SaveToHandle(format, bitmap, &io, stream, 0) != FALSE;
    FreeImage_Unload(bitmap);
    return saved;
}

}  // namespace

bool WritePictureTGA(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height) {
    return WritePicture(FIF_TARGA, stream, rgba, width, height);
}

bool WritePicturePNG(std::FILE* stream, const uint8_t* rgba, uint32_t width, uint32_t height) {
    return WritePicture(FIF_PNG, stream, rgba, width, height);
}
