#include "morlune_converter.h"

int32_t MorluneConvert(const TextureImage* source, TextureImage* destination) {
    Morlune converter(source, destination);
    return converter.Convert();
}
