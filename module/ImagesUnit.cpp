// The first unit: it registers the module, then installs its pictures, which
// go again when the module is unloaded.

#include "images/MimeSourceFactory_Kestrava.h"
#include "module/LibraryInitHead.h"
#include "module/LibraryInitTail.h"

namespace {
struct ImageCollectionRegistration {
    ImageCollectionRegistration() { installImageCollection(); }
    ~ImageCollectionRegistration() { removeImageCollection(); }
} image_collection_registration;
} // namespace
