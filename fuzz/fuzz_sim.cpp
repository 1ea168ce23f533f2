// The simulated module's request handling.
#include "sim/module_responder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static portiqa::sim::TModuleImage image;
    portiqa::sim::TFaults faults;
    if (size > 0) {
        faults.corruptEvery = data[0] & 3;
        faults.noise = data[0] & 4;
        faults.refuseSaves = data[0] & 8;
    }
    portiqa::sim::TModuleResponder responder(image, faults);
    responder.Feed(data, size);
    return 0;
}
