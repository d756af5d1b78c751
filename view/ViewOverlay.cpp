#include "ViewOverlay.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>

#include "OrbitCamera.h"

namespace {
// Where the view turns, while it turns: a ring with a dot, light on dark so
// that it shows on any model.
void draw_marker(QPainter& painter, const QRect& area, const OrbitCamera& camera,
                 const std::optional<QVector3D>& pivot) {
    if (!pivot) {
        return;
    }
    const std::optional<QPointF> at = camera.to_screen(camera.to_view(*pivot), area.size());
    if (!at) {
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20, 200), 4));
    painter.drawEllipse(*at, 8, 8);
    painter.setPen(QPen(QColor(0xff, 0xd4, 0x40), 2));
    painter.drawEllipse(*at, 8, 8);
    painter.setBrush(QColor(0xff, 0xd4, 0x40));
    painter.drawEllipse(*at, 2, 2);
}

void draw_triad(QPainter& painter, const QRect& area, const OrbitCamera& camera) {
    const QPointF origin(48, area.height() - 48);
    const float length = 32;
    struct Axis {
        QVector3D direction;
        QColor colour;
        const char* name;
    };
    std::array<Axis, 3> axes{Axis{{1, 0, 0}, QColor(0xe0, 0x4a, 0x3f), "X"},
                             Axis{{0, 1, 0}, QColor(0x5c, 0xc4, 0x5a), "Y"},
                             Axis{{0, 0, 1}, QColor(0x4f, 0x8f, 0xe8), "Z"}};
    const QQuaternion to_view = camera.orientation().inverted();
    // The axis pointing away first, so that the near ones cover it.
    std::sort(axes.begin(), axes.end(), [&](const Axis& a, const Axis& b) {
        return to_view.rotatedVector(a.direction).z() < to_view.rotatedVector(b.direction).z();
    });
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const Axis& axis : axes) {
        const QVector3D view = to_view.rotatedVector(axis.direction);
        const QPointF tip = origin + QPointF(view.x(), -view.y()) * length;
        painter.setPen(QPen(axis.colour, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(origin, tip);
        const QPointF label = origin + QPointF(view.x(), -view.y()) * (length + 9);
        painter.drawText(QRectF(label - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter,
                         QLatin1String(axis.name));
    }
}

void draw_captions(QPainter& painter, const QRect& area, const QStringList& captions) {
    painter.setPen(QColor(0xe4, 0xe9, 0xef));
    QFont font = painter.font();
    font.setBold(false);
    painter.setFont(font);
    const QRect inside = area.adjusted(10, 8, -10, -8);
    const QString right = captions.value(1);
    painter.drawText(inside, Qt::AlignRight | Qt::AlignTop, right);
    // In a narrow view the model's caption gives way, not the projection's.
    const int room = inside.width() - painter.fontMetrics().horizontalAdvance(right) - 16;
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(captions.value(0), Qt::ElideMiddle, room));
}

// A refused file's reason, on a band across the view's top, under the captions.
void draw_notice(QPainter& painter, const QRect& area, const QString& notice) {
    if (notice.isEmpty()) {
        return;
    }
    const QRect band = area.adjusted(10, 34, -10, 0);
    QRect text = painter.boundingRect(band.adjusted(8, 6, -8, 0), Qt::TextWordWrap, notice);
    text.setWidth(band.width() - 16);
    painter.fillRect(text.adjusted(-8, -6, 8, 6), QColor(0x8a, 0x1c, 0x1c, 220));
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::TextWordWrap, notice);
}
// A note on a dark rounded box in the middle of the view, fading with it.
void draw_note(QPainter& painter, const QRect& area, const QString& note, double opacity) {
    if (note.isEmpty() || opacity <= 0) {
        return;
    }
    painter.save();
    painter.setOpacity(opacity);
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    painter.setFont(font);
    const QRect text = painter.fontMetrics().boundingRect(note).adjusted(-16, -10, 16, 10);
    const QRect box(area.center() - text.center(), text.size());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x24, 0x2a, 210));
    painter.drawRoundedRect(box, 8, 8);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, note);
    painter.restore();
}
} // namespace

void ViewOverlay::paint_background(QPainter& painter, const QRect& area) {
    QLinearGradient background(0, 0, 0, area.height());
    background.setColorAt(0, QColor::fromRgb(background_top));
    background.setColorAt(1, QColor::fromRgb(background_bottom));
    painter.fillRect(area, background);
}

void ViewOverlay::paint(QPainter& painter, const QRect& area, const OrbitCamera& camera,
                        const QStringList& captions, const std::optional<QVector3D>& pivot) const {
    painter.setRenderHint(QPainter::Antialiasing);
    draw_triad(painter, area, camera);
    draw_captions(painter, area, captions);
    draw_notice(painter, area, notice_);
    draw_note(painter, area, note_, note_opacity_);
    draw_marker(painter, area, camera, pivot);
}
