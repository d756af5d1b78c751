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

namespace {
using Point = Model::Point;

constexpr qint64 header_size = 80;
constexpr qint64 binary_start = header_size + 4;
constexpr qint64 binary_triangle = 50;
// Read this much at a time: the cost of a file is what its model holds.
constexpr qint64 chunk_size = binary_triangle * 4096;
// Longer words are no keyword and no number: only their start is kept.
constexpr qsizetype longest_word = 256;
// How far into a file its start must look like text for it to be ASCII.
constexpr qint64 text_window = 4096;
const QByteArray byte_order_mark("\xef\xbb\xbf");

bool is_finite(const Point& p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

QString not_a_number(size_t triangle) {
    return QObject::tr("triangle %1 has a coordinate that is not a number").arg(triangle);
}

// A file read a chunk at a time, telling how far it has come.
class Stream {
public:
    Stream(QIODevice& file, const ReadProgress& progress)
        : file_(file)
        , size_(file.size())
        , progress_(progress) {}

    // The next byte, or -1 at the end of the file or once stopped.
    int get() {
        if (at_ == buffer_.size() && !refill()) {
            return -1;
        }
        return static_cast<unsigned char>(buffer_[at_++]);
    }
    int peek() {
        if (at_ == buffer_.size() && !refill()) {
            return -1;
        }
        return static_cast<unsigned char>(buffer_[at_]);
    }
    // Up to `count` bytes; fewer at the end.
    QByteArray take(qint64 count) {
        QByteArray bytes;
        while (bytes.size() < count && (at_ < buffer_.size() || refill())) {
            const qsizetype part = std::min<qsizetype>(buffer_.size() - at_, count - bytes.size());
            bytes.append(buffer_.constData() + at_, part);
            at_ += part;
        }
        return bytes;
    }
    bool stopped() const { return stopped_; }

private:
    bool refill() {
        if (stopped_ || (progress_ && !progress_(size_ > 0 ? double(file_.pos()) / size_ : 1))) {
            stopped_ = true;
            return false;
        }
        buffer_ = file_.read(chunk_size);
        at_ = 0;
        return !buffer_.isEmpty();
    }

    QIODevice& file_;
    qint64 size_;
    const ReadProgress& progress_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    bool stopped_ = false;
};

// ---------------------------------------------------------------- binary

// 80 bytes of header, a count, then 50 bytes a triangle: the normal and
// three corners as little-endian floats, and two spare bytes.
ModelReading read_binary(Stream& in, qint64 triangles, ModelReading reading) {
    // Room for the triangles is made as they come, past a first million: a
    // sparse file of zeros announces millions and holds nothing.
    ModelBuilder builder(size_t(std::min<qint64>(triangles, qint64(1) << 20)));
    for (qint64 t = 0; t < triangles;) {
        const QByteArray block = in.take(
            std::min<qint64>(triangles - t, chunk_size / binary_triangle) * binary_triangle);
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
    if (!builder.has_surface()) {
        reading.error = builder.triangles_read() == 0 ? QObject::tr("it holds no triangle")
                                                      : QObject::tr("it has no surface");
        return reading;
    }
    reading.model = builder.finish(QString());
    return reading;
}

// How many triangles a binary file holds, told by its size first: the
// count it announces where that fits, else what its size holds.
ModelReading read_binary_file(Stream& in, qint64 size) {
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

// ---------------------------------------------------------------- ASCII

struct Word {
    QByteArray text; // its first longest_word bytes
    bool longer = false;
    int line = 0;

    bool is(const char* keyword) const {
        return !longer && text.compare(keyword, Qt::CaseInsensitive) == 0;
    }
    bool is_end() const { return text.isEmpty(); }
    QString quoted() const {
        return QStringLiteral("\"%1\"").arg(quoted_text(text + (longer ? "\xe2\x80\xa6" : "")));
    }
};

// The words of a text, each with its line; any blank separates them, and
// a line ends with LF, CR or CR LF.
class Words {
public:
    explicit Words(Stream& in)
        : in_(in) {}

    Word next() {
        if (pushed_) {
            pushed_ = false;
            return last_;
        }
        skip_blanks();
        Word word;
        word.line = line_;
        for (int c = in_.peek(); c >= 0 && !is_blank(c); c = in_.peek()) {
            in_.get();
            if (word.text.size() < longest_word) {
                word.text += char(c);
            } else {
                word.longer = true;
            }
        }
        return last_ = word;
    }
    // The word just read is read again next.
    void push_back() { pushed_ = true; }
    int line() const { return line_; }

private:
    static bool is_blank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    void skip_blanks() {
        for (int c = in_.peek(); c >= 0 && is_blank(c); c = in_.peek()) {
            in_.get();
            if (c == '\n' || (c == '\r' && in_.peek() != '\n')) {
                ++line_;
            }
        }
    }

    Stream& in_;
    int line_ = 1;
    Word last_;
    bool pushed_ = false;
};

class AsciiReader {
public:
    explicit AsciiReader(Stream& in)
        : in_(in)
        , words_(in)
        , c_locale_(newlocale(LC_ALL_MASK, "C", nullptr)) {}
    ~AsciiReader() { freelocale(c_locale_); }
    AsciiReader(const AsciiReader&) = delete;
    AsciiReader& operator=(const AsciiReader&) = delete;

    ModelReading read() {
        ModelReading reading;
        if (!read_solids()) {
            reading.cancelled = in_.stopped();
            reading.error = problem_;
            return reading;
        }
        if (builder_.triangles_read() == 0) {
            reading.error = QObject::tr("it holds no triangle");
        } else if (!builder_.has_surface()) {
            reading.error = QObject::tr("it has no surface");
        } else {
            reading.model = builder_.finish(QString());
            reading.model->solids = solids_;
        }
        return reading;
    }

private:
    // "solid NAME", facets, "endsolid NAME", as many times as the file has.
    bool read_solids() {
        Word word = words_.next();
        while (word.is("solid")) {
            skip_name(word.line, "facet");
            if (!read_facets()) {
                return false;
            }
            ++solids_;
            const int endsolid_line = words_.line();
            skip_name(endsolid_line, "solid");
            word = words_.next();
        }
        return word.is_end() || fail_at(word, "solid");
    }

    // The rest of a line that names a solid; a whole file on one line has
    // its first keyword end the name.
    void skip_name(int line, const char* keyword) {
        for (Word word = words_.next();; word = words_.next()) {
            if (word.is_end() || word.line != line || word.is(keyword) || word.is("endsolid")) {
                words_.push_back();
                return;
            }
        }
    }

    bool read_facets() {
        for (Word word = words_.next();; word = words_.next()) {
            if (word.is("endsolid")) {
                return true;
            }
            if (word.is_end()) {
                problem_ = QObject::tr("the file ends before \"endsolid\"");
                return false;
            }
            if (!word.is("facet")) {
                return fail_at(word, "facet");
            }
            if (!read_facet()) {
                return false;
            }
        }
    }

    // "facet normal X Y Z", "outer loop", three "vertex X Y Z", "endloop",
    // "endfacet"; a facet without its normal is read too.
    bool read_facet() {
        Point normal{};
        if (words_.next().is("normal")) {
            if (!read_point(normal)) {
                return false;
            }
        } else {
            words_.push_back();
        }
        Point corners[3];
        int lines[3];
        if (!expect("outer") || !expect("loop")) {
            return false;
        }
        for (int c = 0; c < 3; ++c) {
            if (!expect("vertex") || !read_point(corners[c])) {
                return false;
            }
            lines[c] = keyword_line_;
        }
        if (!expect("endloop") || !expect("endfacet")) {
            return false;
        }
        for (int c = 0; c < 3; ++c) {
            if (!is_finite(corners[c])) {
                problem_ = QObject::tr("line %1: %2")
                               .arg(lines[c])
                               .arg(not_a_number(builder_.triangles_read() + 1));
                return false;
            }
        }
        builder_.add_triangle(corners[0], corners[1], corners[2],
                              is_finite(normal) ? normal : Point{});
        return true;
    }

    bool expect(const char* keyword) {
        const Word word = words_.next();
        if (word.is(keyword)) {
            keyword_line_ = word.line;
            return true;
        }
        if (word.is_end()) {
            problem_ = in_.stopped() ? QString()
                                     : QObject::tr("the file ends in the middle of a triangle");
            return false;
        }
        return fail_at(word, keyword);
    }

    bool fail_at(const Word& word, const char* keyword) {
        problem_ = QObject::tr("line %1: %2 where \"%3\" belongs")
                       .arg(word.line)
                       .arg(word.quoted(), QLatin1String(keyword));
        return false;
    }

    // Three numbers as C's strtod reads them, whatever the user's locale.
    bool read_point(Point& point) {
        for (double& value : point) {
            const Word word = words_.next();
            char* end = nullptr;
            value = word.longer ? 0 : strtod_l(word.text.constData(), &end, c_locale_);
            if (word.is_end() || word.longer || end != word.text.constData() + word.text.size()) {
                problem_ = QObject::tr("line %1: %2 is not a coordinate")
                               .arg(word.is_end() ? keyword_line_ : word.line)
                               .arg(word.quoted());
                return false;
            }
        }
        return true;
    }

    Stream& in_;
    Words words_;
    locale_t c_locale_;
    ModelBuilder builder_;
    int solids_ = 0;
    // The line of the keyword read last: a number missing at the end of the
    // file is told at its keyword's line.
    int keyword_line_ = 0;
    QString problem_;
};

// ---------------------------------------------------------------- which kind

// Text as an ASCII file is: UTF-8, with no control character but blanks
// and line ends.
bool looks_like_text(const QByteArray& start) {
    const bool plain = std::all_of(start.begin(), start.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 || (u >= '\t' && u <= '\r');
    });
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = utf8(start);
    return plain && !utf8.hasError();
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
    Stream in(file, progress);
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
        return AsciiReader(in).read();
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
