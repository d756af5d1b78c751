#pragma once

// Model files for the tests to read: STL binary, with any count announced,
// and ASCII, from triangles given corner by corner.

#include <QByteArray>
#include <QString>
#include <QVector3D>
#include <QtEndian>
#include <vector>

// Three corners a triangle; the count in the header may lie. A normal a
// triangle, if given, is written with it.
inline QByteArray binary_stl(const std::vector<QVector3D>& corners, quint32 announced,
                             const std::vector<QVector3D>& normals = {}) {
    QByteArray data(80, ' ');
    data.replace(0, 5, "solid");
    char count[4];
    qToLittleEndian(announced, count);
    data.append(count, 4);
    for (size_t t = 0; t + 2 < corners.size(); t += 3) {
        QByteArray triangle(50, '\0');
        for (size_t c = 0; c < 4; ++c) {
            const QVector3D v =
                c == 0 ? (normals.empty() ? QVector3D() : normals[t / 3]) : corners[t + c - 1];
            for (int k = 0; k < 3; ++k) {
                qToLittleEndian(v[k], triangle.data() + 12 * c + 4 * k);
            }
        }
        data += triangle;
    }
    return data;
}

// "solid NAME", a facet a triangle, "endsolid NAME"; corners with nine
// digits, so that the floats come back exactly.
inline QByteArray ascii_stl(const std::vector<QVector3D>& corners,
                            const QByteArray& name = "generated") {
    QByteArray text = "solid " + name + "\n";
    for (size_t t = 0; t + 2 < corners.size(); t += 3) {
        // No normal: the winding stands as written.
        text += "  facet normal 0 0 0\n    outer loop\n";
        for (size_t c = 0; c < 3; ++c) {
            const QVector3D& v = corners[t + c];
            text += QStringLiteral("      vertex %1 %2 %3\n")
                        .arg(v.x(), 0, 'g', 9)
                        .arg(v.y(), 0, 'g', 9)
                        .arg(v.z(), 0, 'g', 9)
                        .toLatin1();
        }
        text += "    endloop\n  endfacet\n";
    }
    return text + "endsolid " + name + "\n";
}
