// The GIF encoder's string table: hashed look-up against the linear search it replaces (both
// write the same bytes), on the largest image the Studio writes and on a flat one.
#include <benchmark/benchmark.h>

#include <random>

#include "studio/gif_lzw.h"
#include "studio/gif_reader.h"
#include "studio/gif_writer.h"

namespace {

std::vector<uint8_t> Noise64(int colours) {
    std::mt19937 rng(1);
    std::vector<uint8_t> v(64 * 64);
    for (auto& p : v) p = static_cast<uint8_t>(rng() % colours);
    return v;
}

void BM_LzwHashed256(benchmark::State& state) {
    const auto pixels = Noise64(256);
    for (auto _ : state) benchmark::DoNotOptimize(vt::LzwEncode(pixels, 8));
}
void BM_LzwLinear256(benchmark::State& state) {
    const auto pixels = Noise64(256);
    for (auto _ : state) benchmark::DoNotOptimize(vt::LzwEncodeLinear(pixels, 8));
}
void BM_LzwHashed16(benchmark::State& state) {
    const auto pixels = Noise64(16);
    for (auto _ : state) benchmark::DoNotOptimize(vt::LzwEncode(pixels, 4));
}
void BM_LzwLinear16(benchmark::State& state) {
    const auto pixels = Noise64(16);
    for (auto _ : state) benchmark::DoNotOptimize(vt::LzwEncodeLinear(pixels, 4));
}
void BM_GifRead64(benchmark::State& state) {
    vt::GifSource s;
    s.width = s.height = 64;
    s.colourCode = 256;
    for (uint32_t i = 0; i < 256; ++i) s.table.push_back(i * 0x010101);
    s.indices = Noise64(256);
    s.masked.assign(s.indices.size(), 0);
    vt::ScriptedPrompt prompt;
    std::vector<uint8_t> file;
    vt::EncodeGif(s, true, prompt, &file);
    vt::GifPicture pic;
    for (auto _ : state) benchmark::DoNotOptimize(vt::ParseGif(file, &pic));
}

BENCHMARK(BM_LzwHashed256);
BENCHMARK(BM_LzwLinear256);
BENCHMARK(BM_LzwHashed16);
BENCHMARK(BM_LzwLinear16);
BENCHMARK(BM_GifRead64);

}  // namespace
