#pragma once

// What the STL readers share: the file read as a stream, a chunk at a time,
// and the checks of its numbers.

#include <QIODevice>
#include <QObject>
#include <cmath>

#include "ModelFile.h"

// Read this much at a time, 4096 binary triangles of 50 bytes: the cost of
// a file is what its model holds.
constexpr qint64 stl_chunk_size = 50 * 4096;

inline bool is_finite(const Model::Point& p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

inline QString not_a_number(size_t triangle) {
    return QObject::tr("triangle %1 has a coordinate that is not a number").arg(triangle);
}

// A file read a chunk at a time, telling how far it has come.
class StlStream {
public:
    StlStream(QIODevice& file, const ReadProgress& progress)
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
        buffer_ = file_.read(stl_chunk_size);
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
