// The entry of one conversion: every failure thrown inside the engine ends
// here and becomes the call's result.
#include "morlune_converter.h"

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
