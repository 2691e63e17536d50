// Building the sky's 1024 x 1024 cloud noise on the processor, as the sky does
// once at start-up. Target: at most 15 ms a build on one core at -O2.

#include "scene/SkyDome.h"

#include <benchmark/benchmark.h>

#include <vector>

static void BM_SkyNoise(benchmark::State& state)
{
    std::vector<uint8_t> pixels(Quorvel::SkyDome::NoiseSize * Quorvel::SkyDome::NoiseSize);
    for (auto _ : state) {
        Quorvel::SkyDome::buildNoise(pixels.data());
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(pixels.size()));
}
BENCHMARK(BM_SkyNoise)->Unit(benchmark::kMillisecond);

static void BM_SkyMeshAndTable(benchmark::State& state)
{
    std::vector<float> vertices;
    std::vector<uint32_t> indices;
    uint8_t table[Quorvel::SkyDome::ExpTableSize];
    for (auto _ : state) {
        Quorvel::SkyDome::buildMesh(500.0f, 10.0f, 16, vertices, indices);
        Quorvel::SkyDome::buildExpTable(table);
        benchmark::DoNotOptimize(vertices.data());
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_SkyMeshAndTable)->Unit(benchmark::kMicrosecond);
