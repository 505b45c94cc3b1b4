// Speed of the Librarian core where a large workspace or a crafted file once made it crawl:
// sorts, cells and rows per view, one page's paint query, deleting everything, and linking 65,535
// images of one program file.

#include <benchmark/benchmark.h>

#include <random>

#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"
#include "librarian/stored_icons.h"
#include "librarian/view_layout.h"
#include "librarian/workspace.h"

namespace vt {
namespace {

constexpr int kIcons = 10000;

// 10,000 icons of three formats each (16 × 16 and 32 × 32 in 16 colours, 32 × 32 in 256), with
// names from a small set so that the name sort meets many ties, laid out on a grid.
void Fill(Workspace& ws) {
    ws.New();
    const std::vector<uint8_t> blocks[] = {test::MakeDib(16, 16, 4), test::MakeDib(32, 32, 4),
                                           test::MakeDib(32, 32, 8)};
    std::mt19937 rng(7);
    for (int i = 0; i < kIcons; ++i) {
        long at = -1;
        for (const auto& b : blocks) at = ws.AddImage(b, at);
        ws.Rename(static_cast<size_t>(at), "icon " + std::to_string(rng() % 5000));
        IconEntry& icon = ws.icons()[static_cast<size_t>(at)];
        icon.x = 38 + 75 * (i % 12);
        icon.y = 20 + 72 * (i / 12);
    }
}

// Puts the table in a random order (by sorting on scrambled positions) and then back on the grid.
void Scramble(Workspace& ws, std::mt19937& rng) {
    for (IconEntry& icon : ws.icons()) icon.x = static_cast<int32_t>(rng());
    ws.Sort(kSortByPosition);
    for (size_t i = 0; i < ws.icons().size(); ++i) {
        ws.icons()[i].x = 38 + 75 * static_cast<int32_t>(i % 12);
        ws.icons()[i].y = 20 + 72 * static_cast<int32_t>(i / 12);
    }
}

void BM_Sort(benchmark::State& state) {
    static Workspace ws;
    if (ws.icons().empty()) Fill(ws);
    ws.SetCurrentFormat({32, 32, 256});
    std::mt19937 rng(1);
    const int key = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(ws, rng);
        state.ResumeTiming();
        ws.Sort(key);
    }
}
BENCHMARK(BM_Sort)
    ->Arg(kSortByName)
    ->Arg(kSortByPosition)
    ->Arg(kSortBySpecificFormat)
    ->Arg(kSortByImageCount)
    ->Unit(benchmark::kMillisecond);

// After a drag of half the icons to random places: the position sort that follows every drop.
void BM_SortByPositionAfterMovingHalf(benchmark::State& state) {
    static Workspace ws;
    if (ws.icons().empty()) Fill(ws);
    std::mt19937 rng(2);
    for (auto _ : state) {
        state.PauseTiming();
        ws.RelinkInTableOrder();
        for (size_t i = 0; i < ws.icons().size(); ++i) {
            IconEntry& icon = ws.icons()[i];
            icon.x = 38 + 75 * static_cast<int32_t>(i % 12);
            icon.y = 20 + 72 * static_cast<int32_t>(i / 12);
            if (i % 2) {
                icon.x = static_cast<int32_t>(rng() % 900);
                icon.y = static_cast<int32_t>(rng() % (72 * kIcons / 12));
            }
        }
        state.ResumeTiming();
        ws.Sort(kSortByPosition);
    }
}
BENCHMARK(BM_SortByPositionAfterMovingHalf)->Unit(benchmark::kMillisecond);

// A change of view: every icon's cell worked out again, then the rows laid out anew, as the icon
// window does, for a client area 900 pixels wide.
void BM_CellsAndLayoutPerView(benchmark::State& state) {
    static Workspace ws;
    if (ws.icons().empty()) Fill(ws);
    ViewLayout layout;
    const int view = static_cast<int>(state.range(0));
    for (auto _ : state) {
        layout.SetView(ws, view);
        layout.Arrange(ws, 900);
        benchmark::DoNotOptimize(layout.ScrollRange(ws, 600));
    }
}
BENCHMARK(BM_CellsAndLayoutPerView)
    ->Arg(kViewSpecific)
    ->Arg(kViewRaw)
    ->Arg(kViewDesktop)
    ->Arg(kViewWindows)
    ->Unit(benchmark::kMillisecond);

// The layout alone (a resize or a drop re-arranges without new cells).
void BM_LayoutPerView(benchmark::State& state) {
    static Workspace ws;
    if (ws.icons().empty()) Fill(ws);
    ViewLayout layout;
    layout.SetView(ws, static_cast<int>(state.range(0)));
    for (auto _ : state) layout.Arrange(ws, 900);
}
BENCHMARK(BM_LayoutPerView)
    ->Arg(kViewSpecific)
    ->Arg(kViewRaw)
    ->Arg(kViewDesktop)
    ->Arg(kViewWindows)
    ->Unit(benchmark::kMillisecond);

// What one paint of a 900 × 600 page in the middle of the workspace asks: the icons it meets.
void BM_IconsOnOnePage(benchmark::State& state) {
    static Workspace ws;
    if (ws.icons().empty()) Fill(ws);
    ViewLayout layout;
    layout.SetView(ws, kViewWindows);
    layout.Arrange(ws, 900);
    const std::vector<size_t> order = ws.DisplayOrder();
    const int top = static_cast<int>(layout.ContentHeight() / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(layout.IconsMeeting(ws, order, {0, top, 900, top + 600}));
}
BENCHMARK(BM_IconsOnOnePage)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndDelete(benchmark::State& state) {
    Workspace ws;
    ScriptedPrompt prompt;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(ws);
        prompt.Answer(PromptAnswer::Yes);
        state.ResumeTiming();
        ws.SelectAll();
        ws.DeleteSelection(prompt);
    }
}
BENCHMARK(BM_SelectAllAndDelete)->Iterations(5)->Unit(benchmark::kMillisecond);

// A crafted program file: 3,277 icon groups of 20 formats naming 65,535 tiny images.
void BM_ReadCraftedProgramFile(benchmark::State& state) {
    static test::TempFolder dir;
    static std::string path;
    if (path.empty()) path = dir.Write("crafted.dll", test::MakeManyImagesPe(65535));
    Workspace ws;
    for (auto _ : state) {
        if (ReadModuleIcons(ws, path, true) != LibStatus::Ok || ws.images().size() != 65535)
            state.SkipWithError("the crafted file did not read whole");
    }
}
BENCHMARK(BM_ReadCraftedProgramFile)->Unit(benchmark::kMillisecond);

// The same file through the reader of `vantoro info`.
void BM_InfoOfCraftedProgramFile(benchmark::State& state) {
    static test::TempFolder dir;
    static std::string path;
    if (path.empty()) path = dir.Write("crafted.dll", test::MakeManyImagesPe(65535));
    for (auto _ : state) {
        int kind = kKindUnknown;
        std::vector<StoredGroup> groups;
        if (ReadStoredIcons(path, ReadDepth::Headers, &kind, &groups) != LibStatus::Ok)
            state.SkipWithError("the crafted file did not read");
    }
}
BENCHMARK(BM_InfoOfCraftedProgramFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vt
