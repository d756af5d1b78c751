// List<void*> beside std::vector<void*> on the same work.

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "List.h"

namespace {
constexpr long big = 100000;
constexpr long run = 10000;

void* ptr(long n) {
    return reinterpret_cast<void*>(n * 8 + 8);
}

// The operations each container offers, under one name.
struct GapList {
    List<void*> list;
    void insert(long pos, void* p) { list.insert(pos, p); }
    void remove(long pos) { list.remove(pos); }
    long size() const { return list.count(); }
};

struct Vector {
    std::vector<void*> vector;
    void insert(long pos, void* p) { vector.insert(vector.begin() + pos, p); }
    void remove(long pos) { vector.erase(vector.begin() + pos); }
    long size() const { return static_cast<long>(vector.size()); }
};

// Fills in place: List has no move constructor, so returning one would copy it.
template <class Container>
void fill(Container& c, long n) {
    for (long i = 0; i < n; ++i) {
        c.insert(i, ptr(i));
    }
}

template <class Container>
void appends(benchmark::State& state) {
    for (auto _ : state) {
        Container c;
        fill(c, state.range(0));
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Each insertion just after the previous one, from the middle of a long list.
template <class Container>
void cursor_insertions(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Container c;
        fill(c, big);
        state.ResumeTiming();
        for (long i = 0; i < run; ++i) {
            c.insert(big / 2 + i, ptr(i));
        }
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * run);
}

template <class Container>
void removals_at_one_index(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Container c;
        fill(c, big);
        state.ResumeTiming();
        for (long i = 0; i < run; ++i) {
            c.remove(big / 2);
        }
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * run);
}

template <class Container>
void random_insertions(benchmark::State& state) {
    const long n = state.range(0);
    for (auto _ : state) {
        std::mt19937 random(7);
        Container c;
        for (long i = 0; i < n; ++i) {
            c.insert(std::uniform_int_distribution<long>(0, c.size())(random), ptr(i));
        }
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
} // namespace

BENCHMARK(appends<GapList>)->Arg(big);
BENCHMARK(appends<Vector>)->Arg(big);
BENCHMARK(cursor_insertions<GapList>);
BENCHMARK(cursor_insertions<Vector>);
BENCHMARK(removals_at_one_index<GapList>);
BENCHMARK(removals_at_one_index<Vector>);
BENCHMARK(random_insertions<GapList>)->Arg(20000);
BENCHMARK(random_insertions<Vector>)->Arg(20000);

BENCHMARK_MAIN();
