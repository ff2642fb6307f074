// Android's ETC1 peer: the encoder of etc1tool (libETC1) timed in process,
// and etc1tool itself for the command-line run and the decode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes rgb (3 bytes a pixel) with libETC1; false on failure.
bool Etc1Encode(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height,
                std::vector<uint8_t>* blocks);

// The etc1tool command lines that encode a PNG to PKM and decode it back.
std::vector<std::string> Etc1ToolEncodeCommand(const std::string& png, const std::string& pkm);
std::vector<std::string> Etc1ToolDecodeCommand(const std::string& pkm, const std::string& png);
