// Reading and writing a 600 MB WAV file against cp of the same file, and the reader's peak memory.
#include "documents/WavReader.h"
#include "documents/WavWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uint32_t kDataSize = 600u * 1000u * 1000u;

const std::string& benchDirectory()
{
    static const std::string dir = [] {
        const char* base = std::getenv("KX_BENCH_DIR");
        std::string path = std::string(base ? base : std::filesystem::temp_directory_path().c_str()) + "/kx-wav-bench";
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

/// The 600 MB 16-bit stereo input, made once.
const std::string& inputFile()
{
    static const std::string path = [] {
        const std::string file = benchDirectory() + "/input.wav";
        if (!std::filesystem::exists(file) || std::filesystem::file_size(file) != kDataSize + 44) {
            kx::SampleBuffer samples = kx::SampleBuffer::allocate(kDataSize);
            for (uint32_t i = 0; i < kDataSize; ++i)
                samples.data()[i] = uint8_t(i * 31 + (i >> 12));
            kx::WaveHeader h;
            h.nChannels = 2;
            h.nSamplesPerSec = 44100;
            h.wBitsPerSample = 16;
            h.nBlockAlign = 4;
            h.nAvgBytesPerSec = 176400;
            kx::writeWavFile(file, h, samples.bytes());
        }
        return file;
    }();
    return path;
}

void BM_ReadWav(benchmark::State& state)
{
    const std::string& file = inputFile();
    for (auto _ : state) {
        kx::WavFileContents contents;
        if (kx::readWavFile(file, contents) != kx::WavReadStatus::Ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(contents.samples.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
}

/// Argument 1: the editor's save, which waits for the disk; 0: wavetool's, which leaves that to the system.
void BM_WriteWav(benchmark::State& state)
{
    kx::WavFileContents contents;
    kx::readWavFile(inputFile(), contents);
    const std::string out = benchDirectory() + "/output.wav";
    kx::WavWriteOptions options;
    options.flushToDisk = state.range(0) != 0;
    for (auto _ : state) {
        if (kx::writeWavFile(out, contents.header, contents.samples.bytes(), options) != kx::WavWriteStatus::Ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
    std::filesystem::remove(out);
}

void BM_CpOfTheSameFile(benchmark::State& state)
{
    const std::string command = "cp '" + inputFile() + "' '" + benchDirectory() + "/cp.wav'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kDataSize);
    std::filesystem::remove(benchDirectory() + "/cp.wav");
}

/// Peak resident memory of a process that reads the file, relative to the data size.
void BM_ReadPeakMemory(benchmark::State& state)
{
    const std::string& file = inputFile();
    double ratio = 0;
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            kx::WavFileContents contents;
            _exit(kx::readWavFile(file, contents) == kx::WavReadStatus::Ok ? 0 : 1);
        }
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        ratio = double(usage.ru_maxrss) * 1024.0 / kDataSize;
    }
    state.counters["peak_over_data"] = ratio;
}

} // namespace

BENCHMARK(BM_ReadWav)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteWav)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CpOfTheSameFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
