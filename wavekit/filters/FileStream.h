#pragma once

#include "BlockChange.h"
#include "SecondCore.h"
#include "Velocity.h"
#include "documents/WavReader.h"
#include "documents/WavStreamReader.h"
#include "documents/WavWriter.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kx {

/// How a streamed file ended: the first failure, on the reading or the writing side.
struct StreamStatus {
    WavReadStatus read = WavReadStatus::Ok;
    WavWriteStatus write = WavWriteStatus::Ok;
    /// The result would not fit a WAV file: nothing was written.
    bool tooLarge = false;

    bool ok() const { return read == WavReadStatus::Ok && write == WavWriteStatus::Ok && !tooLarge; }
    /// The user-visible text of the failure; "" for none.
    const char* message() const
    {
        if (tooLarge)
            return "Not enough memory.";
        return read != WavReadStatus::Ok ? wavReadMessage(read) : wavWriteMessage(write);
    }
};

/// A megabyte (half for each core where a change runs on two): large enough that the calls cost
/// nothing, small enough that a block is still in the core's own cache when it is written out
/// (measured: 2 and 4 MB were slower by a tenth and a quarter).
inline constexpr std::size_t kStreamBlockBytes = std::size_t(1) << 20;
/// Below this, a range is changed on one core: starting the second costs more than it saves.
inline constexpr std::size_t kSplitRangeBytes = std::size_t(1) << 17;

/// The data of an open PCM WAV file written to a new WAV file of the same format, a block at a
/// time, in memory that does not grow with the file: unchanged, or through one filter. The new file
/// is written like every other (temporary beside the target, renamed once whole; nothing is left
/// on a failure). Each run ends the stream.
class FileStream {
public:
    /// `blockBytes` is rounded down to whole frames of any format; ranges of `splitBytes` and more
    /// are changed on two cores (tests take small blocks and use both cores on every range).
    FileStream(const WavStreamReader& source, const std::string& path, const WavWriteOptions& options = {},
        std::size_t blockBytes = kStreamBlockBytes, std::size_t splitBytes = kSplitRangeBytes);

    StreamStatus copy();
    StreamStatus change(const BlockChange& change);
    /// setMaxVolume: one pass measures the loudest sample, the second scales.
    StreamStatus peak(ByteRange working);
    /// reverse: a block from each end of the range, turned around and written at the other end.
    StreamStatus reverse(ByteRange working);
    /// soften: the moving average reaches `window` frames ahead, which each block keeps back for
    /// the next.
    StreamStatus soften(ByteRange working, uint32_t strength);
    /// changeVelocity: the output frames gathered from the input frames they read, then smoothed
    /// as soften does. The caller has refused what `plan` refuses; a plan without input copies.
    StreamStatus velocity(const VelocityPlan& plan, const VelocityParameters& parameters);

private:
    /// The writer of a result of `dataSize` bytes of data, made by the first call.
    WavStreamWriter& writer(uint32_t dataSize);
    /// Copies the data bytes [from, to) as they are.
    bool pass(uint64_t from, uint64_t to);
    bool read(uint64_t offset, std::span<uint8_t> bytes);
    /// Reads, changes and writes the next free block of the change's range until none is left or
    /// a step fails; run on both cores at once where there are two, since each sample's new value
    /// depends only on its own value and its position in the range.
    void changeBlocks(const BlockChange& change, std::size_t blockBytes, std::span<uint8_t> buffer);
    StreamStatus finish();

    const WavStreamReader& m_source;
    std::string m_path;
    WavWriteOptions m_options;
    std::optional<WavStreamWriter> m_writer;
    std::vector<uint8_t> m_block;
    std::size_t m_splitBytes;
    /// The first failure to read; both cores may set it at once.
    std::atomic<WavReadStatus> m_readStatus { WavReadStatus::Ok };
    SecondCore m_secondCore;
    /// The offset in the range of the next block a core takes.
    std::atomic<std::size_t> m_nextBlock { 0 };
};

} // namespace kx
