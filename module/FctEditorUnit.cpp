// The function editor's unit of static objects.

#include "Tarvik_qtools.h"
#include "module/LibraryInitHead.h"

namespace {
Tarvikqtools_init tarvikqtools_init;
} // namespace
