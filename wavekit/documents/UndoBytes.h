#pragma once

#include "SampleBuffer.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace kx {

/// The saved bytes of an older undo step: in memory until the history's memory budget moves them
/// to a file in the undo directory on disk (written in the background), then in that file. The file
/// has no name (or loses it at once), so it goes with the step, the program or a crash.
class UndoBytes : public std::enable_shared_from_this<UndoBytes> {
public:
    static std::shared_ptr<UndoBytes> keep(SampleBuffer bytes);
    ~UndoBytes();
    UndoBytes(const UndoBytes&) = delete;
    UndoBytes& operator=(const UndoBytes&) = delete;

    std::size_t size() const { return m_size; }
    /// The bytes in memory, read back from the file if they were moved. Null when the memory
    /// cannot be had or the file cannot be read; they stay kept then, for another try.
    SampleBuffer take();
    bool inFile() const;
    /// Asks the background writer to move the bytes to a file; false when they are there already
    /// or on their way.
    bool moveToFile();
    /// Gives the bytes up now, also while the writer still holds this object.
    void drop();

    /// Bytes of all kept steps in memory that are not on their way to a file, and bytes in files
    /// or on their way there.
    static uint64_t bytesInMemory();
    static uint64_t bytesInFiles();
    /// Waits until every requested move is done (tests and measurements).
    static void waitForMoves();

private:
    explicit UndoBytes(SampleBuffer bytes);
    friend class UndoMover;
    void writeOut();

    // Held only to hand pointers over, never while copying or writing.
    mutable std::mutex m_lock;
    std::shared_ptr<SampleBuffer> m_memory;
    int m_fd = -1;
    bool m_moving = false;
    bool m_writing = false; ///< the writer reads m_memory's bytes
    const std::size_t m_size;
};

} // namespace kx
