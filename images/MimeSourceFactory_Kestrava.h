#pragma once

#include "MimeSourceFactory.h"

// Serves the module's embedded pictures by name, decoding each one at its
// first request and keeping it.
class MimeSourceFactory_Kestrava : public MimeSourceFactory {
public:
    ~MimeSourceFactory_Kestrava() override;
    const MimeSource* data(const QString& name) const override;
};

// The one installed factory; null before installation and after removal.
extern MimeSourceFactory_Kestrava* imageFactory;

// Adds the factory to the default one; nothing when already installed.
void installImageCollection();
// Removes and deletes the factory; nothing when none is installed.
void removeImageCollection();
