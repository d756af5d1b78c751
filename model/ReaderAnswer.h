#pragma once

// What a reader process tells the host, over a socket pair: how far its
// reading has come, and then its answer, a sealed memory file of its own
// that the host maps. The host trusts nothing in it: every size, count,
// index and coordinate is checked against the mapping before use.
//
// The memory file holds a header, the corners (three floats each), the
// indices (three a triangle), the colours (none or one a corner) and the
// texts, UTF-8, one a line: the reason of a refusal, or the warnings.

#include <QtGlobal>
#include <cstddef>

#include "ModelFile.h"
#include "tarvik_model_export.h"

// The bounds a reader works within.
struct SandboxLimits {
    // Bytes of address space; 0 leaves it unlimited.
    quint64 address_space = 0;
    quint64 cpu_seconds = 0;
};

// The bounds for reading a file of `file_size` bytes on this machine: the
// address space never more than half the machine's memory.
TARVIK_MODEL_EXPORT SandboxLimits limits_for(quint64 file_size);

// The largest answer the host maps: no honest reader can make a larger one.
TARVIK_MODEL_EXPORT quint64 largest_reader_answer();

// The descriptor a reader finds its socket at.
constexpr int reader_socket = 3;

// One message on the socket; an answer comes with its memory file.
struct ReaderMessage {
    enum Kind : quint32 { progress = 1, answer = 2, out_of_memory = 3 };
    quint32 kind = progress;
    quint32 spare = 0;
    // Thousandths done, the answer's size, or the memory bound in bytes.
    quint64 value = 0;
};

// Sends a message, with `fd` when one is given; false if it did not go
// whole. Allocates nothing: a reader out of memory can still say so.
TARVIK_MODEL_EXPORT bool send_reader_message(int socket, const ReaderMessage& message, int fd = -1);

struct ReaderAnswerHeader {
    enum Kind : quint32 { model = 1, refusal = 2 };
    char magic[8];
    quint32 kind;
    quint32 solids;
    quint64 vertex_count;
    quint64 index_count;
    quint64 colour_count;
    quint64 text_bytes;
    quint64 triangles_read;
    double centre[3];
    double size;
    quint32 colour;
    quint32 parts;
    quint64 faces;
    // NUL-terminated, printable ASCII.
    char unit[16];
};

// A reading laid out as an answer: its size first, so that the memory it
// goes to can be made, then its bytes.
class TARVIK_MODEL_EXPORT ReaderAnswerWriter {
public:
    explicit ReaderAnswerWriter(const ModelReading& reading);
    size_t size() const;
    void write(uchar* into) const;

private:
    const ModelReading& reading_;
    QByteArray texts_;
};

// Why an answer is refused, as a reading's reason: "the reader sent an
// invalid answer: " and the fault.
TARVIK_MODEL_EXPORT QString invalid_answer(const QString& fault);

// The reading an answer of `size` bytes tells; an answer that does not
// hold together is a refusal that says what is wrong with it.
TARVIK_MODEL_EXPORT ModelReading read_reader_answer(const uchar* data, size_t size);
