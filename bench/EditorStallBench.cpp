// How long the editor's event loop stalls while an operation works on a 600 MB document, with
// the document's window repainting all the while.
#include "FrameWindow.h"
#include "WaveView.h"
#include "WaveWindow.h"
#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"
#include "exports/WindowRequests.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr uint32_t kDataSize = 600u * 1000u * 1000u;

HWND openLargeDocument(kx::FrameWindow& frame)
{
    kx::WaveDocument document;
    document.header.nChannels = 2;
    document.header.nSamplesPerSec = 44100;
    document.header.wBitsPerSample = 16;
    document.header.nBlockAlign = 4;
    document.header.nAvgBytesPerSec = 176400;
    document.samples = kx::SampleBuffer::allocate(kDataSize);
    for (uint32_t i = 0; i < kDataSize; ++i)
        document.samples.data()[i] = uint8_t(i * 13 + (i >> 10));
    document.header.setDataSize(kDataSize);
    document.info.fileName = "large.wav";
    document.mark.zoom = 0;
    kx::CreateWaveWindowRequest request;
    request.title = "large.wav";
    request.document = std::make_shared<kx::SharedDocument>(std::move(document));
    return reinterpret_cast<HWND>(
        SendMessage(frame.clientHandle(), kx::MsgMdiCreate, 0, reinterpret_cast<intptr_t>(&request)));
}

/// Runs `routine` on the document and measures the longest gap between two turns of the event loop.
void measure(benchmark::State& state, int32_t (*routine)(HWND), int operationCode)
{
    kx::FrameWindow frame;
    frame.resize(1000, 700);
    frame.show();
    const HWND wave = openLargeDocument(frame);
    kx::WaveWindow* window = frame.activeWaveWindow();
    window->showMaximized();
    QCoreApplication::processEvents();

    double longestStall = 0;
    double runMs = 0;
    for (auto _ : state) {
        QElapsedTimer run;
        run.start();
        frame.operations().start(routine, frame.handle(), operationCode, wave);
        QElapsedTimer sinceLastTurn;
        sinceLastTurn.start();
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, [&] { window->view()->viewport()->update(); });
        repaint.start(16);
        while (frame.operations().liveThreads() > 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longestStall = std::max(longestStall, sinceLastTurn.nsecsElapsed() / 1e6);
            sinceLastTurn.restart();
        }
        runMs = run.nsecsElapsed() / 1e6;
    }
    state.counters["longest_stall_ms"] = longestStall;
    state.counters["operation_ms"] = runMs;
}

void BM_StallDuringVolume(benchmark::State& state)
{
    RegWriteString("Kestrix\\Settings\\Filters\\Volume", "50");
    measure(state, ChangeVolume, 15002);
}

void BM_StallDuringReverse(benchmark::State& state)
{
    measure(state, Reverse, 15007);
}

void BM_StallDuringInsertSilence(benchmark::State& state)
{
    // Grows the 600 MB block: the resize happens under the document's exclusive lock.
    RegWriteString("Kestrix\\Settings\\Filters\\Silence\\Sec", "1");
    measure(state, InsertSilence, 15037);
}

/// The directory for the bench's files: KX_BENCH_DIR, else the temporary directory.
std::filesystem::path benchDirectory()
{
    const char* chosen = std::getenv("KX_BENCH_DIR");
    return chosen && *chosen ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
}

/// How long reading `path` to its end takes, as `cat FILE > /dev/null` does (the file cached).
double readMs(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(1 << 20);
    QElapsedTimer timer;
    timer.start();
    while (in.read(block.data(), std::streamsize(block.size())) || in.gcount() > 0) { }
    return timer.nsecsElapsed() / 1e6;
}

/// Opens a 600 MB WAV file through the File Open path and measures the longest stall of the event
/// loop until the window shows the whole file (the operation has ended and its picture is done).
void BM_StallDuringOpen(benchmark::State& state)
{
    const std::filesystem::path path = benchDirectory() / "kx-stall-open.wav";
    {
        kx::WaveHeader header;
        kx::PcmFormat { 16, 2, 44100 }.applyTo(header);
        header.setDataSize(kDataSize);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        std::vector<char> block(1 << 20);
        for (uint32_t done = 0; done < kDataSize; done += uint32_t(block.size())) {
            for (std::size_t i = 0; i < block.size(); ++i)
                block[i] = char((done + i) * 13 + ((done + i) >> 10));
            out.write(block.data(), std::streamsize(std::min<uint32_t>(uint32_t(block.size()), kDataSize - done)));
        }
    }
    readMs(path); // into the cache, as a second open finds it
    const double catMs = readMs(path);

    kx::FrameWindow frame;
    frame.resize(1000, 700);
    frame.show();
    QCoreApplication::processEvents();
    double longestStall = 0;
    double openMs = 0;
    for (auto _ : state) {
        QElapsedTimer run;
        run.start();
        frame.openPath(QString::fromStdString(path.string()));
        QElapsedTimer sinceLastTurn;
        sinceLastTurn.start();
        QElapsedTimer settled;
        settled.start();
        // Until the operation has ended and a second has gone by without one.
        while (frame.operations().liveThreads() > 0 || settled.elapsed() < 1000) {
            if (frame.operations().liveThreads() > 0)
                settled.restart();
            else if (openMs == 0)
                openMs = run.nsecsElapsed() / 1e6;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longestStall = std::max(longestStall, sinceLastTurn.nsecsElapsed() / 1e6);
            sinceLastTurn.restart();
        }
    }
    state.counters["longest_stall_ms"] = longestStall;
    state.counters["open_ms"] = openMs;
    state.counters["cat_ms"] = catMs;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_StallDuringOpen)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StallDuringVolume)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StallDuringReverse)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_StallDuringInsertSilence)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string settings = std::filesystem::temp_directory_path().string() + "/kx-stall-bench-settings";
    kx::SettingsStore::setDirectory(settings);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(settings);
    return 0;
}
