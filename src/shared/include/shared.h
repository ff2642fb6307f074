// Texture images and container files: the record's life cycle, the
// compression types, image loading, the KTX, DDS, TGA, PNG and raw writers
// and readers, and the driver that hands images to the conversion engine.
//
// Every operation that can fail takes a caller-owned message buffer of
// kMessageBufferSize bytes, which may be null, and writes its failure
// message there ("Operation: What went wrong.").
#pragma once

#include <cstddef>
#include <cstdint>

#include "texture_image.h"

constexpr size_t kMessageBufferSize = 256;

// Record life cycle.
TextureImage* CreateTextureImage();
void FreeTextureImage(TextureImage* image);

// Compression types offered on the command line, and container codes.
uint32_t GetCompressionTypeCount();
const char* GetCompressionTypeName(uint32_t index);
bool ParseCompressionType(const char* name, uint32_t* format);
bool FormatToGLInternalFormat(uint32_t format, uint32_t* glInternalFormat);
bool GLInternalFormatToFormat(uint32_t glInternalFormat, uint32_t* format);
bool FormatToFourCC(uint32_t format, uint32_t* fourCC);
bool FourCCToFormat(uint32_t fourCC, uint32_t* format);
bool IsSupportedFormat(uint32_t format);
uint32_t CountMipLevels(uint32_t width, uint32_t height);

// Image loading.
bool LoadImage(const char* path, TextureImage* image, char* message);
bool LoadBlankImage(TextureImage* image, uint32_t width, uint32_t height, char* message);

// KTX container.
bool SaveImageKTX(const char* path, TextureImage** levels, uint32_t levelCount, char* message);
bool ValidateKTXImage(const char* path, uint32_t* levelCount, char* message);
bool LoadImageKTX(const char* path, TextureImage* levels, bool firstLevelOnly, char* message);

// DDS container.
bool SaveImageDDS(const char* path, TextureImage** levels, uint32_t levelCount, char* message);
bool ValidateDDSImage(const char* path, uint32_t* levelCount, char* message);
bool LoadImageDDS(const char* path, TextureImage* image, bool firstLevelOnly, char* message);

// Output files are written whole or not at all. Installs, for a program,
// the handler that removes a file being written when SIGINT or SIGTERM ends
// the process, where their action is still the default one: a signal that
// the process was started with ignored stays ignored. The file writers
// themselves leave the process's signal actions alone.
void InstallInterruptCleanup();

// TGA, PNG and raw output.
bool SaveImageTGA(const char* path, const TextureImage* image, char* message);
bool SaveImagePNG(const char* path, const TextureImage* image, char* message);
bool SaveImageRAW(const char* path, const TextureImage* image, char* message);

// Compression and mip-chain driver.
bool Compress(const TextureImage* source, TextureImage* destination, uint32_t format,
              uint32_t width, uint32_t height, char* message);
bool Decompress(const TextureImage* source, TextureImage* destination, uint32_t width,
                uint32_t height, char* message);
// Called before each level of a chain is compressed, level counted from 0.
using LevelStartFunction = void (*)(void* context, uint32_t level, uint32_t levelCount);
bool CompressMipChain(const TextureImage* source, TextureImage** levels, uint32_t format,
                      uint32_t width, uint32_t height, uint32_t levelCount, char* message,
                      LevelStartFunction onLevelStart = nullptr, void* context = nullptr);
