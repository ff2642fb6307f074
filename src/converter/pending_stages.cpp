// Stages whose implementation has not landed yet; each fails the call.
#include "channel_conversions.h"
#include "morlune_converter.h"

int32_t Morlune::Convert() { return TRC_FAILED; }
ConversionRoute Morlune::Validate() { Fail(TRC_FAILED, nullptr); }
void Morlune::QuerySize() { Fail(TRC_FAILED, nullptr); }
void Morlune::QueryVersion() { Fail(TRC_FAILED, nullptr); }
void Morlune::DecodeSource() { Fail(TRC_FAILED, nullptr); }
void Morlune::UnpackPixels() { Fail(TRC_FAILED, nullptr); }
void Morlune::DecodeBlocks() { Fail(TRC_FAILED, nullptr); }
void Morlune::EncodeDestination() { Fail(TRC_FAILED, nullptr); }
void Morlune::PackPixels() { Fail(TRC_FAILED, nullptr); }
void Morlune::EncodeBlocks() { Fail(TRC_FAILED, nullptr); }
