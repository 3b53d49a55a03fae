// Painting a 600 MB 16-bit stereo document at zoom "whole file" on an 800x400 wave view: the
// renderer alone into an image, and a full synchronous repaint of the widget.
#include "WaveRenderer.h"
#include "WaveView.h"

#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr uint32_t kDataSize = 600u * 1000u * 1000u;
constexpr int kWidth = 800;
constexpr int kHeight = 400;

/// The document, made once: a slowly swept tone so the waveform has shape at every zoom.
std::shared_ptr<kx::SharedDocument> largeDocument()
{
    static std::shared_ptr<kx::SharedDocument> document = [] {
        kx::WaveDocument wave;
        kx::PcmFormat { 16, 2, 44100 }.applyTo(wave.header);
        wave.samples = kx::SampleBuffer::allocate(kDataSize);
        if (wave.samples.isNull())
            std::abort();
        auto* values = reinterpret_cast<int16_t*>(wave.samples.data());
        const std::size_t count = kDataSize / 2;
        for (std::size_t i = 0; i < count; ++i)
            values[i] = int16_t(20000.0 * std::sin(double(i / 2) * 0.01) * (1.0 - double(i) / double(count)));
        wave.header.setDataSize(kDataSize);
        wave.mark.zoom = 0;
        return std::make_shared<kx::SharedDocument>(std::move(wave));
    }();
    return document;
}

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

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
