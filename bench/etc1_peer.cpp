#include "etc1_peer.h"

#include <ETC1/etc1.h>

bool Etc1Encode(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height,
                std::vector<uint8_t>* blocks) {
    blocks->resize(etc1_get_encoded_data_size(width, height));
    return etc1_encode_image(rgb.data(), width, height, 3, width * 3, blocks->data()) == 0;
}

std::vector<std::string> Etc1ToolEncodeCommand(const std::string& png, const std::string& pkm) {
    return {"etc1tool", png, "--encode", "-o", pkm};
}

std::vector<std::string> Etc1ToolDecodeCommand(const std::string& pkm, const std::string& png) {
    return {"etc1tool", pkm, "--decode", "-o", png};
}
