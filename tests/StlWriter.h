#pragma once

// STL files for the tests to read: binary, with any count announced.

#include <QByteArray>
#include <QVector3D>
#include <QtEndian>
#include <vector>

// Three vertices a triangle; the count in the header may lie.
inline QByteArray binary_stl(const std::vector<QVector3D>& vertices, quint32 announced) {
    QByteArray data(80, ' ');
    data.replace(0, 5, "solid");
    char count[4];
    qToLittleEndian(announced, count);
    data.append(count, 4);
    for (size_t t = 0; t + 2 < vertices.size(); t += 3) {
        QByteArray triangle(50, '\0');
        for (size_t c = 0; c < 3; ++c) {
            for (int k = 0; k < 3; ++k) {
                qToLittleEndian(vertices[t + c][k], triangle.data() + 12 + 12 * c + 4 * k);
            }
        }
        data += triangle;
    }
    return data;
}
