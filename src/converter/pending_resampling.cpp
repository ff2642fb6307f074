// Stages whose implementation has not landed yet; each fails the call.
#include "channel_conversions.h"
#include "morlune_converter.h"

void Morlune::ApplyFlip() { Fail(TRC_FAILED, nullptr); }
void Morlune::Enlarge() { Fail(TRC_FAILED, nullptr); }
void Morlune::Reduce() { Fail(TRC_FAILED, nullptr); }
void Morlune::LoadFloat() { Fail(TRC_FAILED, nullptr); }
void Morlune::StoreFloat() { Fail(TRC_FAILED, nullptr); }
void Morlune::LoadRGBA16() { Fail(TRC_FAILED, nullptr); }
void Morlune::StoreRGBA16() { Fail(TRC_FAILED, nullptr); }

uint32_t MaskWidth(uint32_t) { return 0; }
uint32_t MaskShift(uint32_t) { return 0; }
uint8_t WidenChannel(uint8_t, uint32_t) { return 0; }
uint8_t ExtractColourChannel(uint32_t, uint32_t) { return 0; }
uint8_t ExtractAlphaChannel(uint32_t, uint32_t) { return 0; }
uint32_t InsertChannel(uint8_t, uint32_t) { return 0; }
float ByteToFloat(uint8_t) { return 0; }
uint8_t FloatToByte(float) { return 0; }
uint16_t FloatToHalf(float) { return 0; }
float HalfToFloat(uint16_t) { return 0; }
uint8_t HalfToByte(uint16_t) { return 0; }
uint16_t ByteToHalf(uint8_t) { return 0; }
uint8_t NarrowSixteen(uint16_t) { return 0; }
uint16_t WidenToSixteen(uint8_t) { return 0; }
