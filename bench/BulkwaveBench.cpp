// The Bulkwave loader on a 5 GB RF64 file (sparse, so it takes no room): how long opening it and
// starting playback in its middle takes until the device holds its first bytes (target under
// 100 ms), and how much memory playing ten seconds of it adds (counter "extra_rss_kb", target
// under 16 MB). And recording: the CPU five seconds of CD-quality recording take, as a share of one
// core (counter "cpu_percent"), captured from a generator at the real rate into a WAV file.
#include "devices/BulkwavePlayer.h"
#include "devices/Recorder.h"
#include "devices/TestDevice.h"
#include "devices/TestInput.h"

#include "ResidentMemory.h"

#include <benchmark/benchmark.h>

#include <chrono>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr uint64_t kFileSize = 5ull * 1024 * 1024 * 1024;

/// A temporary directory with the sparse 5 GB file, removed when the program ends.
class HugeFile {
public:
    HugeFile()
    {
        char pattern[] = "/tmp/kxbench-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        m_dir = pattern;
        path = m_dir + "/huge.wav";
        uint8_t head[80] = {};
        auto put = [&](int at, const void* value, int size) { std::memcpy(head + at, value, size); };
        const uint32_t unknown = 0xFFFFFFFFu;
        const uint64_t dataSize = kFileSize - 80;
        const uint64_t riffSize = kFileSize - 8;
        const uint32_t ds64Size = 28, fmtSize = 16, rate = 44100, bytesPerSecond = 176400;
        const uint16_t tag = 1, channels = 2, align = 4, bits = 16;
        put(0, "RF64", 4), put(4, &unknown, 4), put(8, "WAVE", 4), put(12, "ds64", 4), put(16, &ds64Size, 4);
        put(20, &riffSize, 8), put(28, &dataSize, 8);
        put(48, "fmt ", 4), put(52, &fmtSize, 4), put(56, &tag, 2), put(58, &channels, 2), put(60, &rate, 4);
        put(64, &bytesPerSecond, 4), put(68, &align, 2), put(70, &bits, 2), put(72, "data", 4), put(76, &unknown, 4);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || ::pwrite(fd, head, sizeof head, 0) != ssize_t(sizeof head)
            || ::ftruncate(fd, off_t(kFileSize)) != 0)
            std::abort();
        ::close(fd);
    }
    ~HugeFile()
    {
        ::unlink(path.c_str());
        ::unlink((m_dir + "/recording.wav").c_str());
        ::rmdir(m_dir.c_str());
    }
    std::string directory() const { return m_dir; }
    std::string path;

private:
    std::string m_dir;
};

HugeFile& hugeFile()
{
    static HugeFile file;
    return file;
}

void BM_BulkwaveOpenAndPlayStart(benchmark::State& state)
{
    auto device = kx::TestDevice::create();
    device->setRecording(false);
    for (auto _ : state) {
        kx::BulkwavePlayer player(device->factory(), -1);
        if (!player.open(hugeFile().path) || !player.playFrom(player.file().lengthMs() / 2, [] {}).ok()) {
            state.SkipWithError("open or play failed");
            return;
        }
        device->advance(1024);
        state.PauseTiming();
        player.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BulkwaveOpenAndPlayStart)->Unit(benchmark::kMillisecond);

void BM_BulkwavePlayMemory(benchmark::State& state)
{
    auto device = kx::TestDevice::create();
    device->setRecording(false);
    long extra = 0;
    for (auto _ : state) {
        const long before = residentKilobytes();
        kx::BulkwavePlayer player(device->factory(), -1);
        player.open(hugeFile().path);
        player.playFrom(player.file().lengthMs() / 2, [] {});
        for (int i = 0; i < 10 * 44100 / 1024; ++i)
            device->advance(1024);
        extra = std::max(extra, residentKilobytes() - before);
        player.close();
    }
    state.counters["extra_rss_kb"] = double(extra);
}
BENCHMARK(BM_BulkwavePlayMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RecordingCpu(benchmark::State& state)
{
    const auto generator = [](std::span<uint8_t> block, uint64_t first, const kx::PcmFormat&) {
        std::memset(block.data(), int(first & 0x7F), block.size());
    };
    double cpuPercent = 0;
    for (auto _ : state) {
        kx::Recorder recorder(kx::TestInput::factory(generator, kx::TestInput::Pace::RealTime));
        const std::clock_t cpuBefore = std::clock();
        const auto wallBefore = std::chrono::steady_clock::now();
        recorder.start(-1, { 16, 2, 44100 }, hugeFile().directory() + "/recording.wav", 0600, 176400ull * 5);
        recorder.waitUntilDone(std::chrono::seconds(30));
        recorder.stop();
        const double cpu = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        cpuPercent = 100 * cpu / wall;
    }
    state.counters["cpu_percent"] = cpuPercent;
}
BENCHMARK(BM_RecordingCpu)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
