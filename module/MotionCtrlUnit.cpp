// The settings dialog's unit of static objects.

#include "LibraryInitHead.h"
#include "Tarvik_qtools.h"

namespace {
Tarvikqtools_init tarvikqtools_init;
} // namespace
