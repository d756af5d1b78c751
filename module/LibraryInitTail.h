#pragma once

// The initialisation objects of the rest of the host's libraries, for the
// units that reach all of them. Included after LibraryInitHead.h.

#include "Tarvik_gui.h"
#include "Tarvik_init.h"
#include "Tarvik_qtools.h"
#include "Tarvik_wizard.h"

namespace {
Tarvikgeobase_init tarvikgeobase_init;
Tarviklines_init tarviklines_init;
Tarviksurfaces_init tarviksurfaces_init;
Tarvikvolumes_init tarvikvolumes_init;
Tarviktgobjs_init tarviktgobjs_init;
Tarvikappli_init tarvikappli_init;
Tarvikascii_init tarvikascii_init;
Tarvikarchive_init tarvikarchive_init;
Tarvikgapi_init tarvikgapi_init;
Tarvikgviews_init tarvikgviews_init;
Tarvikinterpreter_init tarvikinterpreter_init;
Tarvikwizard_init tarvikwizard_init;
Tarvikqtools_init tarvikqtools_init;
Tarvikgui_init tarvikgui_init;
} // namespace
