#include "SampleBuffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace kx {

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
