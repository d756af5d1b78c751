// The function editor's unit of static objects. It holds the same objects as
// the settings dialog's unit, and stays a unit of its own: each unit makes
// its own copies, so that loading constructs the module's initialisation
// four times, once a unit, in the units' order.

#include "Tarvik_qtools.h"
#include "module/LibraryInitHead.h"

namespace {
Tarvikqtools_init tarvikqtools_init;
} // namespace
