#include "SampleBuffer.h"

#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace kx {

namespace {

    constexpr std::size_t kHugeBlock = std::size_t(64) << 20;

    /// A large block is filled page by page by whatever first writes it (a paste's move, a read);
    /// in 2 MB pages that costs a five-hundredth of the page faults. The advice covers every page
    /// the block touches, so that its mapping stays one piece: split in two, it could no longer be
    /// remapped and every growth would copy it. The kernel uses 2 MB pages where they fit whole;
    /// where the advice is refused the block simply stays in small pages. Given after every
    /// (re)allocation, as a reallocation may move the block.
    void preferHugePages(uint8_t* data, std::size_t size)
    {
        if (!data || size < kHugeBlock)
            return;
        const auto page = uintptr_t(::sysconf(_SC_PAGESIZE));
        const auto first = reinterpret_cast<uintptr_t>(data) & ~(page - 1);
        const auto end = (reinterpret_cast<uintptr_t>(data) + size + SampleBuffer::kSlack + page - 1) & ~(page - 1);
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }

} // namespace

SampleBuffer::~SampleBuffer()
{
    std::free(m_data);
}

SampleBuffer::SampleBuffer(SampleBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
{
}

SampleBuffer& SampleBuffer::operator=(SampleBuffer&& other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

SampleBuffer SampleBuffer::allocate(std::size_t size)
{
    SampleBuffer buffer;
    buffer.m_data = static_cast<uint8_t*>(std::malloc(size + kSlack));
    buffer.m_size = buffer.m_data ? size : 0;
    preferHugePages(buffer.m_data, buffer.m_size);
    return buffer;
}

SampleBuffer SampleBuffer::copyOf(std::span<const uint8_t> bytes)
{
    SampleBuffer buffer = allocate(bytes.size());
    if (!buffer.isNull() && !bytes.empty())
        std::memcpy(buffer.m_data, bytes.data(), bytes.size());
    return buffer;
}

bool SampleBuffer::resize(std::size_t size)
{
    if (size > SIZE_MAX - kSlack)
        return false;
    auto* grown = static_cast<uint8_t*>(std::realloc(m_data, size + kSlack));
    if (!grown)
        return false;
    m_data = grown;
    m_size = size;
    preferHugePages(m_data, m_size);
    return true;
}

void SampleBuffer::truncate(std::size_t size)
{
    if (size < m_size)
        m_size = size;
}

void SampleBuffer::reset()
{
    std::free(std::exchange(m_data, nullptr));
    m_size = 0;
}

} // namespace kx
