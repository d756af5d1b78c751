// The first unit: it registers the module, then installs its pictures, which
// go again when the module is unloaded.

#include "LibraryInitHead.h"
#include "LibraryInitTail.h"
#include "MimeSourceFactory_Kestrava.h"

namespace {
struct ImageCollectionRegistration {
    ImageCollectionRegistration() { installImageCollection(); }
    ~ImageCollectionRegistration() { removeImageCollection(); }
} image_collection_registration;
} // namespace
