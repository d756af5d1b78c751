#include "MimeSourceFactory.h"

#include <algorithm>

MimeSourceFactory::MimeSourceFactory() = default;

MimeSourceFactory::~MimeSourceFactory() {
    qDeleteAll(items_);
}

const MimeSource* MimeSourceFactory::own_data(const QString& name) const {
    return items_.value(name, nullptr);
}

const MimeSource* MimeSourceFactory::data(const QString& name) const {
    if (const MimeSource* item = own_data(name)) {
        return item;
    }
    if (this != defaultFactory()) {
        return nullptr;
    }
    for (const MimeSourceFactory* factory : added_) {
        if (const MimeSource* item = factory->data(name)) {
            return item;
        }
    }
    return nullptr;
}

void MimeSourceFactory::setImage(const QString& name, const QImage& image) {
    delete items_.take(name);
    if (!image.isNull()) {
        items_.insert(name, new MimeSource(image));
    }
}

MimeSourceFactory* MimeSourceFactory::defaultFactory() {
    // Never destroyed: modules remove their factories from it as they unload.
    static auto* factory = new MimeSourceFactory;
    return factory;
}

void MimeSourceFactory::addFactory(MimeSourceFactory* factory) {
    auto& added = defaultFactory()->added_;
    if (factory && factory != defaultFactory() &&
        std::find(added.begin(), added.end(), factory) == added.end()) {
        added.push_back(factory);
    }
}

void MimeSourceFactory::removeFactory(MimeSourceFactory* factory) {
    auto& added = defaultFactory()->added_;
    added.erase(std::remove(added.begin(), added.end(), factory), added.end());
}

QPixmap pixmapFromMimeSource(const QString& name) {
    const MimeSource* item = MimeSourceFactory::defaultFactory()->data(name);
    return item ? QPixmap::fromImage(item->image()) : QPixmap();
}
