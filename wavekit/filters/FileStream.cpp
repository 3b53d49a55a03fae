#include "FileStream.h"

#include "MovingAverage.h"
#include "PeakVolume.h"
#include "Reverse.h"
#include "Volume.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

    /// Every frame size of the formats divides this, so a block of a multiple of it ends on a frame.
    constexpr std::size_t kAllFrames = 4;

    template <class Fn> decltype(auto) typed(const WaveHeader& header, std::span<uint8_t> bytes, Fn&& fn)
    {
        if (isEightBit(header))
            return fn(bytes);
        return fn(std::span<int16_t>(reinterpret_cast<int16_t*>(bytes.data()), bytes.size() / 2));
    }

} // namespace

FileStream::FileStream(const WavStreamReader& source, const std::string& path, const WavWriteOptions& options,
    std::size_t blockBytes, std::size_t splitBytes)
    : m_source(source)
    , m_path(path)
    , m_options(options)
    , m_block(std::max(kAllFrames, blockBytes / kAllFrames * kAllFrames))
    , m_splitBytes(splitBytes)
{
}

WavStreamWriter& FileStream::writer(uint32_t dataSize)
{
    if (!m_writer) {
        WaveHeader header = m_source.header();
        header.setDataSize(dataSize);
        m_writer.emplace(m_path, header, m_options);
    }
    return *m_writer;
}

bool FileStream::read(uint64_t offset, std::span<uint8_t> bytes)
{
    if (m_readStatus != WavReadStatus::Ok)
        return false;
    if (m_source.read(offset, bytes))
        return true;
    // As the document's reader says it when the data cannot be read whole.
    m_readStatus = WavReadStatus::CannotAscend;
    return false;
}

bool FileStream::pass(uint64_t from, uint64_t to)
{
    writer(m_source.header().dataSize);
    // The kernel copies between files without the bytes passing through this process.
    if (from < to && m_writer->copyFrom(m_source.descriptor(), m_source.dataOffset() + from, from, to - from))
        return true;
    for (uint64_t at = from; at < to && m_writer->status() == WavWriteStatus::Ok;) {
        const auto length = std::size_t(std::min<uint64_t>(m_block.size(), to - at));
        const std::span<uint8_t> block(m_block.data(), length);
        if (!read(at, block) || !m_writer->writeAt(at, block))
            return false;
        at += length;
    }
    return m_writer->status() == WavWriteStatus::Ok;
}

StreamStatus FileStream::finish()
{
    if (m_readStatus != WavReadStatus::Ok)
        return { m_readStatus, WavWriteStatus::Ok };
    return { WavReadStatus::Ok, writer(m_source.header().dataSize).commit() };
}

StreamStatus FileStream::copy()
{
    pass(0, m_source.header().dataSize);
    return finish();
}

void FileStream::changeBlocks(const BlockChange& change, std::size_t blockBytes, std::span<uint8_t> buffer)
{
    const ByteRange range = change.range;
    for (;;) {
        const std::size_t offset = m_nextBlock.fetch_add(blockBytes);
        if (offset >= range.length || m_readStatus != WavReadStatus::Ok || m_writer->status() != WavWriteStatus::Ok)
            return;
        const std::span<uint8_t> block = buffer.first(std::min<std::size_t>(blockBytes, range.length - offset));
        if (!read(range.start + offset, block))
            return;
        change.change(block, offset, nullptr);
        if (!m_writer->writeAt(range.start + offset, block))
            return;
    }
}

StreamStatus FileStream::change(const BlockChange& change)
{
    const ByteRange range = change.range;
    if (!change.change)
        return copy();
    if (!pass(0, range.start))
        return finish();
    // Half the buffer for each core; a block is whole grains.
    const std::size_t half = m_block.size() / 2;
    const std::size_t blockBytes = std::max<std::size_t>(change.grain, half / change.grain * change.grain);
    if (m_block.size() < 2 * blockBytes)
        m_block.resize(2 * blockBytes);
    const std::span<uint8_t> first(m_block.data(), blockBytes);
    const std::span<uint8_t> second(m_block.data() + blockBytes, blockBytes);
    m_nextBlock = 0;
    // Each core reads, changes and writes whole blocks of its own, taking the next one free: the
    // reading, the arithmetic and the writing of the two overlap.
    const bool both = range.length >= m_splitBytes && m_secondCore.available();
    if (both)
        m_secondCore.start([&] { changeBlocks(change, blockBytes, second); });
    changeBlocks(change, blockBytes, first);
    if (both)
        m_secondCore.join();
    if (m_readStatus != WavReadStatus::Ok || m_writer->status() != WavWriteStatus::Ok)
        return finish();
    pass(range.end(), m_source.header().dataSize);
    return finish();
}

StreamStatus FileStream::peak(ByteRange working)
{
    const WaveHeader& header = m_source.header();
    const ByteRange range = wholeSamples(header, working);
    int32_t loudest = 0;
    for (std::size_t offset = 0; offset < range.length;) {
        const std::size_t length = std::min<std::size_t>(m_block.size(), range.length - offset);
        const std::span<uint8_t> block(m_block.data(), length);
        if (!read(range.start + offset, block))
            return finish();
        typed(header, block, [&](auto samples) {
            using Sample = typename decltype(samples)::element_type;
            loudest = std::max(loudest, peakMagnitude(std::span<const Sample>(samples)));
        });
        offset += length;
    }
    return change(peakChange(header, range, loudest));
}

StreamStatus FileStream::reverse(ByteRange working)
{
    const WaveHeader& header = m_source.header();
    const ByteRange range = reversedFrames(header, working);
    const std::size_t frame = reversedFrameBytes(header);
    const std::size_t count = range.length / frame;
    // Half the block for each end, whole frames of any size.
    const std::size_t blockFrames = std::max<std::size_t>(1, m_block.size() / 2 / frame);
    if (m_block.size() < 2 * blockFrames * frame)
        m_block.resize(2 * blockFrames * frame);
    if (!pass(0, range.start))
        return finish();
    for (std::size_t first = 0; first < count / 2;) {
        const std::size_t n = std::min(blockFrames, count / 2 - first);
        const std::span<uint8_t> low(m_block.data(), n * frame);
        const std::span<uint8_t> high(m_block.data() + n * frame, n * frame);
        const uint64_t lowAt = range.start + first * frame;
        const uint64_t highAt = range.start + (count - first - n) * frame;
        if (!read(lowAt, low) || !read(highAt, high))
            return finish();
        swapMirrored(low.data(), high.data() + high.size(), frame, n);
        if (!m_writer->writeAt(lowAt, low) || !m_writer->writeAt(highAt, high))
            return finish();
        first += n;
    }
    // The middle frame of an odd count stays, and so does everything after the range.
    pass(range.start + count / 2 * frame, range.start + (count - count / 2) * frame);
    pass(range.end(), header.dataSize);
    return finish();
}

StreamStatus FileStream::soften(ByteRange working, uint32_t strength)
{
    const WaveHeader& header = m_source.header();
    const ByteRange range = wholeFrames(header, working);
    const std::size_t frame = frameBytes(header);
    const std::size_t frames = range.length / frame;
    MovingAverageRun run(header.nChannels, smoothingWindow(strength));
    const std::size_t window = run.window();
    if (frames <= window)
        return copy();
    if (!pass(0, range.start))
        return finish();
    // The block holds the frames being averaged and the window after them.
    const std::size_t blockFrames = std::max(window + 1, m_block.size() / frame);
    if (m_block.size() < blockFrames * frame)
        m_block.resize(blockFrames * frame);
    std::size_t base = 0; // the first frame in the block
    std::size_t held = std::min(blockFrames, frames);
    if (!read(range.start, { m_block.data(), held * frame }))
        return finish();
    typed(header, m_block, [&](auto samples) { run.start(samples.data()); });
    while (base + window < frames) {
        const std::size_t averaged = held - window;
        typed(header, m_block, [&](auto samples) { run.advance(samples.data(), averaged); });
        if (!m_writer->writeAt(range.start + base * frame, { m_block.data(), averaged * frame }))
            return finish();
        std::memmove(m_block.data(), m_block.data() + averaged * frame, window * frame);
        base += averaged;
        const std::size_t more = std::min(blockFrames - window, frames - base - window);
        if (!read(range.start + (base + window) * frame, { m_block.data() + window * frame, more * frame }))
            return finish();
        held = window + more;
    }
    // The last frames have no window ahead of them and keep their values.
    if (!m_writer->writeAt(range.start + base * frame, { m_block.data(), held * frame }))
        return finish();
    pass(range.end(), header.dataSize);
    return finish();
}

StreamStatus FileStream::velocity(const VelocityPlan& plan, const VelocityParameters& parameters)
{
    if (plan.inputFrames == 0)
        return copy();
    const std::size_t frame = plan.frameSize;
    WavStreamWriter& out = writer(uint32_t(plan.outputFrames * frame));
    MovingAverageRun run(plan.channels, smoothingWindow(parameters.smoothStrength));
    // A sequence no longer than the window keeps its values.
    const bool smooth = parameters.smooth && plan.outputFrames > run.window();
    const std::size_t kept = smooth ? run.window() : 0;
    // The output block holds what is gathered and, when smoothing, the window kept back.
    const std::size_t capacity = std::max(2 * kept + 1, m_block.size() / frame);
    std::vector<uint8_t> output(capacity * frame);
    // Input frames one gathering may read: at most speed per output frame, and one more.
    const std::size_t inputCapacity = std::max<std::size_t>(2, m_block.size() / frame);
    const auto perRead = std::size_t(double(inputCapacity - 2) / plan.speed) + 1;
    bool started = false;
    std::size_t held = 0;
    for (std::size_t produced = 0; produced < plan.outputFrames;) {
        const std::size_t count = std::min({ capacity - held, plan.outputFrames - produced, perRead });
        const std::size_t first = velocitySource(plan, produced);
        const std::size_t last = velocitySource(plan, produced + count - 1);
        const std::size_t inputBytes = (last - first + 1) * frame;
        if (inputBytes > m_block.size())
            m_block.resize(inputBytes);
        if (!read(uint64_t(first) * frame, { m_block.data(), inputBytes }))
            return finish();
        gatherFrames(plan, output.data() + held * frame, produced, count, m_block.data(), first);
        held += count;
        produced += count;
        std::size_t ready = held;
        if (smooth) {
            if (!started && held > kept) {
                typed(m_source.header(), output, [&](auto samples) { run.start(samples.data()); });
                started = true;
            }
            ready = !started ? 0 : produced == plan.outputFrames ? held : held - kept;
            const std::size_t averaged = started ? held - kept : 0;
            typed(m_source.header(), output, [&](auto samples) { run.advance(samples.data(), averaged); });
        }
        if (!out.write({ output.data(), ready * frame }))
            return finish();
        std::memmove(output.data(), output.data() + ready * frame, (held - ready) * frame);
        held -= ready;
    }
    return finish();
}

} // namespace kx
