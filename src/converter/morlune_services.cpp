// The services that every stage of the converter uses: messages, failures
// and the working buffer. They call no stage, so that the stages and the
// entry above them can.
#include <new>

#include "diagnostics.h"
#include "morlune_converter.h"

void Morlune::PrintError(const char* text) const {
    if (m_bVerbose) {
        diagnostics::Print("Morlune error: %s \n", text);
    }
}

void Morlune::Fail(TReturnCode code, const char* text) const {
    if (text != nullptr) {
        PrintError(text);
    }
    throw code;
}

PixelBuffer Morlune::Allocate(uint64_t size) const {
    if (size > kLargestImageBytes) {
        Fail(TRC_FAILED, "Image too large");
    }
    PixelBuffer buffer(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    if (!buffer) {
        Fail(TRC_FAILED, "Could not create memory");
    }
    return buffer;
}

void Morlune::InstallBuffer(PixelBuffer buffer, uint32_t width, uint32_t height,
                            uint32_t bytesPerPixel) {
    m_pBuffer = std::move(buffer);
    m_nWidth = width;
    m_nHeight = height;
    m_nBytesPerPixel = bytesPerPixel;
}

void Morlune::ReleaseBuffer() { InstallBuffer(nullptr, 0, 0, 0); }
