#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx {

/// A document's sample bytes: a heap block that can grow and shrink in place (large blocks are
/// remapped, not copied) and is not cleared on allocation, so loading a file touches each byte once.
/// Every reallocation leaves 128 bytes of slack after the data that nothing reads.
class SampleBuffer {
public:
    static constexpr std::size_t kSlack = 128;

    SampleBuffer() = default;
    ~SampleBuffer();
    SampleBuffer(SampleBuffer&& other) noexcept;
    SampleBuffer& operator=(SampleBuffer&& other) noexcept;
    SampleBuffer(const SampleBuffer&) = delete;
    SampleBuffer& operator=(const SampleBuffer&) = delete;

    /// A buffer of `size` bytes with undefined contents; a null buffer when memory is short.
    static SampleBuffer allocate(std::size_t size);
    /// A buffer holding a copy of `bytes`; a null buffer when memory is short.
    static SampleBuffer copyOf(std::span<const uint8_t> bytes);

    /// Changes the size keeping the first min(old, new) bytes. Returns false, and leaves the buffer
    /// exactly as it was, when the memory cannot be had.
    [[nodiscard]] bool resize(std::size_t size);
    /// Keeps the first `size` bytes; never fails and never moves the data.
    void truncate(std::size_t size);
    void reset();

    bool isNull() const { return m_data == nullptr; }
    uint8_t* data() { return m_data; }
    const uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    std::span<uint8_t> bytes() { return {m_data, m_size}; }
    std::span<const uint8_t> bytes() const { return {m_data, m_size}; }

private:
    uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace kx
