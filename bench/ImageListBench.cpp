#include "BenchFolder.h"

#include "slideshow/ImageListBuilder.h"
#include "core/SlideshowState.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {
// The list as it was first designed: one search per pattern, then an exchange
// sort with a sorted flag that lets events through after every pass.
int designedBuild(const QString &folder, SlideshowState &state)
{
    int n = 0;
    for (const char *pattern : {"*.jpg", "*.jpeg", "*.gif", "*.bmp"}) {
        QDirIterator it(folder, {QString::fromLatin1(pattern)}, QDir::Files);
        while (it.hasNext() && n < SlideshowState::kMaxPictures) {
            it.next();
            state.ImageList[static_cast<std::size_t>(++n)] = it.fileName();
        }
    }
    bool sorted = false;
    while (!sorted) {
        sorted = true;
        for (int i = 1; i < n; ++i) {
            auto &a = state.ImageList[static_cast<std::size_t>(i)];
            auto &b = state.ImageList[static_cast<std::size_t>(i + 1)];
            if (ImageListBuilder::ComesBefore(b, a)) {
                std::swap(a, b);
                sorted = false;
            }
        }
        QCoreApplication::processEvents();
    }
    state.ImageCount = static_cast<std::int16_t>(n);
    return n;
}
}

// Scan and sort of 3000 names, as the show does it.
static void BM_BuildImageList(benchmark::State &st)
{
    const QString folder = BenchFolder::ManyNames();
    auto state = std::make_unique<SlideshowState>();
    for (auto _ : st) {
        const auto r = ImageListBuilder::BuildImageList(folder, *state, [] {
            QCoreApplication::processEvents();
            return true;
        });
        benchmark::DoNotOptimize(r);
    }
    st.counters["names"] = state->ImageCount;
}
BENCHMARK(BM_BuildImageList)->Unit(benchmark::kMillisecond);

// The same folder with four pattern searches and the exchange sort.
static void BM_BuildImageListByExchangeSort(benchmark::State &st)
{
    const QString folder = BenchFolder::ManyNames();
    auto state = std::make_unique<SlideshowState>();
    for (auto _ : st)
        benchmark::DoNotOptimize(designedBuild(folder, *state));
    st.counters["names"] = state->ImageCount;
}
BENCHMARK(BM_BuildImageListByExchangeSort)->Unit(benchmark::kMillisecond)->Iterations(3);

// The sorts alone, on the names in the folder's own order.
static void BM_SortOnly(benchmark::State &st)
{
    const QStringList names = BenchFolder::ManyNamesUnsorted();
    for (auto _ : st) {
        QStringList copy = names;
        std::sort(copy.begin(), copy.end(), &ImageListBuilder::ComesBefore);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SortOnly)->Unit(benchmark::kMillisecond);

static void BM_ExchangeSortOnly(benchmark::State &st)
{
    const QStringList names = BenchFolder::ManyNamesUnsorted();
    for (auto _ : st) {
        QStringList copy = names;
        bool sorted = false;
        while (!sorted) {
            sorted = true;
            for (qsizetype i = 0; i + 1 < copy.size(); ++i) {
                if (ImageListBuilder::ComesBefore(copy[i + 1], copy[i])) {
                    copy.swapItemsAt(i, i + 1);
                    sorted = false;
                }
            }
        }
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_ExchangeSortOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
