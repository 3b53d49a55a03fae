#pragma once

#include "BlockChange.h"
#include "SecondCore.h"
#include "Velocity.h"
#include "documents/WavReader.h"
#include "documents/WavStreamReader.h"
#include "documents/WavWriter.h"

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

/// Blocks of a few megabytes: large enough that the calls cost nothing, small enough that a block
/// is still in the cache when it is written out.
inline constexpr std::size_t kStreamBlockBytes = std::size_t(1) << 21;
/// Below this, handing half a block to the second core costs more than it saves.
inline constexpr std::size_t kSplitBlockBytes = std::size_t(1) << 17;

/// The data of an open PCM WAV file written to a new WAV file of the same format, a block at a
/// time, in memory that does not grow with the file: unchanged, or through one filter. The new file
/// is written like every other (temporary beside the target, renamed once whole; nothing is left
/// on a failure). Each run ends the stream.
class FileStream {
public:
    /// `blockBytes` is rounded down to whole frames of any format; blocks of `splitBytes` and more
    /// are changed on two cores (tests take small blocks and split them all).
    FileStream(const WavStreamReader& source, const std::string& path, const WavWriteOptions& options = {},
        std::size_t blockBytes = kStreamBlockBytes, std::size_t splitBytes = kSplitBlockBytes);

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
    /// A block's change, its halves on two cores where there are two: each sample's new value
    /// depends only on its own value and its position in the range.
    void changeOnBothCores(const BlockChange& change, std::span<uint8_t> block, std::size_t offset);
    StreamStatus finish();

    const WavStreamReader& m_source;
    std::string m_path;
    WavWriteOptions m_options;
    std::optional<WavStreamWriter> m_writer;
    std::vector<uint8_t> m_block;
    std::size_t m_splitBytes;
    WavReadStatus m_readStatus = WavReadStatus::Ok;
    SecondCore m_secondCore;
};

} // namespace kx
