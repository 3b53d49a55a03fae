// wavetool's whole-file commands against `cat IN > OUT`, the floor for a program that passes the
// bytes through memory once, and against sox doing the same jobs: time as a multiple of cat's and
// peak memory, for a 10-minute 44.1 kHz stereo file and a 600 MB file, page cache warm.
#include "documents/PcmFormat.h"
#include "documents/WavWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Run {
    double ms = 0;
    double peakMb = 0;
    bool ok = false;
};

/// Runs `argv` (stdout to `output` when given) and measures its wall time and its peak resident
/// memory, which wait4 reports for the child alone.
Run runOnce(const std::vector<std::string>& argv, const std::string& output)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        if (!output.empty()) {
            const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0)
                ::_exit(127);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child)
        return {};
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return { elapsed.count(), double(usage.ru_maxrss) / 1024.0, WIFEXITED(status) && WEXITSTATUS(status) == 0 };
}

/// The best of a few runs, each into a fresh OUT with nothing of the last one left to write back.
Run best(const std::vector<std::string>& argv, const std::string& out, bool toStdout)
{
    Run fastest;
    for (int i = 0; i < 3; ++i) {
        fs::remove(out);
        ::sync();
        const Run run = runOnce(argv, toStdout ? out : std::string());
        if (!run.ok)
            return run;
        if (!fastest.ok || run.ms < fastest.ms)
            fastest = run;
    }
    fs::remove(out);
    return fastest;
}

/// A 44.1 kHz 16-bit stereo file of `bytes` bytes of data that is not silence.
bool makeFile(const std::string& path, uint32_t bytes)
{
    kx::WaveHeader header;
    kx::PcmFormat { 16, 2, 44100 }.applyTo(header);
    header.setDataSize(bytes);
    kx::WavStreamWriter writer(path, header);
    std::vector<int16_t> block(1 << 19);
    uint32_t state = 12345;
    for (uint64_t done = 0; done < bytes;) {
        for (int16_t& sample : block) {
            state = state * 1664525u + 1013904223u;
            sample = int16_t(int32_t(state >> 16) / 3);
        }
        const auto length = std::min<uint64_t>(block.size() * 2, bytes - done);
        if (!writer.write({ reinterpret_cast<const uint8_t*>(block.data()), std::size_t(length) }))
            return false;
        done += length;
    }
    return writer.commit() == kx::WavWriteStatus::Ok;
}

void warm(const std::string& path)
{
    runOnce({ "cat", path }, "/dev/null");
}

struct Job {
    const char* name;
    std::vector<std::string> wavetool; ///< after IN OUT are appended
    std::vector<std::string> sox; ///< the effect after sox IN OUT
    double target; ///< wavetool's time as a multiple of cat's
};

void measureFile(const char* title, const std::string& in, const std::string& out, double seconds)
{
    warm(in);
    const Run cat = best({ "cat", in }, out, true);
    std::printf("\n%s: %.0f MB, cat IN > OUT %.0f ms, %.1f MB peak\n", title, double(fs::file_size(in)) / 1e6, cat.ms,
        cat.peakMb);
    std::printf(
        "  %-18s %10s %8s %8s %10s %8s %8s\n", "job", "wavetool", "x cat", "peak MB", "sox", "x cat", "peak MB");
    char fade[32];
    std::snprintf(fade, sizeof fade, "%.3f", seconds);
    const Job jobs[] = {
        { "copy", { "copy" }, {}, 1.5 },
        { "volume 200 %", { "apply", "volume", "percent=200" }, { "vol", "2" }, 1.5 },
        { "fade in from 10 %", { "apply", "fadein", "percent=10" }, { "fade", "t", fade }, 2.0 },
        { "reverse", { "apply", "reverse" }, { "reverse" }, 2.0 },
    };
    for (const Job& job : jobs) {
        std::vector<std::string> ours = { KX_WAVETOOL };
        ours.insert(ours.end(), job.wavetool.begin(), job.wavetool.end());
        ours.insert(ours.end(), { in, out });
        std::vector<std::string> sox = { "sox", "-V1", in, out };
        sox.insert(sox.end(), job.sox.begin(), job.sox.end());
        const Run a = best(ours, out, false);
        const Run b = best(sox, out, false);
        std::printf("  %-18s %8.0f ms %7.2fx %8.1f %7.0f ms %7.2fx %8.1f   target %.1fx: %s\n", job.name, a.ms,
            a.ms / cat.ms, a.peakMb, b.ms, b.ms / cat.ms, b.peakMb, job.target,
            !a.ok                                              ? "FAILED"
                : a.ms <= job.target * cat.ms && a.peakMb < 64 ? "met"
                                                               : "missed");
        if (!b.ok)
            std::printf("  (sox did not run: scripts/install-deps installs it)\n");
    }
}

} // namespace

int main()
{
    const char* chosen = std::getenv("KX_BENCH_DIR");
    const fs::path dir = fs::path(chosen ? chosen : fs::temp_directory_path().string()) / "kx-stream-bench";
    fs::create_directories(dir);
    const std::string tenMinutes = (dir / "ten-minutes.wav").string();
    const std::string large = (dir / "large.wav").string();
    const std::string out = (dir / "out.wav").string();
    constexpr uint32_t kTenMinutes = 600 * 176400;
    constexpr uint32_t kLarge = 600u * 1000u * 1000u;
    if (!makeFile(tenMinutes, kTenMinutes) || !makeFile(large, kLarge)) {
        std::fprintf(stderr, "cannot write the test files in %s\n", dir.c_str());
        return 1;
    }
    measureFile("10 minutes, 44.1 kHz stereo", tenMinutes, out, 600.0);
    measureFile("600 MB", large, out, double(kLarge) / 176400.0);
    fs::remove_all(dir);
    return 0;
}
