// The engine's entry: MorluneConvert makes one converter for the call, which
// validates the request, runs its route's stages in order and turns every
// failure thrown inside into the call's result.
#include "morlune_converter.h"

int32_t MorluneConvert(const TextureImage* source, TextureImage* destination) {
    Morlune converter(source, destination);
    return converter.Convert();
}

Morlune::Morlune(const TextureImage* source, TextureImage* destination)
    : m_pSrc(source), m_pDst(destination) {}

int32_t Morlune::Convert() {
    try {
        RunRoute(Validate());
    } catch (TReturnCode code) {
        ReleaseBuffer();
        return code;
    } catch (...) {
        ReleaseBuffer();
        return TRC_FAILED;
    }
    ReleaseBuffer();
    return TRC_OK;
}

void Morlune::RunRoute(ConversionRoute route) {
    switch (route) {
        case ROUTE_RGBA8:
            DecodeSource();
            ApplyFlip();
            Enlarge();
            Reduce();
            MakeNormalMap();
            EncodeDestination();
            return;
        case ROUTE_FLOAT:
            LoadFloat();
            ApplyFlip();
            Enlarge();
            Reduce();
            StoreFloat();
            return;
        case ROUTE_RGBA16:
            LoadRGBA16();
            StoreRGBA16();
            return;
        case ROUTE_QUERY_SIZE:
            QuerySize();
            return;
        case ROUTE_QUERY_VERSION:
            QueryVersion();
            return;
    }
}
