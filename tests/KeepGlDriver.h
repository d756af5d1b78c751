#pragma once

// Mesa unloads its driver as the process ends, and what the driver still
// held then reads as leaked memory of no known library, which the leak
// checker of the sanitizer build can neither name nor be told to pass
// over. Keeping the driver loaded keeps that memory reachable.

#include <dlfcn.h>

namespace {
const struct KeepGlDriver {
    KeepGlDriver() {
        for (const char* driver :
             {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"}) {
            if (dlopen(driver, RTLD_NOW | RTLD_NODELETE)) {
                return;
            }
        }
    }
} keep_gl_driver;
} // namespace
