// The stages of each route, in the order they run.
#include "morlune_converter.h"

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
