#include "images/EmbeddedImages.h"

#include <QByteArray>

QImage decodeEmbeddedImage(const EmbeddedImage& entry) {
    if (!entry.data || entry.depth != 32 || entry.width <= 0 || entry.height <= 0) {
        return QImage();
    }
    const QByteArray pixels = qUncompress(entry.data, static_cast<qsizetype>(entry.compressed));
    const qsizetype row_bytes = static_cast<qsizetype>(entry.width) * 4;
    if (pixels.size() != row_bytes * entry.height) {
        return QImage();
    }
    // Copied, so that the image owns its pixels beyond this byte array.
    const QImage view(reinterpret_cast<const uchar*>(pixels.constData()), entry.width, entry.height,
                      row_bytes, entry.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return view.copy();
}

QImage findEmbeddedImage(const QString& name, int scale) {
    for (const EmbeddedImage* entry = scale == 2 ? embeddedImages2x : embeddedImages; entry->data;
         ++entry) {
        if (QString::fromUtf8(entry->name) == name) {
            QImage image = decodeEmbeddedImage(*entry);
            image.setDevicePixelRatio(scale == 2 ? 2 : 1);
            return image;
        }
    }
    return QImage();
}
