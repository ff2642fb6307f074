// The pictures whose compressed output the golden test pins down. Each is a
// format-1 record (blue, green, red, alpha bytes, as LoadImage stores them)
// made the same way on every machine and in every future version.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shared.h"

struct RecordDeleter {
    void operator()(TextureImage* image) const { FreeTextureImage(image); }
};
using Record = std::unique_ptr<TextureImage, RecordDeleter>;

struct GoldenPicture {
    std::string name;
    Record image;
};

// Generated pictures of odd and even sizes: noise, flat colours, two-colour
// blocks, hard alpha edges, gradients.
std::vector<GoldenPicture> GeneratedPictures();

// The Kodak photographs under corpusDir, in name order, plus RGBA variants
// that carry another photograph's green channel as alpha. Empty when the
// folder is missing.
std::vector<GoldenPicture> CorpusPictures(const std::string& corpusDir);
