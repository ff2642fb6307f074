// Loading the top level of a KTX or DDS file and decoding it through the
// conversion engine into format 1. Neither writes a message.
#pragma once

#include "shared.h"

bool LoadKTXAsRGBA(const char* path, TextureImage* destination);
bool LoadDDSAsRGBA(const char* path, TextureImage* destination);
