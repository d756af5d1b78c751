#pragma once

// Named images served application-wide through a chain of factories: the
// default factory answers from its own items, then asks each factory added
// to it, in the order they were added.

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

#include "toolkit_export.h"

// One named item a factory serves.
class TOOLKIT_EXPORT MimeSource {
public:
    explicit MimeSource(const QImage& image)
        : image_(image) {}
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

class TOOLKIT_EXPORT MimeSourceFactory {
public:
    MimeSourceFactory();
    MimeSourceFactory(const MimeSourceFactory&) = delete;
    MimeSourceFactory& operator=(const MimeSourceFactory&) = delete;
    virtual ~MimeSourceFactory();

    // The item stored under `name`, or null. The default factory also asks
    // the factories added to it.
    virtual const MimeSource* data(const QString& name) const;
    // Stores `image` under `name`, replacing an earlier item; a null image
    // removes the item.
    virtual void setImage(const QString& name, const QImage& image);

    // The application-wide factory, made at the first call.
    static MimeSourceFactory* defaultFactory();
    // Adding a factory already added has no further effect.
    static void addFactory(MimeSourceFactory* factory);
    static void removeFactory(MimeSourceFactory* factory);

private:
    const MimeSource* own_data(const QString& name) const;

    QHash<QString, MimeSource*> items_;
    std::vector<MimeSourceFactory*> added_;
};

// The image the default factory serves under `name`, or a null pixmap.
TOOLKIT_EXPORT QPixmap pixmapFromMimeSource(const QString& name);
