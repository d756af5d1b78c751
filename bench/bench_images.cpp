// Decoding the embedded pictures.

#include <benchmark/benchmark.h>

#include "images/EmbeddedImages.h"

namespace {
void decode_all_pictures_once(benchmark::State& state) {
    long bytes = 0;
    for (auto _ : state) {
        for (const EmbeddedImage* entry = embeddedImages; entry->data; ++entry) {
            const QImage image = decodeEmbeddedImage(*entry);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    for (const EmbeddedImage* entry = embeddedImages; entry->data; ++entry) {
        bytes += entry->compressed;
    }
    state.counters["compressed_bytes"] = static_cast<double>(bytes);
}
} // namespace

BENCHMARK(decode_all_pictures_once)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
