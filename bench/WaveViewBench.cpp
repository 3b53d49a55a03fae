// Painting a 600 MB 16-bit stereo document at zoom "whole file" on an 800x400 wave view: the
// renderer alone into an image, and a full synchronous repaint of the widget.
#include "WaveRenderer.h"
#include "WaveView.h"

#include "LargeDocument.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using kx::bench::largeDocument;
constexpr int kWidth = 800;
constexpr int kHeight = 400;

void BM_RenderWholeFile(benchmark::State& state)
{
    const auto document = largeDocument();
    kx::WaveRenderer::Style style;
    style.face = QColor(192, 192, 192);
    style.shadow = QColor(128, 128, 128);
    kx::WaveRenderer renderer(style);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const kx::WaveDocument& wave = document->document;
    for (auto _ : state) {
        QPainter painter(&image);
        const kx::WaveScene scene { wave.header, wave.samples.data(), wave.mark, false };
        benchmark::DoNotOptimize(renderer.paint(painter, kWidth, kHeight, scene));
    }
}
BENCHMARK(BM_RenderWholeFile)->Unit(benchmark::kMillisecond);

void BM_RepaintWaveViewWholeFile(benchmark::State& state)
{
    kx::WaveView view(largeDocument());
    view.resize(kWidth, kHeight + view.horizontalScrollBar()->sizeHint().height());
    view.show();
    QApplication::processEvents();
    for (auto _ : state)
        view.viewport()->repaint();
    state.counters["width"] = view.viewport()->width();
    state.counters["height"] = view.viewport()->height();
}
BENCHMARK(BM_RepaintWaveViewWholeFile)->Unit(benchmark::kMillisecond);

} // namespace
