// Feeds arbitrary bytes to the host's check of a reader's answer, as a
// lying reader would: it answers with a model that holds together or with
// a reason, never both, never neither, and never reads past the bytes.

#include <cstdint>
#include <cstring>
#include <memory>

#include "ModelCheck.h"
#include "ReaderAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the size given, so that a read past it is caught.
    const auto bytes = std::make_unique<uchar[]>(size);
    std::memcpy(bytes.get(), data, size);
    const ModelReading reading = read_reader_answer(bytes.get(), size);
    if (reading.model.has_value() == !reading.error.isEmpty()) {
        fail("a model and a reason, or neither");
    }
    if (reading.model) {
        check(*reading.model);
    }
    return 0;
}
