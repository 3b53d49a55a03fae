// A 600 MB 16-bit stereo document at the whole-file zoom: the wave view's and the preview bar's
// paint in both drawing modes (sampled values, true peaks from the summary), and the summary's
// build time and size.
#include "PreviewPainter.h"
#include "WaveRenderer.h"

#include "LargeDocument.h"
#include "documents/PeakSummaryBuild.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using kx::bench::largeDocument;
constexpr uint32_t kDataSize = kx::bench::kLargeDataSize;

std::shared_ptr<const kx::PeakSummary> summary()
{
    static const std::shared_ptr<const kx::PeakSummary> built = [] {
        const std::atomic<bool> stop = false;
        return kx::buildPeakSummary(*largeDocument(), stop);
    }();
    return built;
}

void BM_BuildSummary(benchmark::State& state)
{
    const auto document = largeDocument();
    const std::atomic<bool> stop = false;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto built = kx::buildPeakSummary(*document, stop);
        bytes = built->memoryBytes();
    }
    state.counters["summary_bytes"] = double(bytes);
    state.counters["percent_of_document"] = 100.0 * double(bytes) / double(kDataSize);
}
BENCHMARK(BM_BuildSummary)->Unit(benchmark::kMillisecond)->Iterations(3);

/// Arg 0: sampled values; 1: true peaks.
void BM_WaveViewWholeFile(benchmark::State& state)
{
    const auto document = largeDocument();
    const kx::PeakSummary* peaks = state.range(0) ? summary().get() : nullptr;
    kx::WaveRenderer::Style style;
    style.face = QColor(192, 192, 192);
    style.shadow = QColor(128, 128, 128);
    const kx::WaveRenderer renderer(style);
    QImage image(800, 400, QImage::Format_RGB32);
    const kx::WaveDocument& wave = document->document;
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(renderer.paint(
            painter, 800, 400, kx::WaveScene { wave.header, wave.samples.data(), wave.mark, false, peaks }));
    }
}
BENCHMARK(BM_WaveViewWholeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PreviewWholeFile(benchmark::State& state)
{
    const auto document = largeDocument();
    const kx::PeakSummary* peaks = state.range(0) ? summary().get() : nullptr;
    QImage image(1000, 100, QImage::Format_RGB32);
    const kx::WaveDocument& wave = document->document;
    const QPalette palette;
    for (auto _ : state) {
        QPainter painter(&image);
        kx::paintPreview(
            painter, 1000, 100, kx::PreviewScene { &wave.header, wave.samples.data(), false, peaks }, 0.2f, palette);
    }
}
BENCHMARK(BM_PreviewWholeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
