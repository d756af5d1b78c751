// Feeds arbitrary bytes to the STEP reader, through a file as the reader
// process gives it one: it answers with a model or a reason, never both,
// never neither, and a model holds what every model must. The file is a
// memory file: a run that crashes leaves nothing behind.

#include <QString>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

#include "CadFile.h"
#include "ModelCheck.h"

namespace {
int file = -1;
}

// OpenCASCADE's registries live as long as the process: not leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libTK\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepare_cad_reading();
    file = memfd_create("fuzz_step", 0);
    return file < 0 ? 1 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != ssize_t(size)) {
        fail("the memory file cannot be written");
    }
    const ModelReading reading = read_cad(QStringLiteral("/proc/self/fd/%1").arg(file), {});
    if (reading.model.has_value() == !reading.error.isEmpty()) {
        fail("a model and a reason, or neither");
    }
    if (reading.model) {
        check(*reading.model);
    }
    return 0;
}
