#pragma once

// The document the recovery tests keep: the same in the child that writes its copy and in the
// test that reads it back.

#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

namespace kx::test {

/// Two megabytes of 16-bit stereo whose every byte depends on its place and `seed`, with a mark,
/// texts and a name.
inline WaveDocument recoveryDocument(uint8_t seed)
{
    WaveDocument d;
    PcmFormat { 16, 2, 44100 }.applyTo(d.header);
    const uint32_t size = 2u << 20;
    d.samples = SampleBuffer::allocate(size);
    for (uint32_t i = 0; i < size; ++i)
        d.samples.data()[i] = uint8_t(i * 31 + (i >> 9) + seed);
    d.header.setDataSize(size);
    d.mark = { 4096, 8192, 0, 1000, 50 };
    d.texts.hasInfoList = 1;
    d.texts.title = "Take Two";
    d.texts.comment = "kept through a crash";
    d.info.fileName = "/music/take two.wav";
    d.info.hasFile = true;
    d.info.saved = 0;
    return d;
}

} // namespace kx::test
