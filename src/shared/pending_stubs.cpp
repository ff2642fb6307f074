// Operations whose implementation has not landed yet; each fails clearly.
#include "message.h"

bool LoadImage(const char*, TextureImage*, char* message) {
    SetMessage(message, "LoadImage: Not available yet.");
    return false;
}

bool LoadBlankImage(TextureImage*, uint32_t, uint32_t, char* message) {
    SetMessage(message, "LoadBlankImage: Not available yet.");
    return false;
}

bool SaveImageKTX(const char*, TextureImage**, uint32_t, char* message) {
    SetMessage(message, "SaveImageKTX: Not available yet.");
    return false;
}

bool ValidateKTXImage(const char*, uint32_t*, char* message) {
    SetMessage(message, "ValidateKTXImage: Not available yet.");
    return false;
}

bool LoadImageKTX(const char*, TextureImage*, bool, char* message) {
    SetMessage(message, "LoadImageKTX: Not available yet.");
    return false;
}

bool SaveImageDDS(const char*, TextureImage**, uint32_t, char* message) {
    SetMessage(message, "SaveImageDDS: Not available yet.");
    return false;
}

bool ValidateDDSImage(const char*, uint32_t*, char* message) {
    SetMessage(message, "ValidateDDSImage: Not available yet.");
    return false;
}

bool LoadImageDDS(const char*, TextureImage*, bool, char* message) {
    SetMessage(message, "LoadImageDDS: Not available yet.");
    return false;
}

bool SaveImageTGA(const char*, const TextureImage*, char* message) {
    SetMessage(message, "SaveImageTGA: Not available yet.");
    return false;
}

bool SaveImageRAW(const char*, const TextureImage*, char* message) {
    SetMessage(message, "SaveImageRAW: Not available yet.");
    return false;
}

bool Compress(const TextureImage*, TextureImage*, uint32_t, uint32_t, uint32_t, char* message) {
    SetMessage(message, "Compress: Not available yet.");
    return false;
}

bool Decompress(const TextureImage*, TextureImage*, uint32_t, uint32_t, char* message) {
    SetMessage(message, "Decompress: Not available yet.");
    return false;
}

bool CompressMipChain(const TextureImage*, TextureImage**, uint32_t, uint32_t, uint32_t,
                      uint32_t, char* message) {
    SetMessage(message, "CompressMipChain: Not available yet.");
    return false;
}
