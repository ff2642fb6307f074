// The picture library: FreeImage. The shared library initialises itself when
// it is loaded, so FreeImage_Initialise is not called.
#include "picture_library.h"

#include <FreeImage.h>
#include <tiffio.h>

#include <climits>
#include <cstring>

namespace {

unsigned DLL_CALLCONV ReadFromStream(void* buffer, unsigned size, unsigned count,
                                     fi_handle handle) {
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

// Channels per pixel of the float pixel types; 0 for every other type.
uint32_t FloatChannels(FREE_IMAGE_TYPE type) {
    switch (type) {
        case FIT_FLOAT:
            return 1;
        case FIT_RGBF:
            return 3;
        case FIT_RGBAF:
            return 4;
        default:
            return 0;
    }
}

// The format that the name implies, when the library reads it.
FREE_IMAGE_FORMAT ReadableFormat(const char* path) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path);
    return format != FIF_UNKNOWN && FreeImage_FIFSupportsReading(format) ? format : FIF_UNKNOWN;
}

// The TIFF reader's diagnostics are silenced for the header-only read: the
// picture library lets them through to standard error, and the full read
// that follows prints them as it always has.
class QuietTiffDiagnostics {
  public:
    QuietTiffDiagnostics()
        : m_error(TIFFSetErrorHandler(nullptr)), m_warning(TIFFSetWarningHandler(nullptr)) {}
    ~QuietTiffDiagnostics() {
        TIFFSetErrorHandler(m_error);
        TIFFSetWarningHandler(m_warning);
    }
    QuietTiffDiagnostics(const QuietTiffDiagnostics&) = delete;
    QuietTiffDiagnostics& operator=(const QuietTiffDiagnostics&) = delete;

  private:
    TIFFErrorHandler m_error;
    TIFFErrorHandler m_warning;
};

}  // namespace

PictureKind GuessPictureKind(const char* path) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path);
    if (format == FIF_UNKNOWN) {
        return PictureKind::Unknown;
    }
    return format == FIF_DDS ? PictureKind::DDS : PictureKind::Other;
}

bool ReadPictureSize(const char* path, uint32_t* width, uint32_t* height) {
    const FREE_IMAGE_FORMAT format = ReadableFormat(path);
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsNoPixels(format)) {
        return false;
    }
    FIBITMAP* header = nullptr;
    {
        const QuietTiffDiagnostics quiet;
        header = FreeImage_Load(format, path, FIF_LOAD_NOPIXELS);
    }
    if (header == nullptr) {
        return false;
    }
    *width = FreeImage_GetWidth(header);
    *height = FreeImage_GetHeight(header);
    FreeImage_Unload(header);
    return true;
}

// 16-bit grey pictures stay as they are, CopyPictureRGBA narrows them; float
// pictures stay as they are for the caller's float route; everything else is
// brought to 32-bit RGBA by the library.
PictureLoadResult LoadPicture(const char* path, Picture* picture) {
    const FREE_IMAGE_FORMAT format = ReadableFormat(path);
    if (format == FIF_UNKNOWN) {
        return PictureLoadResult::Unreadable;
    }
    FIBITMAP* bitmap = FreeImage_Load(format, path, 0);
    if (bitmap == nullptr) {
        return PictureLoadResult::Unreadable;
    }
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(bitmap);
    const uint32_t floatChannels = FloatChannels(type);
    if (type != FIT_UINT16 && floatChannels == 0 && !Is32BitBitmap(bitmap)) {
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
    picture->floatChannels = floatChannels;
    return PictureLoadResult::Loaded;
}

// FreeImage keeps the bottom row first and, on this byte order, each 32-bit
// pixel as blue, green, red, alpha whatever masks a raw copy is given; the
// rows and the bytes are put in order here. A 16-bit grey value keeps its
// top 8 bits, as the library's own conversion of 16-bit RGB does.
void CopyPictureRGBA(const Picture& picture, uint8_t* rgba) {
    auto* bitmap = static_cast<FIBITMAP*>(picture.bitmap);
    const bool grey16 = FreeImage_GetImageType(bitmap) == FIT_UINT16;
    for (uint32_t row = 0; row < picture.height; ++row) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, int(picture.height - 1 - row));
        uint8_t* out = rgba + uint64_t(row) * picture.width * 4;
        if (grey16) {
            const auto* values = reinterpret_cast<const uint16_t*>(line);
            for (uint32_t x = 0; x < picture.width; ++x, out += 4) {
                const uint8_t top = uint8_t(values[x] >> 8);
                out[0] = top;
                out[1] = top;
                out[2] = top;
                out[3] = 255;
            }
            continue;
        }
        for (uint32_t x = 0; x < picture.width; ++x, line += 4, out += 4) {
            out[0] = line[FI_RGBA_RED];
            out[1] = line[FI_RGBA_GREEN];
            out[2] = line[FI_RGBA_BLUE];
            out[3] = line[FI_RGBA_ALPHA];
        }
    }
}

// The library's float pixels hold red, green, blue and alpha in that order
// on every byte order.
void CopyPictureFloatRows(const Picture& picture, uint32_t firstRow, uint32_t rowCount,
                          float* values) {
    auto* bitmap = static_cast<FIBITMAP*>(picture.bitmap);
    const uint64_t rowValues = uint64_t(picture.width) * picture.floatChannels;
    for (uint32_t row = firstRow; row < firstRow + rowCount; ++row, values += rowValues) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, int(picture.height - 1 - row));
        std::memcpy(values, line, rowValues * sizeof(float));
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
bool WritePicture(FREE_IMAGE_FORMAT format, std::FILE* stream, const uint8_t* rgba, uint32_t width,
                  uint32_t height) {
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
