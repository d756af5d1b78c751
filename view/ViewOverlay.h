#pragma once

// What the view paints around the model: the background behind it; over
// it an axis triad, the captions, the reason a file was refused, and the
// point the view turns about while it turns.

#include <QRect>
#include <QRgb>
#include <QStringList>
#include <QVector3D>
#include <optional>

#include "tarvik_view_export.h"

class OrbitCamera;
class QPainter;

class TARVIK_VIEW_EXPORT ViewOverlay {
public:
    // The background, a gradient from its top colour to its bottom one.
    static constexpr QRgb background_top = qRgb(0x5d, 0x6b, 0x7c);
    static constexpr QRgb background_bottom = qRgb(0x2b, 0x32, 0x3b);
    static void paint_background(QPainter& painter, const QRect& area);

    // What a refused file leaves written over the model; empty for none.
    const QString& notice() const { return notice_; }
    void set_notice(const QString& notice) { notice_ = notice; }
    // A short note in the middle of the view, drawn at `opacity` (0 to 1).
    void set_note(const QString& note, double opacity) {
        note_ = note;
        note_opacity_ = opacity;
    }

    // The captions at the top left and the top right; the pivot, if the
    // view turns about one.
    void paint(QPainter& painter, const QRect& area, const OrbitCamera& camera,
               const QStringList& captions, const std::optional<QVector3D>& pivot) const;

private:
    QString notice_;
    QString note_;
    double note_opacity_ = 0;
};
