#include "ReaderAnswer.h"

#include <QObject>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

namespace {
constexpr quint64 mebibyte = quint64(1) << 20;
#ifndef UNDER_ADDRESS_SANITIZER
// What the reader's own libraries take before any model: a few hundred
// megabytes of address space, most of it mapped and never touched.
constexpr quint64 base_address_space = 512 * mebibyte;
// A model takes about 60 bytes a triangle while it is built and answered,
// and a file holds at least 12 bytes a triangle (a compressed 3MF), so 48
// times the file is room for any honest file and none for a bomb.
constexpr quint64 address_space_per_file_byte = 48;
#endif
// Parsing is linear: a second of work for each megabyte, on a slow machine,
// is far more than any honest file needs.
constexpr quint64 base_cpu_seconds = 20;

quint64 physical_memory() {
    return quint64(sysconf(_SC_PHYS_PAGES)) * quint64(sysconf(_SC_PAGESIZE));
}

constexpr char answer_magic[8] = {'T', 'A', 'R', 'V', 'I', 'K', 'M', '3'};
static_assert(sizeof(QVector3D) == 3 * sizeof(float));
static_assert(sizeof(ReaderAnswerHeader) % alignof(QVector3D) == 0);
// A corner may stand a little outside the unit sphere: float rounding.
constexpr float farthest_corner = 1.001f;
// More text than a person would read is a lie.
constexpr quint64 most_text = 1 << 20;

template <typename T>
uchar* put(uchar* into, const T* data, size_t count) {
    if (count > 0) { // an empty vector's data may be null
        std::memcpy(into, data, count * sizeof(T));
    }
    return into + count * sizeof(T);
}

QByteArray texts_of(const ModelReading& reading) {
    QStringList lines = reading.model ? reading.warnings : QStringList{reading.error};
    for (QString& line : lines) {
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n')).toUtf8().left(qsizetype(most_text));
}

// The number of `unit`-byte items, if `count` of them fit in `room`.
std::optional<size_t> bytes_of(quint64 count, size_t unit, size_t room) {
    if (count > room / unit) {
        return std::nullopt;
    }
    return size_t(count) * unit;
}

ModelReading refused(const QString& reason) {
    ModelReading reading;
    reading.error = invalid_answer(reason);
    return reading;
}

QString check_header(const ReaderAnswerHeader& header) {
    if (std::memcmp(header.magic, answer_magic, sizeof answer_magic) != 0) {
        return QObject::tr("it is not an answer of this version");
    }
    if (header.kind != ReaderAnswerHeader::model && header.kind != ReaderAnswerHeader::refusal) {
        return QObject::tr("it is of no known kind");
    }
    if (header.text_bytes > most_text) {
        return QObject::tr("its text is too long");
    }
    if (header.kind == ReaderAnswerHeader::refusal) {
        return {};
    }
    if (header.index_count == 0 || header.index_count % 3 != 0 ||
        header.vertex_count > std::numeric_limits<quint32>::max()) {
        return QObject::tr("its counts of corners and triangles do not fit together");
    }
    if (header.colour_count != 0 && header.colour_count != header.vertex_count) {
        return QObject::tr("its colours do not match its corners");
    }
    if (header.solids < 1 || header.triangles_read < header.index_count / 3) {
        return QObject::tr("its counts of solids and triangles read do not fit together");
    }
    const bool finite_box = std::all_of(std::begin(header.centre), std::end(header.centre),
                                        [](double v) { return std::isfinite(v); });
    if (!finite_box || !std::isfinite(header.size) || header.size <= 0) {
        return QObject::tr("its box is not a finite one");
    }
    const char* unit_end = std::find(std::begin(header.unit), std::end(header.unit), '\0');
    if (unit_end == std::end(header.unit) ||
        !std::all_of(std::begin(header.unit), unit_end,
                     [](char c) { return c >= ' ' && c <= '~'; })) {
        return QObject::tr("its unit is not a name");
    }
    return {};
}

QString check_model(const Model& model) {
    for (const QVector3D& v : model.vertices) {
        // Written so that a coordinate that is not a number fails too.
        if (!(v.lengthSquared() <= farthest_corner * farthest_corner)) {
            return QObject::tr("a corner lies outside the model's box");
        }
    }
    const size_t corners = model.vertices.size();
    const auto past = std::find_if(model.indices.begin(), model.indices.end(),
                                   [corners](quint32 index) { return index >= corners; });
    if (past != model.indices.end()) {
        return QObject::tr("a triangle names corner %1 of %2").arg(*past).arg(corners);
    }
    return {};
}

// Copies once, without first clearing the room: the answer is
// aligned for its items (a page, the header, then items of 4 bytes).
template <typename T>
void take(std::vector<T>& into, const uchar*& at, size_t bytes) {
    const auto* first = reinterpret_cast<const T*>(at);
    into.assign(first, first + bytes / sizeof(T));
    at += bytes;
}
} // namespace

SandboxLimits limits_for(quint64 file_size) {
    SandboxLimits limits;
#ifndef UNDER_ADDRESS_SANITIZER
    // The sanitizer's shadow memory alone is terabytes of address space.
    const quint64 wanted =
        base_address_space + std::min(file_size, physical_memory()) * address_space_per_file_byte;
    limits.address_space = std::min(wanted, physical_memory() / 2);
#endif
    limits.cpu_seconds = base_cpu_seconds + file_size / mebibyte;
    return limits;
}

QString invalid_answer(const QString& fault) {
    return QObject::tr("the reader sent an invalid answer: %1").arg(fault);
}

quint64 largest_reader_answer() {
    return physical_memory() / 2;
}

ReaderAnswerWriter::ReaderAnswerWriter(const ModelReading& reading)
    : reading_(reading)
    , texts_(texts_of(reading)) {}

size_t ReaderAnswerWriter::size() const {
    size_t size = sizeof(ReaderAnswerHeader) + size_t(texts_.size());
    if (reading_.model) {
        const Model& model = *reading_.model;
        size += model.vertices.size() * sizeof(QVector3D) + model.indices.size() * sizeof(quint32) +
                model.colours.size() * sizeof(QRgb);
    }
    return size;
}

void ReaderAnswerWriter::write(uchar* into) const {
    ReaderAnswerHeader header{};
    std::memcpy(header.magic, answer_magic, sizeof answer_magic);
    header.kind = reading_.model ? ReaderAnswerHeader::model : ReaderAnswerHeader::refusal;
    header.text_bytes = quint64(texts_.size());
    header.solids = 1;
    header.size = 1;
    if (reading_.model) {
        const Model& model = *reading_.model;
        header.solids = quint32(model.solids);
        header.vertex_count = model.vertices.size();
        header.index_count = model.indices.size();
        header.colour_count = model.colours.size();
        header.triangles_read = model.triangles_read;
        std::copy(model.centre.begin(), model.centre.end(), header.centre);
        header.size = model.size;
        header.colour = model.colour;
        header.parts = quint32(model.parts);
        header.faces = model.faces;
        const QByteArray unit = model.unit.toLatin1().left(sizeof header.unit - 1);
        std::copy(unit.begin(), unit.end(), header.unit);
    }
    into = put(into, &header, 1);
    if (reading_.model) {
        const Model& model = *reading_.model;
        into = put(into, model.vertices.data(), model.vertices.size());
        into = put(into, model.indices.data(), model.indices.size());
        into = put(into, model.colours.data(), model.colours.size());
    }
    put(into, texts_.constData(), size_t(texts_.size()));
}

bool send_reader_message(int socket, const ReaderMessage& message, int fd) {
    iovec part{const_cast<ReaderMessage*>(&message), sizeof message};
    msghdr header{};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    if (fd >= 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* rights = CMSG_FIRSTHDR(&header);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(rights), &fd, sizeof fd);
    }
    return sendmsg(socket, &header, MSG_NOSIGNAL) == ssize_t(sizeof message);
}

ModelReading read_reader_answer(const uchar* data, size_t size) {
    ReaderAnswerHeader header;
    if (size < sizeof header) {
        return refused(QObject::tr("it is shorter than its header"));
    }
    std::memcpy(&header, data, sizeof header);
    if (const QString fault = check_header(header); !fault.isEmpty()) {
        return refused(fault);
    }
    const size_t room = size - sizeof header;
    const auto vertex_bytes = bytes_of(header.vertex_count, sizeof(QVector3D), room);
    const auto index_bytes = bytes_of(header.index_count, sizeof(quint32), room);
    const auto colour_bytes = bytes_of(header.colour_count, sizeof(QRgb), room);
    if (!vertex_bytes || !index_bytes || !colour_bytes ||
        *vertex_bytes + *index_bytes + *colour_bytes + header.text_bytes != room) {
        return refused(QObject::tr("its size, %1 bytes, is not what its counts need").arg(size));
    }
    const uchar* at = data + sizeof header;
    Model model;
    take(model.vertices, at, *vertex_bytes);
    take(model.indices, at, *index_bytes);
    take(model.colours, at, *colour_bytes);
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char*>(at), qsizetype(header.text_bytes))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ModelReading reading;
    if (header.kind == ReaderAnswerHeader::refusal) {
        reading.error = texts.value(0, QObject::tr("it cannot be read"));
        return reading;
    }
    if (const QString fault = check_model(model); !fault.isEmpty()) {
        return refused(fault);
    }
    model.solids = int(std::min<quint32>(header.solids, std::numeric_limits<int>::max()));
    model.triangles_read = size_t(header.triangles_read);
    std::copy(std::begin(header.centre), std::end(header.centre), model.centre.begin());
    model.size = header.size;
    model.colour = header.colour;
    model.parts = int(std::min<quint32>(header.parts, std::numeric_limits<int>::max()));
    model.faces = size_t(header.faces);
    model.unit = QString::fromLatin1(header.unit);
    reading.warnings = texts;
    reading.model = std::move(model);
    return reading;
}
