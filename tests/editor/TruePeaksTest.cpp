// A one-sample click in ten minutes of silence: the sampled drawing misses it at the whole-file
// zoom, the true peaks show it, in the wave view and in the preview.
#include "PeakSummaryWorker.h"
#include "PreviewPainter.h"
#include "WaitFor.h"
#include "WaveRenderer.h"

#include "documents/PcmFormat.h"
#include "documents/PeakSummaryBuild.h"
#include "documents/SharedDocument.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstring>

namespace kx {
namespace {

    constexpr uint32_t kTenMinutes = 22050 * 600; // 8-bit mono bytes
    constexpr uint32_t kClick = 5'000'003;

    std::shared_ptr<SharedDocument> clickDocument()
    {
        WaveDocument wave;
        PcmFormat { 8, 1, 22050 }.applyTo(wave.header);
        wave.samples = SampleBuffer::allocate(kTenMinutes);
        std::memset(wave.samples.data(), 128, kTenMinutes);
        wave.samples.data()[kClick] = 255;
        wave.header.setDataSize(kTenMinutes);
        wave.mark.zoom = 0; // the whole file
        return std::make_shared<SharedDocument>(std::move(wave));
    }

    /// Columns holding a pixel of `colour` in the upper quarter of the picture (far above silence).
    std::vector<int> columnsReaching(const QImage& image, QRgb colour, int top, int bottom)
    {
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = top; y < bottom; ++y) {
                if (image.pixel(x, y) == colour) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }

    TEST(TruePeaks, AOneSampleClickShowsAtTheWholeFileZoom)
    {
        const auto shared = clickDocument();
        const std::atomic<bool> stop = false;
        const auto summary = buildPeakSummary(*shared, stop);
        ASSERT_NE(summary, nullptr);
        const WaveDocument& wave = shared->document;
        WaveRenderer::Style style;
        style.face = QColor(192, 192, 192);
        style.shadow = QColor(128, 128, 128);
        const WaveRenderer renderer(style);
        const int w = 806;
        const int h = 200;
        for (const PeakSummary* peaks : { static_cast<const PeakSummary*>(nullptr), summary.get() }) {
            QImage image(w, h, QImage::Format_RGB32);
            QPainter painter(&image);
            renderer.paint(painter, w, h, WaveScene { wave.header, wave.samples.data(), wave.mark, false, peaks });
            painter.end();
            const auto reached = columnsReaching(image, QColor(WaveRenderer::kMonoColour).rgb(), 4, h / 4);
            if (!peaks) {
                EXPECT_TRUE(reached.empty());
                continue;
            }
            const int column = 3 + int(kClick / ((kTenMinutes + 799) / 800));
            EXPECT_EQ(reached, std::vector<int>({ column }));
        }

        for (const PeakSummary* peaks : { static_cast<const PeakSummary*>(nullptr), summary.get() }) {
            QImage image(526, 100, QImage::Format_RGB32);
            QPainter painter(&image);
            paintPreview(
                painter, 526, 100, PreviewScene { &wave.header, wave.samples.data(), false, peaks }, 0.2f, QPalette());
            painter.end();
            const auto reached = columnsReaching(image, qRgb(0, 0, 255), 6, 30);
            EXPECT_EQ(reached.size(), peaks ? 1u : 0u);
        }
    }

    TEST(PeakSummaryWorker, SummarisesTheSamplesAsTheyAreWhileTheyChange)
    {
        std::shared_ptr<SharedDocument> document = clickDocument();
        const auto highest = [&] {
            std::shared_lock lock(document->lock);
            const auto summary = document->peaks.current(&document->document.header);
            return summary ? summary->peaks(document->document.samples.data(), 0, kTenMinutes, 0).second : -1;
        };
        PeakSummaryWorker worker;
        QSignalSpy ready(&worker, &PeakSummaryWorker::summaryReady);
        worker.request(std::make_shared<SharedDocument>(WaveDocument())); // gone before its turn
        worker.request(document);
        worker.request(document);
        // The click is made quieter while the worker may be reading: only the new samples count.
        {
            std::unique_lock lock(document->lock);
            document->document.samples.data()[kClick] = 128 + 50;
            document->peaks.samplesChanged();
        }
        worker.request(document);
        // The summary is stored on the worker; its signal reaches this thread after it.
        ASSERT_TRUE(test::waitFor([&] { return highest() != -1 && ready.count() >= 1; }, 60000));
        EXPECT_EQ(highest(), 50);
    }

} // namespace
} // namespace kx
