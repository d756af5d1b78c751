#include "StlFile.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "StlAscii.h"
#include "StlStream.h"

namespace {
using Point = Model::Point;

constexpr qint64 header_size = 80;
constexpr qint64 binary_start = header_size + 4;
constexpr qint64 binary_triangle = 50;
// How far into a file its start must look like text for it to be ASCII.
constexpr qint64 text_window = 4096;
const QByteArray byte_order_mark("\xef\xbb\xbf");

// ---------------------------------------------------------------- binary

// 80 bytes of header, a count, then 50 bytes a triangle: the normal and
// three corners as little-endian floats, and two spare bytes.
ModelReading read_binary(StlStream& in, qint64 triangles, ModelReading reading) {
    // Room for the triangles is made as they come, past a first million: a
    // sparse file of zeros announces millions and holds nothing.
    ModelBuilder builder(size_t(std::min<qint64>(triangles, qint64(1) << 20)));
    for (qint64 t = 0; t < triangles;) {
        const QByteArray block = in.take(
            std::min<qint64>(triangles - t, stl_chunk_size / binary_triangle) * binary_triangle);
        if (in.stopped()) {
            reading.cancelled = true;
            return reading;
        }
        for (const char* at = block.constData(); at < block.constData() + block.size();
             at += binary_triangle, ++t) {
            Point p[4];
            for (int v = 0; v < 4; ++v) {
                for (int k = 0; k < 3; ++k) {
                    p[v][k] = qFromLittleEndian<float>(at + 12 * v + 4 * k);
                }
            }
            if (!is_finite(p[1]) || !is_finite(p[2]) || !is_finite(p[3])) {
                reading.error = not_a_number(size_t(t) + 1);
                return reading;
            }
            builder.add_triangle(p[1], p[2], p[3], is_finite(p[0]) ? p[0] : Point{});
        }
    }
    finish_reading(reading, builder, QString());
    return reading;
}

// How many triangles a binary file holds, told by its size first: the
// count it announces where that fits, else what its size holds.
ModelReading read_binary_file(StlStream& in, qint64 size) {
    ModelReading reading;
    const QByteArray head = in.take(binary_start);
    const qint64 announced = qFromLittleEndian<quint32>(head.constData() + header_size);
    const qint64 held = (size - binary_start) / binary_triangle;
    const qint64 stray = (size - binary_start) % binary_triangle;
    if (announced > held) {
        reading.error = QObject::tr("it is cut short: it announces %1 triangles, which take %2 "
                                    "bytes, and has %3")
                            .arg(announced)
                            .arg(binary_start + announced * binary_triangle)
                            .arg(size);
        return reading;
    }
    if (announced < held) {
        reading.warnings << QObject::tr("it announces %1 triangles and holds %2: all %2 are read")
                                .arg(announced)
                                .arg(held);
    } else if (stray > 0) {
        reading.warnings << QObject::tr("%1 bytes after the last triangle are not read").arg(stray);
    }
    return read_binary(in, held, std::move(reading));
}

// ---------------------------------------------------------------- which kind

// Text as an ASCII file is: no control character but blanks and line
// ends, and UTF-8, or else (a name in Latin-1, say) with its first facet
// in sight: the bytes of a binary file's count and floats are neither.
bool looks_like_text(const QByteArray& start) {
    const bool plain = std::all_of(start.begin(), start.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 || (u >= '\t' && u <= '\r');
    });
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = utf8(start);
    return plain && (!utf8.hasError() || start.toLower().contains("facet"));
}

bool starts_with_solid(QByteArray start) {
    if (start.startsWith(byte_order_mark)) {
        start.remove(0, byte_order_mark.size());
    }
    return start.trimmed().left(5).compare("solid", Qt::CaseInsensitive) == 0;
}

} // namespace

ModelReading read_stl(QIODevice& file, const ReadProgress& progress) {
    const qint64 size = file.size();
    const QByteArray start = file.peek(text_window);
    StlStream in(file, progress);
    const bool exact_binary =
        size >= binary_start &&
        size == binary_start +
                    binary_triangle * qFromLittleEndian<quint32>(start.constData() + header_size);
    if (exact_binary || (size >= binary_start && !looks_like_text(start))) {
        return read_binary_file(in, size);
    }
    if (looks_like_text(start) && starts_with_solid(start)) {
        if (start.startsWith(byte_order_mark)) {
            in.take(byte_order_mark.size());
        }
        return read_ascii_stl(in);
    }
    ModelReading reading;
    reading.error = QObject::tr("it is not an STL file");
    return reading;
}

ModelReading read_stl(const QString& path, const ReadProgress& progress) {
    QFile file(path);
    ModelReading reading;
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = file.errorString();
        return reading;
    }
    reading = read_stl(static_cast<QIODevice&>(file), progress);
    if (reading.model) {
        reading.model->name = QFileInfo(path).fileName();
    }
    return reading;
}
