#pragma once

// How a face is lit, the same with OpenGL and with QPainter: a light from
// the viewer's upper right, some light everywhere, and faces seen from
// behind tinted, so that the inside of an open model tells from its outside.

#include <QRgb>
#include <QVector3D>
#include <algorithm>

namespace shading {
// In the eye's axes: x right, y up, z toward the viewer.
inline QVector3D light() {
    return QVector3D(0.3f, 0.5f, 1).normalized();
}
constexpr float ambient = 0.35f;
constexpr float diffuse = 0.65f;
constexpr QRgb back_tint = qRgb(0xc0, 0x58, 0x48);
constexpr float back_mix = 0.55f;

// The light on a face whose normal (in the eye's axes) is given; a face
// turned away is lit on the side the viewer sees. A face with no area has
// no normal and the ambient light alone.
inline float light_on(const QVector3D& normal, bool turned_away) {
    const QVector3D seen = turned_away ? -normal : normal;
    return ambient + diffuse * std::max(0.0f, QVector3D::dotProduct(seen, light()));
}

inline QRgb shade(QRgb colour, float lit, bool turned_away) {
    const auto channel = [&](int value, int tint) {
        const float base =
            turned_away ? float(value) * (1 - back_mix) + float(tint) * back_mix : float(value);
        return std::clamp(int(base * lit), 0, 255);
    };
    return qRgb(channel(qRed(colour), qRed(back_tint)), channel(qGreen(colour), qGreen(back_tint)),
                channel(qBlue(colour), qBlue(back_tint)));
}
} // namespace shading
