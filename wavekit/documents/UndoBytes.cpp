#include "UndoBytes.h"

#include "PendingFile.h"
#include "PrivateDirectory.h"

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kx {

namespace {

    std::atomic<uint64_t> g_inMemory { 0 };
    std::atomic<uint64_t> g_inFiles { 0 };

    constexpr const char* kNamePrefix = "KexUndo-";

    /// Files a program of ours that ended without removing them left behind: named files are made
    /// only where the file system has no unnamed ones, and lose their name at once, so only a
    /// crash in between leaves one. Those of programs that no longer run are removed.
    void removeLeftFiles(const std::string& directory)
    {
        DIR* listing = ::opendir(directory.c_str());
        if (!listing)
            return;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            if (name.rfind(kNamePrefix, 0) != 0)
                continue;
            const long pid = std::strtol(name.c_str() + std::strlen(kNamePrefix), nullptr, 10);
            if (pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                ::unlinkat(::dirfd(listing), name.c_str(), 0);
        }
        ::closedir(listing);
    }

    int createPrivateFile()
    {
        const std::string directory = undoDirectory();
        if (directory.empty())
            return -1;
        static std::mutex swept;
        static std::string sweptDirectory;
        {
            std::lock_guard guard(swept);
            if (sweptDirectory != directory) {
                removeLeftFiles(directory);
                sweptDirectory = directory;
            }
        }
        int fd = unnamedTemporaryFiles() ? ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600) : -1;
        if (fd >= 0)
            return fd;
        // Without unnamed files the name goes at once, so nothing is left behind after a crash.
        static std::atomic<unsigned> counter { 0 };
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            const std::string name = directory + "/" + kNamePrefix + std::to_string(::getpid()) + "-"
                + std::to_string(counter.fetch_add(1));
            fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd >= 0)
                ::unlink(name.c_str());
            else if (errno != EEXIST)
                break;
        }
        return fd;
    }

    /// Runs transfer(offset, count) over [0, size) in pieces until all is done; false on a failure.
    template <class Transfer> bool wholly(std::size_t size, Transfer transfer)
    {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = transfer(done, std::min<std::size_t>(size - done, 1 << 24));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += std::size_t(n);
        }
        return true;
    }

    bool writeAll(int fd, const uint8_t* bytes, std::size_t size)
    {
        // Reserved first, so that a full disk fails here rather than half way.
        if (size != 0 && ::posix_fallocate(fd, 0, off_t(size)) != 0)
            return false;
        return wholly(size, [&](std::size_t at, std::size_t n) { return ::pwrite(fd, bytes + at, n, off_t(at)); });
    }

    bool readAll(int fd, uint8_t* bytes, std::size_t size)
    {
        return wholly(size, [&](std::size_t at, std::size_t n) { return ::pread(fd, bytes + at, n, off_t(at)); });
    }

} // namespace

/// The one background thread that writes kept bytes to files, oldest request first. It is joined
/// when the program ends (after the write it is doing); requests after that are refused.
class UndoMover {
public:
    static UndoMover& instance()
    {
        // Kept until the very end, so that steps destroyed late still find it to refuse them.
        static auto* mover = [] {
            auto* made = new UndoMover;
            std::atexit([] { instance().shutDown(); });
            return made;
        }();
        return *mover;
    }

    /// False once the program is ending: the bytes then stay in memory.
    bool request(const std::shared_ptr<UndoBytes>& bytes)
    {
        {
            std::lock_guard guard(m_lock);
            if (m_closing)
                return false;
            m_queue.push_back(bytes);
            if (!m_thread.joinable())
                m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_all();
        return true;
    }

    void shutDown()
    {
        {
            std::lock_guard guard(m_lock);
            m_closing = true;
            m_queue.clear();
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void waitUntilIdle()
    {
        std::unique_lock guard(m_lock);
        m_idle.wait(guard, [this] { return m_queue.empty() && !m_writing; });
    }

private:
    void run()
    {
        for (;;) {
            std::weak_ptr<UndoBytes> next;
            {
                std::unique_lock guard(m_lock);
                m_writing = false;
                m_idle.notify_all();
                m_wake.wait(guard, [this] { return !m_queue.empty() || m_closing; });
                if (m_closing)
                    return;
                next = m_queue.front();
                m_queue.pop_front();
                m_writing = true;
            }
            if (auto bytes = next.lock())
                bytes->writeOut();
        }
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::weak_ptr<UndoBytes>> m_queue;
    std::thread m_thread;
    bool m_closing = false;
    bool m_writing = false;
};

UndoBytes::UndoBytes(SampleBuffer bytes)
    : m_memory(std::make_shared<SampleBuffer>(std::move(bytes)))
    , m_size(m_memory->size())
{
    g_inMemory += m_size;
}

std::shared_ptr<UndoBytes> UndoBytes::keep(SampleBuffer bytes)
{
    return std::shared_ptr<UndoBytes>(new UndoBytes(std::move(bytes)));
}

UndoBytes::~UndoBytes()
{
    drop();
}

void UndoBytes::drop()
{
    std::shared_ptr<SampleBuffer> memory;
    std::lock_guard guard(m_lock);
    if (m_memory && !m_moving)
        g_inMemory -= m_size;
    else if (m_memory || m_fd >= 0)
        g_inFiles -= m_size;
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    memory = std::move(m_memory); // freed after the lock
    m_moving = false;
}

bool UndoBytes::inFile() const
{
    std::lock_guard guard(m_lock);
    return m_fd >= 0;
}

bool UndoBytes::moveToFile()
{
    {
        std::lock_guard guard(m_lock);
        if (!m_memory || m_moving)
            return false;
        m_moving = true;
    }
    g_inMemory -= m_size;
    g_inFiles += m_size;
    if (UndoMover::instance().request(shared_from_this()))
        return true;
    std::lock_guard guard(m_lock);
    m_moving = false;
    g_inFiles -= m_size;
    g_inMemory += m_size;
    return false;
}

SampleBuffer UndoBytes::take()
{
    std::shared_ptr<SampleBuffer> memory;
    bool beingWritten = false;
    {
        std::lock_guard guard(m_lock);
        if (m_memory) {
            memory = std::move(m_memory);
            (m_moving ? g_inFiles : g_inMemory) -= m_size;
            m_moving = false;
            beingWritten = m_writing;
        }
    }
    if (memory) {
        // The writer may still be reading them; then they are copied, not taken from under it.
        if (!beingWritten)
            return std::move(*memory);
        SampleBuffer copy = SampleBuffer::copyOf(memory->bytes());
        if (copy.isNull() && m_size != 0) {
            std::lock_guard guard(m_lock);
            m_memory = std::move(memory);
            g_inMemory += m_size;
        }
        return copy;
    }
    SampleBuffer read = SampleBuffer::allocate(m_size);
    if (read.isNull() || m_fd < 0 || !readAll(m_fd, read.data(), m_size))
        return {};
    std::lock_guard guard(m_lock);
    ::close(std::exchange(m_fd, -1));
    g_inFiles -= m_size;
    return read;
}

void UndoBytes::writeOut()
{
    std::shared_ptr<SampleBuffer> memory;
    {
        std::lock_guard guard(m_lock);
        if (!m_moving)
            return; // taken back meanwhile
        memory = m_memory;
        m_writing = true;
    }
    int fd = createPrivateFile();
    if (fd >= 0 && !writeAll(fd, memory->data(), m_size)) {
        ::close(fd);
        fd = -1;
    }
    std::lock_guard guard(m_lock);
    m_writing = false;
    if (m_memory != memory || !m_moving) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_moving = false;
    if (fd < 0) {
        // No room for it: it stays in memory, and counts there again.
        g_inFiles -= m_size;
        g_inMemory += m_size;
        return;
    }
    m_fd = fd;
    m_memory.reset(); // the writer's reference is the last; the block goes with it, after the lock
}

uint64_t UndoBytes::bytesInMemory()
{
    return g_inMemory;
}

uint64_t UndoBytes::bytesInFiles()
{
    return g_inFiles;
}

void UndoBytes::waitForMoves()
{
    UndoMover::instance().waitUntilIdle();
}

} // namespace kx
