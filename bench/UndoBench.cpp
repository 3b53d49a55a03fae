// The undo history on a 600 MB document (about an hour of 44.1 kHz 16-bit stereo): for volume over
// the whole file, a crop to its middle half and a paste of a tenth of it from the same file, the
// time the edit spends recording its step ("record_ms": the edit with the history against the same
// edit with the history off), the memory the step adds ("step_MB", resident growth) and the time
// of undoing it ("undo_ms"). BM_ReverseFadeCropUndone: the three in a row undone, "exact" 1 when
// the document is then the original byte for byte. BM_InterfaceWait: the longest call the interface makes on the
// history (menu texts, a new step that sends two 600 MB steps to files) while those files are written.
// BM_UndoOnItsThread: the longest wait of a reader of the document while an undo thread puts back a
// 600 MB change in place.
#include "clipboard/DocumentCuts.h"
#include "documents/UndoBytes.h"
#include "documents/UndoStore.h"
#include "filters/Fades.h"
#include "filters/Reverse.h"
#include "filters/Volume.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <thread>
#include <unistd.h>

namespace {

using namespace kx;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kSize = 600u << 20;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

uint64_t residentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return uint64_t(resident) * uint64_t(::sysconf(_SC_PAGESIZE));
}

WaveDocument stereoDocument()
{
    WaveDocument document;
    WaveHeader& h = document.header;
    h.nChannels = 2;
    h.wBitsPerSample = 16;
    h.nSamplesPerSec = 44100;
    h.nBlockAlign = 4;
    h.nAvgBytesPerSec = 44100 * 4;
    document.samples = SampleBuffer::allocate(kSize);
    uint8_t* bytes = document.samples.data();
    for (uint32_t i = 0; i < kSize; ++i)
        bytes[i] = uint8_t(i * 2654435761u >> 24);
    h.setDataSize(kSize);
    return document;
}

void setHistory(bool on)
{
    UndoStore::setPolicy({ on ? 20u : 1u, on, UINT64_MAX, UINT64_MAX });
}

using Edit = std::function<void(WaveDocument&)>;

void measureEdit(benchmark::State& state, const Edit& prepare, const Edit& edit)
{
    double withHistory = 1e30;
    double without = 1e30;
    double undo = 1e30;
    double stepBytes = 0;
    for (auto _ : state) {
        for (bool on : { false, true }) {
            setHistory(on);
            WaveDocument document = stereoDocument();
            prepare(document);
            const uint64_t before = residentBytes();
            const int64_t sizeBefore = document.header.dataSize;
            const auto start = Clock::now();
            edit(document);
            (on ? withHistory : without) = std::min(on ? withHistory : without, millisecondsSince(start));
            if (!on)
                continue;
            // Growth beyond what the edit itself did to the document's length.
            const int64_t grown
                = int64_t(residentBytes()) - int64_t(before) - (int64_t(document.header.dataSize) - sizeBefore);
            stepBytes = std::max(stepBytes, double(grown));
            const auto undoStart = Clock::now();
            if (!UndoStore::restore(document))
                state.SkipWithError("undo failed");
            undo = std::min(undo, millisecondsSince(undoStart));
        }
    }
    setHistory(false);
    state.counters["record_ms"] = std::max(0.0, withHistory - without);
    state.counters["step_MB"] = stepBytes / (1 << 20);
    state.counters["undo_ms"] = undo;
}

void BM_Volume(benchmark::State& state)
{
    measureEdit(
        state, [](WaveDocument&) {}, [](WaveDocument& d) { changeVolume(d, 150); });
}

void BM_Crop(benchmark::State& state)
{
    measureEdit(
        state,
        [](WaveDocument& d) {
            d.mark = { kSize / 4, kSize / 2, 0, 0, 0 };
        },
        [](WaveDocument& d) { cropToMark(d); });
}

void BM_Paste(benchmark::State& state)
{
    measureEdit(
        state,
        [](WaveDocument& d) {
            d.mark = { 0, kSize / 10 / 4 * 4, 0, 0, 0 };
        },
        [](WaveDocument& d) { copyMarkTo(d, kSize / 2); });
}

void BM_ReverseFadeCropUndone(benchmark::State& state)
{
    bool exact = true;
    double undo = 0;
    for (auto _ : state) {
        setHistory(true);
        WaveDocument document = stereoDocument();
        reverse(document);
        fadeIn(document, 10);
        document.mark = { kSize / 8, kSize / 4, 0, 0, 0 };
        cropToMark(document);
        const auto start = Clock::now();
        for (int i = 0; i < 3; ++i)
            exact = UndoStore::restore(document) && exact;
        undo = millisecondsSince(start);
        const WaveDocument original = stereoDocument();
        exact = exact && document.header.dataSize == kSize
            && std::memcmp(document.samples.data(), original.samples.data(), kSize) == 0;
    }
    setHistory(false);
    state.counters["undo_all_ms"] = undo;
    state.counters["exact"] = exact ? 1 : 0;
}

void BM_InterfaceWait(benchmark::State& state)
{
    double longest = 0;
    for (auto _ : state) {
        UndoStore::setPolicy({ 20, true, 0, UINT64_MAX }); // every older step goes to a file
        WaveDocument document = stereoDocument();
        changeVolume(document, 120);
        changeVolume(document, 80);
        std::atomic<bool> done { false };
        std::shared_mutex lock; // the document's lock, as the editor holds it
        double menu = 0;
        std::thread interfaceThread([&] {
            while (!done) {
                const auto start = Clock::now();
                std::shared_lock reading(lock);
                benchmark::DoNotOptimize(UndoStore::description(document));
                benchmark::DoNotOptimize(UndoStore::isRedoPossible(document));
                reading.unlock();
                menu = std::max(menu, millisecondsSince(start));
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        const auto start = Clock::now();
        {
            std::unique_lock writing(lock);
            UndoStore::save(document, 0, 4, UndoChanged, "Zeroize"); // sends both 600 MB steps to files
        }
        longest = std::max(longest, millisecondsSince(start));
        UndoBytes::waitForMoves();
        done = true;
        interfaceThread.join();
        longest = std::max(longest, menu);
    }
    setHistory(false);
    state.counters["longest_wait_ms"] = longest;
}

/// An undo of a volume step over the whole document as the undo thread takes it, the document's lock
/// let go between pieces, while the interface thread takes the lock to read as painting does.
void BM_UndoOnItsThread(benchmark::State& state)
{
    double longest = 0;
    double undo = 0;
    for (auto _ : state) {
        setHistory(true);
        WaveDocument document = stereoDocument();
        changeVolume(document, 120);
        std::atomic<bool> done { false };
        std::shared_mutex lock;
        std::thread interfaceThread([&] {
            while (!done) {
                const auto start = Clock::now();
                std::shared_lock reading(lock);
                benchmark::DoNotOptimize(document.samples.data()[0]);
                reading.unlock();
                longest = std::max(longest, millisecondsSince(start));
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        const auto start = Clock::now();
        {
            std::unique_lock writing(lock);
            UndoStore::restore(document, [&writing] {
                writing.unlock();
                std::this_thread::yield();
                writing.lock();
            });
        }
        undo = std::max(undo, millisecondsSince(start));
        done = true;
        interfaceThread.join();
    }
    setHistory(false);
    state.counters["undo_ms"] = undo;
    state.counters["longest_wait_ms"] = longest;
}

BENCHMARK(BM_Volume)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Paste)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReverseFadeCropUndone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_InterfaceWait)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoOnItsThread)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
