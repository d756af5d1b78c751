#pragma once

// The module's pictures as the suites compare them: a combo item's icon
// and a picture served by name, both as 32-bit images.

#include <QComboBox>
#include <QImage>

#include "MimeSourceFactory.h"

inline QImage icon_image(const QComboBox* combo, int item) {
    return combo->itemIcon(item)
        .pixmap(QSize(32, 32))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

inline QImage picture(const char* name) {
    return pixmapFromMimeSource(QString::fromLatin1(name))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}
