#include "StlFile.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {
const qint64 header_size = 80;
const qint64 count_size = 4;
const qint64 binary_triangle_size = 50;
const QRgb stl_colour = qRgb(0x8f, 0xa8, 0xc8);

bool is_finite(const QVector3D& point) {
    return std::isfinite(point.x()) && std::isfinite(point.y()) && std::isfinite(point.z());
}

QString not_a_number(qint64 triangle) {
    return QObject::tr("triangle %1 has a coordinate that is not a number").arg(triangle);
}

// Binary: 80 bytes of header, a count, then 50 bytes a triangle: the
// normal and three corners as little-endian floats, and two spare bytes.
std::optional<Model> read_binary(const QByteArray& data, quint32 count, QString& error) {
    Model model;
    model.vertices.reserve(size_t(count) * 3);
    model.colours.reserve(count);
    const char* triangle = data.constData() + header_size + count_size;
    for (quint32 t = 0; t < count; ++t, triangle += binary_triangle_size) {
        QVector3D corners[3];
        for (int c = 0; c < 3; ++c) {
            float xyz[3];
            for (int k = 0; k < 3; ++k) {
                xyz[k] = qFromLittleEndian<float>(triangle + 12 * (c + 1) + 4 * k);
            }
            corners[c] = QVector3D(xyz[0], xyz[1], xyz[2]);
            if (!is_finite(corners[c])) {
                error = not_a_number(t + 1);
                return std::nullopt;
            }
        }
        model.add_triangle(corners[0], corners[1], corners[2], stl_colour);
    }
    return model;
}

// ASCII: "solid NAME", then per triangle "facet normal X Y Z", "outer
// loop", three "vertex X Y Z", "endloop", "endfacet"; "endsolid" ends it.
class AsciiReader {
public:
    explicit AsciiReader(const QByteArray& data)
        : lines_(data.split('\n')) {}

    std::optional<Model> read(QString& error) {
        Model model;
        if (!expect("solid", 0)) {
            return fail(error);
        }
        while (next_line()) {
            if (word(0) == "endsolid") {
                return model;
            }
            if (!expect("facet", 0) || !expect("normal", 1) || !next_line() ||
                !expect("outer", 0) || !expect("loop", 1)) {
                return fail(error);
            }
            QVector3D corners[3];
            for (QVector3D& corner : corners) {
                if (!next_line() || !expect("vertex", 0) || !read_point(corner)) {
                    return fail(error);
                }
                if (!is_finite(corner)) {
                    error = QObject::tr("line %1: %2")
                                .arg(number_)
                                .arg(not_a_number(qint64(model.triangle_count()) + 1));
                    return std::nullopt;
                }
            }
            if (!next_line() || !expect("endloop", 0) || !next_line() || !expect("endfacet", 0)) {
                return fail(error);
            }
            model.add_triangle(corners[0], corners[1], corners[2], stl_colour);
        }
        problem_ = QObject::tr("the file ends before \"endsolid\"");
        return fail(error);
    }

private:
    // Moves to the next line that is not blank.
    bool next_line() {
        while (number_ < lines_.size()) {
            words_ = lines_[number_++].simplified().split(' ');
            if (!words_.value(0).isEmpty()) {
                return true;
            }
        }
        problem_ = QObject::tr("the file ends in the middle of a triangle");
        return false;
    }

    QByteArray word(qsizetype i) const { return words_.value(i); }

    bool expect(const char* wanted, qsizetype i) {
        if (number_ == 0 && !next_line()) {
            return false;
        }
        if (word(i) == wanted) {
            return true;
        }
        problem_ = QObject::tr("line %1: \"%2\" where \"%3\" belongs")
                       .arg(number_)
                       .arg(QString::fromLatin1(word(i)), QLatin1String(wanted));
        return false;
    }

    bool read_point(QVector3D& point) {
        float xyz[3];
        for (int k = 0; k < 3; ++k) {
            bool ok = false;
            xyz[k] = word(k + 1).toFloat(&ok);
            if (!ok) {
                problem_ = QObject::tr("line %1: \"%2\" is not a coordinate")
                               .arg(number_)
                               .arg(QString::fromLatin1(word(k + 1)));
                return false;
            }
        }
        point = QVector3D(xyz[0], xyz[1], xyz[2]);
        return true;
    }

    std::optional<Model> fail(QString& error) const {
        error = problem_;
        return std::nullopt;
    }

    QList<QByteArray> lines_;
    qsizetype number_ = 0;
    QList<QByteArray> words_;
    QString problem_;
};

// Plain ASCII, as an ASCII STL file is; a binary one holds other bytes.
bool looks_like_text(const QByteArray& start) {
    return std::all_of(start.begin(), start.end(), [](char c) {
        return (c >= 0x20 && c < 0x7f) || c == '\n' || c == '\r' || c == '\t';
    });
}

std::optional<Model> read_data(const QByteArray& data, QString& error) {
    const bool has_header = data.size() >= header_size + count_size;
    const quint32 count =
        has_header ? qFromLittleEndian<quint32>(data.constData() + header_size) : 0;
    const qint64 binary_size = header_size + count_size + qint64(count) * binary_triangle_size;
    // A binary file may begin with "solid" too: a size that fits its count
    // tells it, and an ASCII one has its facets or its end near the top.
    const QByteArray top = data.left(1024);
    const bool ascii =
        top.trimmed().startsWith("solid") && (top.contains("facet") || top.contains("endsolid"));
    std::optional<Model> model;
    if (has_header &&
        (binary_size == data.size() || (!ascii && !looks_like_text(data.left(512))))) {
        // Checked before anything is allocated for the triangles.
        if (binary_size > data.size()) {
            error = QObject::tr("it is cut short: it announces %1 triangles, which take %2 "
                                "bytes, and has %3")
                        .arg(count)
                        .arg(binary_size)
                        .arg(data.size());
            return std::nullopt;
        }
        model = read_binary(data, count, error);
    } else if (ascii) {
        model = AsciiReader(data).read(error);
    } else {
        error = QObject::tr("it is not an STL file");
        return std::nullopt;
    }
    if (model && model->triangle_count() == 0) {
        error = QObject::tr("it holds no triangle");
        return std::nullopt;
    }
    return model;
}
} // namespace

std::optional<Model> read_stl(const QString& path, QString& error) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        error = QObject::tr("it is not a file");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    std::optional<Model> model = read_data(file.readAll(), error);
    if (model) {
        model->name = QFileInfo(path).fileName();
    }
    return model;
}
