#include "images/MimeSourceFactory_Kestrava.h"

#include <QGuiApplication>

#include "images/EmbeddedImages.h"

MimeSourceFactory_Kestrava* imageFactory = nullptr;

MimeSourceFactory_Kestrava::~MimeSourceFactory_Kestrava() = default;

const MimeSource* MimeSourceFactory_Kestrava::data(const QString& name) const {
    if (const MimeSource* stored = MimeSourceFactory::data(name)) {
        return stored;
    }
    if (name.isNull()) {
        return nullptr;
    }
    // Screens of more pixels than points get the pictures drawn for them.
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1;
    const QImage image = findEmbeddedImage(name, dense ? 2 : 1);
    if (!image.isNull()) {
        // Decoded images are part of what the factory serves, not of its state.
        const_cast<MimeSourceFactory_Kestrava*>(this)->setImage(name, image);
    }
    return MimeSourceFactory::data(name);
}

void installImageCollection() {
    if (imageFactory) {
        return;
    }
    imageFactory = new MimeSourceFactory_Kestrava;
    MimeSourceFactory::defaultFactory();
    MimeSourceFactory::addFactory(imageFactory);
}

void removeImageCollection() {
    if (!imageFactory) {
        return;
    }
    MimeSourceFactory::defaultFactory();
    MimeSourceFactory::removeFactory(imageFactory);
    delete imageFactory;
    imageFactory = nullptr;
}
