#pragma once

// Small in-memory documents for the filter tests.

#include "documents/WaveDocument.h"

#include <cstring>
#include <vector>

namespace kx::test {

inline WaveDocument documentOf(const void* bytes, std::size_t size, uint16_t bits, uint16_t channels)
{
    WaveDocument document;
    WaveHeader& h = document.header;
    h.wBitsPerSample = bits;
    h.nChannels = channels;
    h.nSamplesPerSec = 22050;
    h.nBlockAlign = uint16_t(channels * bits / 8);
    h.nAvgBytesPerSec = h.nSamplesPerSec * h.nBlockAlign;
    document.samples = SampleBuffer::allocate(size);
    if (size)
        std::memcpy(document.samples.data(), bytes, size);
    h.setDataSize(uint32_t(size));
    return document;
}

inline WaveDocument eightBit(const std::vector<uint8_t>& bytes, uint16_t channels = 1)
{
    return documentOf(bytes.data(), bytes.size(), 8, channels);
}

inline WaveDocument sixteenBit(const std::vector<int16_t>& samples, uint16_t channels = 1)
{
    return documentOf(samples.data(), samples.size() * 2, 16, channels);
}

inline std::vector<uint8_t> bytesOf(const WaveDocument& document)
{
    const uint8_t* data = document.samples.data();
    return std::vector<uint8_t>(data, data + document.header.dataSize);
}

inline std::vector<int16_t> samplesOf(const WaveDocument& document)
{
    std::vector<int16_t> samples(document.header.dataSize / 2);
    if (!samples.empty())
        std::memcpy(samples.data(), document.samples.data(), samples.size() * 2);
    return samples;
}

inline void mark(WaveDocument& document, uint32_t start, uint32_t length)
{
    document.mark.markStart = start;
    document.mark.markLength = length;
}

} // namespace kx::test
