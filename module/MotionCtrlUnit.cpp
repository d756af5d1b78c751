// The settings dialog's unit of static objects; the same objects as the
// function editor's, on purpose (see FctEditorUnit.cpp).

#include "Tarvik_qtools.h"
#include "module/LibraryInitHead.h"

namespace {
Tarvikqtools_init tarvikqtools_init;
} // namespace
