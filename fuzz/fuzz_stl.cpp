// Feeds arbitrary bytes to the STL reader: it answers with a model or a
// reason, never both, never neither; a model's corners lie within the unit
// sphere, each triangle names three of them, and a reason quotes little.

#include <QBuffer>
#include <cstdint>

#include "ModelCheck.h"
#include "StlFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ModelReading reading = read_stl(buffer);
    if (reading.model.has_value() == !reading.error.isEmpty()) {
        fail("a model and a reason, or neither");
    }
    if (reading.model) {
        check(*reading.model);
    } else if (reading.error.size() > 300) {
        fail("a reason that quotes too much");
    }
    return 0;
}
