#pragma once

#include "AudioSource.h"
#include "documents/PcmFormat.h"
#include "documents/SharedDocument.h"

#include <cstdint>
#include <memory>

namespace kx {

/// The bytes of a document that a play command sends: the mark when one is set, else all data.
struct PlayRange {
    uint32_t start = 0;
    uint32_t length = 0;

    static PlayRange of(const WaveDocument& document);
};

/// Streams a range of a shared document, block by block, optionally over and over.
///
/// It owns a reference to the document, so the sample block outlives the playback even when its
/// window closes, and it copies each block out under the document's shared lock, so an operation
/// that resizes or moves the samples (under the exclusive lock) never leaves it reading freed
/// memory. Should the data shrink or the format change while it plays, it plays what is still
/// there or ends.
class DocumentSource final : public AudioSource {
public:
    DocumentSource(std::shared_ptr<SharedDocument> document, PlayRange range, bool loop);

    std::size_t read(std::span<uint8_t> out) override;

    const PcmFormat& format() const { return m_format; }
    const std::shared_ptr<SharedDocument>& document() const { return m_document; }

private:
    std::shared_ptr<SharedDocument> m_document;
    PcmFormat m_format;
    PlayRange m_range;
    bool m_loop;
    uint64_t m_position; ///< next byte offset in the sample data
};

} // namespace kx
