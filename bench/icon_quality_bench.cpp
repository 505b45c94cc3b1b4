// The quality check over the worst icon file it accepts: the largest directory, every entry
// pointing at one blank image of the largest size, so that each examination walks the whole mask.
#include <benchmark/benchmark.h>

#include "engineer/engineer_testutil.h"
#include "engineer/icon_quality.h"

namespace {

std::vector<uint8_t> SharedBlankImageFile(uint16_t entries) {
    std::vector<uint8_t> image = vt::test::IconBlock(256, 256, 1, true);
    std::vector<uint8_t> file = {0, 0, 1, 0, uint8_t(entries), uint8_t(entries >> 8)};
    uint32_t offset = 6u + 16u * entries;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back(uint8_t(v >> (8 * i)));
    };
    for (uint16_t i = 0; i < entries; ++i) {
        file.insert(file.end(), {0, 0, 2, 0, 1, 0, 1, 0});
        u32(static_cast<uint32_t>(image.size()));
        u32(offset);
    }
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

void BM_QualityCheckSharedBlankImage(benchmark::State& state) {
    auto file = SharedBlankImageFile(static_cast<uint16_t>(state.range(0)));
    vt::QualityReport report;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vt::InspectIconFile(file, &report));
        if (!report.blankFound) state.SkipWithError("the blank image was not seen");
    }
}
BENCHMARK(BM_QualityCheckSharedBlankImage)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
