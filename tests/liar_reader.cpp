// A reader that misbehaves as its file tells it to, for the host's tests:
// "crash", "silent" (neither works nor answers), "past" (a triangle names
// a corner past the last), "short" (counts larger than the memory file),
// "unsealed" (a memory file the reader could still change).

#include <QFile>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "ReaderAnswer.h"

namespace {
// One triangle, as an honest reader would answer it.
QByteArray triangle_answer() {
    ModelReading reading;
    reading.model.emplace();
    reading.model->vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    reading.model->indices = {0, 1, 2};
    reading.model->triangles_read = 1;
    const ReaderAnswerWriter writer(reading);
    QByteArray bytes(qsizetype(writer.size()), '\0');
    writer.write(reinterpret_cast<uchar*>(bytes.data()));
    return bytes;
}
} // namespace

int main(int, char** argv) {
    QFile file(QFile::decodeName(argv[1]));
    file.open(QIODevice::ReadOnly);
    const QByteArray mode = file.readAll().trimmed();
    // Aborted, as a library that finds its heap corrupt does; the address
    // sanitizer would make a SIGSEGV an exit.
    if (mode == "crash") {
        std::abort();
    }
    if (mode == "silent") {
        pause();
    }
    QByteArray answer = triangle_answer();
    auto* header = reinterpret_cast<ReaderAnswerHeader*>(answer.data());
    const auto indices =
        reinterpret_cast<quint32*>(answer.data() + sizeof *header + 3 * sizeof(QVector3D));
    if (mode == "past") {
        indices[2] = 3;
    } else if (mode == "short") {
        header->vertex_count = 1000;
    }
    const int fd = memfd_create("liar", MFD_ALLOW_SEALING);
    if (write(fd, answer.constData(), size_t(answer.size())) != answer.size()) {
        return 1;
    }
    if (mode != "unsealed") {
        fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE);
    }
    send_reader_message(reader_socket, {ReaderMessage::answer, 0, quint64(answer.size())}, fd);
    return 0;
}
