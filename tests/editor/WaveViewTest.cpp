// The wave view as the user meets it: what it paints, and what the mouse, the scroll bar and the
// wheel do to the document's mark and view.
#include "WaveView.h"
#include "WaveRenderer.h"

#include "devices/PixelCalculate.h"
#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTime>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace kx {
namespace {

    using Bytes = std::vector<uint8_t>;

    std::shared_ptr<SharedDocument> documentOf(uint16_t bits, uint16_t channels, const Bytes& bytes, uint32_t zoom)
    {
        WaveDocument document;
        PcmFormat { bits, channels, 22050 }.applyTo(document.header);
        if (!bytes.empty())
            document.samples = SampleBuffer::copyOf(bytes);
        document.header.setDataSize(uint32_t(bytes.size()));
        document.mark.zoom = zoom;
        return std::make_shared<SharedDocument>(std::move(document));
    }

    /// 16-bit little-endian samples, interleaved as given.
    Bytes words(const std::vector<int16_t>& values)
    {
        Bytes bytes;
        for (int16_t value : values) {
            bytes.push_back(uint8_t(uint16_t(value)));
            bytes.push_back(uint8_t(uint16_t(value) >> 8));
        }
        return bytes;
    }

    /// A shown view whose drawing client is exactly width x height.
    struct Fixture {
        explicit Fixture(std::shared_ptr<SharedDocument> document, int width = 206, int height = 120)
            : view(std::move(document))
        {
            view.show();
            view.resize(width, height + view.horizontalScrollBar()->sizeHint().height());
            QApplication::processEvents();
            w = view.viewport()->width();
            h = view.viewport()->height();
        }

        QImage picture() { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
        QColor at(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
        /// Palette colours as 8-bit pixels hold them.
        QColor role(QPalette::ColorRole colourRole) const { return QColor(view.palette().color(colourRole).rgb()); }
        QColor face() const { return role(QPalette::Button); }
        static QColor inverted(const QColor& colour)
        {
            return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
        }

        void mouse(QEvent::Type type, int x, Qt::MouseButtons buttons = Qt::LeftButton)
        {
            const QPointF position(x, h / 2);
            QMouseEvent event(type, position, view.viewport()->mapToGlobal(position), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : buttons, Qt::NoModifier);
            QApplication::sendEvent(view.viewport(), &event);
        }
        void press(int x) { mouse(QEvent::MouseButtonPress, x); }
        void move(int x) { mouse(QEvent::MouseMove, x); }
        void release(int x) { mouse(QEvent::MouseButtonRelease, x); }
        void wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            const QPointF position(w / 2, h / 2);
            QWheelEvent event(position, view.viewport()->mapToGlobal(position), QPoint(), QPoint(0, delta),
                Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view.viewport(), &event);
        }

        MarkRecord mark()
        {
            std::shared_lock lock(view.document()->lock);
            return view.document()->document.mark;
        }
        void setMark(uint32_t start, uint32_t length)
        {
            std::unique_lock lock(view.document()->lock);
            view.document()->document.mark.markStart = start;
            view.document()->document.mark.markLength = length;
        }

        WaveView view;
        int w = 0;
        int h = 0;
    };

    /// Counts the paints a widget receives.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    };

    const QColor kBlue = WaveRenderer::kMonoColour;
    const QColor kRed = WaveRenderer::kRightColour;

    // ---- painting ----------------------------------------------------------------------------

    TEST(WaveViewPainting, MonoOneValuePerColumnMarkAndCursor)
    {
        Bytes bytes(400, 128);
        bytes[10] = 255;
        Fixture f(documentOf(8, 1, bytes, 1));
        f.setMark(120, 10);
        const QImage image = f.picture();
        const int h = f.h;
        EXPECT_EQ(f.at(image, 13, h / 2 - pixelCalculate(255, 8, h - 5)), kBlue);
        // Silence sits on the centre line.
        EXPECT_EQ(f.at(image, 14, h / 2), kBlue);
        // The mark (values 120..129, columns 123..132) is inverted from row 3; the cursor at its
        // start is black from row 4.
        EXPECT_EQ(f.at(image, 123, h - 10), Qt::black);
        EXPECT_EQ(f.at(image, 123, 3), Fixture::inverted(f.face()));
        EXPECT_EQ(f.at(image, 125, 3), Fixture::inverted(f.face()));
        EXPECT_EQ(f.at(image, 132, h - 4), Fixture::inverted(f.face()));
        EXPECT_EQ(f.at(image, 133, h - 10), f.face());
        EXPECT_NE(f.at(image, 125, h - 3), Fixture::inverted(f.face())); // the frame is never inverted
        EXPECT_EQ(f.mark().viewEnd, uint32_t(f.w - 6));
    }

    TEST(WaveViewPainting, StereoOneValuePerColumnShowsEachFrameOnTwoColumns)
    {
        std::vector<int16_t> values(400, 0);
        values[10] = 16000; // frame 5, left
        values[11] = -16000; // frame 5, right
        Fixture f(documentOf(16, 2, words(values), 1), 206, 200);
        const QImage image = f.picture();
        const int h = f.h;
        const int height = (h - 4) / 2;
        const int leftY = h / 4 - pixelCalculate(16000, 16, height);
        const int rightY = 3 * h / 4 - pixelCalculate(uint16_t(-16000), 16, height);
        for (int column : { 13, 14 }) {
            EXPECT_EQ(f.at(image, column, leftY), kBlue) << column;
            EXPECT_EQ(f.at(image, column, rightY), kRed) << column;
        }
        EXPECT_NE(f.at(image, 15, leftY), kBlue);
        // Raised divider: highlight above, shadow below the middle.
        EXPECT_EQ(f.at(image, 50, h / 2 - 1), f.role(QPalette::Light));
        EXPECT_EQ(f.at(image, 50, h / 2), f.role(QPalette::Dark));
    }

    TEST(WaveViewPainting, SeveralValuesPerColumnDrawPolylines)
    {
        Bytes stereo;
        for (int i = 0; i < 20000; ++i) {
            stereo.push_back(160); // left: +32
            stereo.push_back(96); // right: -32
        }
        Fixture f(documentOf(8, 2, stereo, 10), 206, 300);
        const QImage image = f.picture();
        const int h = f.h;
        const int height = h / 2 - 5;
        const int leftY = h / 4 - pixelCalculate(160, 8, height);
        const int rightY = 3 * h / 4 - pixelCalculate(96, 8, height);
        // Both channels run across the drawing area (column 3 holds the cursor).
        for (int column : { 4, 50, f.w - 5 }) {
            EXPECT_EQ(f.at(image, column, leftY), kBlue) << column;
            EXPECT_EQ(f.at(image, column, rightY), kRed) << column;
        }
        EXPECT_EQ(f.mark().viewEnd, uint32_t(f.w - 6) * 10);
    }

    TEST(WaveViewPainting, MarkWithSeveralValuesPerColumnInvertsOneBand)
    {
        Fixture f(documentOf(8, 1, Bytes(50000, 128), 10));
        f.setMark(900, 500); // values 900..1399: columns 93..142
        const QImage image = f.picture();
        const QColor inverse = Fixture::inverted(f.face());
        EXPECT_EQ(f.at(image, 95, 4), inverse);
        EXPECT_EQ(f.at(image, 142, f.h - 5), inverse);
        EXPECT_EQ(f.at(image, 95, 3), f.face());
        EXPECT_EQ(f.at(image, 143, f.h - 10), f.face());
        // The cursor at the mark start runs from row 3.
        EXPECT_EQ(f.at(image, 93, 3), Qt::black);
    }

    TEST(WaveViewPainting, StereoMarkAtOneValuePerColumnInvertsTwoBands)
    {
        Fixture f(documentOf(8, 2, Bytes(4000, 128), 1));
        f.setMark(120, 20); // columns 123..142
        const QImage image = f.picture();
        const QColor inverse = Fixture::inverted(f.face());
        EXPECT_EQ(f.at(image, 130, 4), inverse);
        EXPECT_EQ(f.at(image, 130, f.h / 2 + 3), inverse);
        EXPECT_NE(f.at(image, 130, f.h / 2), inverse);
        EXPECT_NE(f.at(image, 130, f.h / 2 - 2), inverse);
    }

    TEST(WaveViewPainting, FrameAndLabels)
    {
        Fixture f(documentOf(8, 2, Bytes(4000, 128), 1));
        const QImage image = f.picture();
        const QColor shadow = f.role(QPalette::Dark);
        const QColor highlight = f.role(QPalette::Light);
        EXPECT_EQ(f.at(image, 2, 10), shadow);
        EXPECT_EQ(f.at(image, 10, 2), shadow);
        EXPECT_EQ(f.at(image, f.w - 3, 10), highlight);
        EXPECT_EQ(f.at(image, 10, f.h - 3), highlight);
        auto hasText = [&](int top) {
            for (int y = top; y < top + 14; ++y)
                for (int x = 4; x < 80; ++x)
                    if (f.at(image, x, y).lightness() < 100)
                        return true;
            return false;
        };
        EXPECT_TRUE(hasText(4));
        EXPECT_TRUE(hasText(f.h / 2 + 1));
    }

    bool interiorIsFace(Fixture& f, const QImage& image)
    {
        for (int y = 3; y < f.h - 3; ++y)
            for (int x = 3; x < f.w - 3; ++x)
                if (f.at(image, x, y) != f.face())
                    return false;
        return true;
    }

    TEST(WaveViewPainting, WorkingDocumentShowsOnlyItsFrame)
    {
        Fixture f(documentOf(8, 1, Bytes(4000, 255), 1));
        {
            std::unique_lock lock(f.view.document()->lock);
            f.view.document()->document.info.working = 1;
        }
        const QImage image = f.picture();
        EXPECT_TRUE(interiorIsFace(f, image));
        EXPECT_EQ(f.at(image, 2, 10), f.role(QPalette::Dark));
    }

    // ---- empty documents -----------------------------------------------------------------------

    TEST(WaveViewEmpty, ShowsOnlyTheFrameIgnoresClicksAndDisablesScrolling)
    {
        Fixture f(documentOf(8, 1, {}, 100));
        EXPECT_TRUE(interiorIsFace(f, f.picture()));
        EXPECT_FALSE(f.view.horizontalScrollBar()->isEnabled());
        QSignalSpy marks(&f.view, &WaveView::markChanged);
        f.press(50);
        f.release(50);
        EXPECT_EQ(marks.count(), 0);
        EXPECT_EQ(f.mark().markStart, 0u);
        EXPECT_FALSE(f.view.dragging());
    }

    TEST(WaveViewEmpty, ContextMenuOffersRecord)
    {
        Fixture f(documentOf(8, 1, {}, 100));
        const std::unique_ptr<QMenu> menu = f.view.createContextMenu();
        EXPECT_EQ(menu->objectName(), "EMPTYWAVEFILEMENU");
        ASSERT_NE(menu->defaultAction(), nullptr);
        EXPECT_EQ(menu->defaultAction()->data().toInt(), 505);
    }

    // ---- marking ---------------------------------------------------------------------------------

    TEST(WaveViewMarking, ClickSetsTheCursorWithoutAMark)
    {
        Fixture f(documentOf(8, 1, Bytes(4000, 128), 2));
        QSignalSpy positions(&f.view, &WaveView::mousePosition);
        f.press(50);
        f.release(50);
        EXPECT_EQ(f.mark().markStart, uint32_t((50 - 3) * 2));
        EXPECT_EQ(f.mark().markLength, 0u);
        ASSERT_GE(positions.count(), 1);
        EXPECT_EQ(positions.first().at(1).toUInt(), uint32_t((50 - 3) * 2));
        EXPECT_EQ(f.at(f.picture(), 50, f.h - 10), Qt::black);
    }

    struct DragCase {
        const char* name;
        uint16_t bits;
        uint16_t channels;
        uint32_t zoom;
        int from;
        int to;
        uint32_t start;
        uint32_t length;
    };

    class WaveViewDrag : public testing::TestWithParam<DragCase> { };

    TEST_P(WaveViewDrag, MarksForward)
    {
        const DragCase& c = GetParam();
        Fixture f(documentOf(c.bits, c.channels, Bytes(1000, 0), c.zoom));
        f.press(c.from);
        EXPECT_TRUE(f.view.dragging());
        f.move((c.from + c.to) / 2);
        f.move(c.to);
        f.release(c.to);
        EXPECT_FALSE(f.view.dragging());
        EXPECT_EQ(f.mark().markStart, c.start);
        EXPECT_EQ(f.mark().markLength, c.length);
        EXPECT_EQ(f.mark().markStart % (c.bits / 8 * c.channels), 0u);
    }

    INSTANTIATE_TEST_SUITE_P(Drags, WaveViewDrag,
        testing::Values(DragCase { "Right", 8, 1, 1, 50, 100, 47, 50 },
            // Dragging left from the far end gives the same mark as dragging right.
            DragCase { "Left", 8, 1, 1, 100, 50, 47, 50 },
            // Past the end: 1000 bytes at 8 values per column end at column 128.
            DragCase { "PastTheEnd", 8, 1, 8, 20, 190, 17 * 8, 1000 - 17 * 8 },
            DragCase { "LeftOfTheWindow", 8, 1, 1, 60, -30, 0, 57 },
            // 16 bit: byte offsets are twice the value index.
            DragCase { "Mono16", 16, 1, 3, 10, 20, 2 * 7 * 3, 2 * 10 * 3 },
            DragCase { "Stereo16", 16, 2, 1, 10, 21, 12, 24 }),
        [](const auto& info) { return std::string(info.param.name); });

    TEST(WaveViewMarking, RubberBandIsInvertedWhileDraggingAndStopsAtTheDataEnd)
    {
        Fixture f(documentOf(8, 1, Bytes(100, 128), 1)); // data ends at column 103
        f.press(20);
        f.move(180);
        const QImage image = f.picture();
        const QColor inverse = Fixture::inverted(f.face());
        const int y = f.h - 10;
        EXPECT_EQ(f.at(image, 60, y), inverse);
        EXPECT_EQ(f.at(image, 102, y), inverse);
        EXPECT_EQ(f.at(image, 103, y), f.face());
        EXPECT_EQ(f.at(image, 150, y), f.face());
        f.release(180);
        EXPECT_EQ(f.mark().markStart + f.mark().markLength, 100u);
    }

    TEST(WaveViewMarking, ReportsThePositionWhileDragging)
    {
        Fixture f(documentOf(8, 1, Bytes(1000, 128), 1));
        QSignalSpy positions(&f.view, &WaveView::mousePosition);
        QSignalSpy marks(&f.view, &WaveView::markChanged);
        f.move(30);
        f.press(30);
        f.move(40);
        f.release(40);
        ASSERT_EQ(positions.count(), 3);
        EXPECT_FALSE(positions.at(0).at(0).toBool());
        EXPECT_FALSE(positions.at(1).at(0).toBool());
        EXPECT_TRUE(positions.at(2).at(0).toBool());
        EXPECT_EQ(positions.at(2).at(1).toUInt(), 37u);
        EXPECT_EQ(marks.count(), 2);
    }

    // ---- scrolling and zooming -----------------------------------------------------------------

    TEST(WaveViewScrolling, RangeFollowsTheDataLength)
    {
        Fixture f(documentOf(16, 1, Bytes(5000, 0), 1));
        EXPECT_TRUE(f.view.horizontalScrollBar()->isEnabled());
        // The range 0..2500 values holds the visible page (one value per column).
        EXPECT_EQ(f.view.horizontalScrollBar()->maximum() + f.view.horizontalScrollBar()->pageStep(), 2500);
        {
            std::unique_lock lock(f.view.document()->lock);
            f.view.document()->document.header.setDataSize(0);
        }
        f.view.recomputeScrollRange();
        EXPECT_FALSE(f.view.horizontalScrollBar()->isEnabled());
    }

    TEST(WaveViewScrolling, LineRightRepaintsUnlessItLandsOnZero)
    {
        struct Case {
            std::size_t dataSize;
            uint32_t zoom;
            bool moves;
        };
        // A file shorter than the window at zoom 0 lands on 0; at zoom 10 the view moves by
        // 10 * (W / 8) values.
        for (const Case& c : { Case { 100, 0, false }, Case { 100000, 10, true } }) {
            Fixture f(documentOf(8, 1, Bytes(c.dataSize, 128), c.zoom));
            PaintCounter counter;
            f.view.viewport()->installEventFilter(&counter);
            f.view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            QApplication::processEvents();
            EXPECT_EQ(counter.paints > 0, c.moves) << c.dataSize;
            EXPECT_EQ(f.mark().viewStart, c.moves ? uint32_t(10 * (f.w / 8)) : 0u);
            EXPECT_EQ(f.view.horizontalScrollBar()->value(), int(f.mark().viewStart));
        }
    }

    TEST(WaveViewScrolling, TroughPagesByTheVisibleWidthAndTheThumbShowsIt)
    {
        // 16-bit stereo, ten values per column: a page is the (w - 6) * 10 values the view shows.
        Fixture f(documentOf(16, 2, Bytes(400000, 0), 10));
        const int visible = (f.w - 6) * 10;
        QScrollBar* bar = f.view.horizontalScrollBar();
        EXPECT_EQ(bar->pageStep(), visible);
        EXPECT_EQ(bar->maximum(), 200000 - visible);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(f.mark().viewStart, uint32_t(visible));
        EXPECT_EQ(bar->value(), visible);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(f.mark().viewStart, 0u);

        // A wider window shows more: the page follows.
        f.view.resize(f.view.width() + 100, f.view.height());
        QApplication::processEvents();
        EXPECT_EQ(bar->pageStep(), (f.view.viewport()->width() - 6) * 10);
    }

    TEST(WaveViewScrolling, WheelScrollsAndCtrlWheelZooms)
    {
        Fixture f(documentOf(8, 1, Bytes(100000, 128), 1));
        f.wheel(-120);
        EXPECT_EQ(f.mark().viewStart, uint32_t(f.w / 4));
        f.wheel(120);
        EXPECT_EQ(f.mark().viewStart, 0u);

        QSignalSpy zooms(&f.view, &WaveView::zoomChanged);
        f.wheel(-120, Qt::ControlModifier);
        EXPECT_EQ(f.mark().zoom, 2u);
        f.wheel(120, Qt::ControlModifier);
        f.wheel(120, Qt::ControlModifier);
        EXPECT_EQ(f.mark().zoom, 1u);
        EXPECT_EQ(zooms.count(), 3);
    }

    TEST(WaveViewScrolling, ZoomZeroFitsTheWholeFileAtAnySize)
    {
        Fixture f(documentOf(8, 1, Bytes(123457, 128), 0));
        for (int width : { 150, 333, 800 }) {
            f.view.resize(width, f.view.height());
            QApplication::processEvents();
            f.picture();
            EXPECT_EQ(f.mark().viewEnd, 123457u) << width;
        }
    }

    // ---- commands ------------------------------------------------------------------------------

    TEST(WaveViewCommands, ContextMenuOffersPlayAndForwardsMenuIds)
    {
        Fixture f(documentOf(8, 1, Bytes(100, 128), 1));
        const std::unique_ptr<QMenu> menu = f.view.createContextMenu();
        EXPECT_EQ(menu->objectName(), "WAVEFILEMENU");
        ASSERT_NE(menu->defaultAction(), nullptr);
        EXPECT_EQ(menu->defaultAction()->data().toInt(), 501);
        QSignalSpy commands(&f.view, &WaveView::commandRequested);
        menu->defaultAction()->trigger();
        f.view.sendCommand(99);
        f.view.sendCommand(999);
        f.view.sendCommand(998);
        ASSERT_EQ(commands.count(), 2);
        EXPECT_EQ(commands.at(0).at(0).toInt(), 501);
        EXPECT_EQ(commands.at(1).at(0).toInt(), 998);
    }

    // ---- concurrency ---------------------------------------------------------------------------

    TEST(WaveViewConcurrency, TheMouseNeverWaitsForAnOperationThatHoldsTheDocument)
    {
        auto document = documentOf(8, 1, Bytes(4000, 128), 1);
        Fixture f(document);
        f.press(20);
        // An operation (an undo that moves the data, say) takes the document for a long step.
        std::atomic<bool> holding = false, release = false;
        std::thread operation([&] {
            std::unique_lock lock(document->lock);
            holding = true;
            while (!release)
                std::this_thread::yield();
        });
        while (!holding)
            std::this_thread::yield();
        // Every event returns at once (the test would hang here otherwise); the press is dropped,
        // and the end of the drag begun before waits for the document.
        f.move(60);
        f.release(60);
        EXPECT_TRUE(f.view.dragging());
        f.press(90);
        f.view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        release = true;
        operation.join();
        const QTime deadline = QTime::currentTime().addSecs(10);
        while (f.view.dragging() && QTime::currentTime() < deadline)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_FALSE(f.view.dragging());
        EXPECT_EQ(f.mark().markStart, 17u);
        EXPECT_EQ(f.mark().markLength, 40u);
    }

    TEST(WaveViewConcurrency, PaintsWhileAnotherThreadResizesTheData)
    {
        auto document = documentOf(16, 2, Bytes(400000, 7), 0);
        Fixture f(document, 400, 200);
        std::atomic<bool> stop { false };
        std::thread resizer([&] {
            for (int round = 0; !stop; ++round) {
                std::unique_lock lock(document->lock);
                const std::size_t size = (round % 2 == 0) ? 40000 : 4000000;
                if (document->document.samples.resize(size)) {
                    std::fill_n(document->document.samples.data(), size, uint8_t(round));
                    document->document.header.setDataSize(uint32_t(size));
                }
            }
        });
        for (int i = 0; i < 300; ++i)
            f.view.viewport()->repaint();
        stop = true;
        resizer.join();
        // Once the document is left alone, the view paints all of it again.
        f.picture();
        std::shared_lock lock(document->lock);
        EXPECT_EQ(document->document.mark.viewEnd, document->document.header.dataSize / 2);
    }

} // namespace
} // namespace kx
