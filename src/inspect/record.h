// TextureImage records owned by a unique_ptr.
#pragma once

#include <memory>
#include <new>

#include "shared.h"

struct RecordDeleter {
    void operator()(TextureImage* image) const { FreeTextureImage(image); }
};
using Record = std::unique_ptr<TextureImage, RecordDeleter>;

// A fresh record; throws std::bad_alloc when there is no memory for one.
inline Record NewRecord() {
    Record record(CreateTextureImage());
    if (!record) {
        throw std::bad_alloc();
    }
    return record;
}
