#include "StreamingCopy.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kx {

void copyPastCache(uint8_t* target, const uint8_t* source, std::size_t length)
{
#if defined(__x86_64__)
    // Below a few pages the copy stays in the cache anyway and plain stores are cheaper.
    constexpr std::size_t kSmallest = 8192;
    if (length >= kSmallest) {
        const std::size_t head = (16 - reinterpret_cast<uintptr_t>(target) % 16) % 16;
        std::memcpy(target, source, head);
        std::size_t i = head;
        for (; i + 64 <= length; i += 64) {
            const auto* from = reinterpret_cast<const __m128i*>(source + i);
            auto* to = reinterpret_cast<__m128i*>(target + i);
            const __m128i a = _mm_loadu_si128(from);
            const __m128i b = _mm_loadu_si128(from + 1);
            const __m128i c = _mm_loadu_si128(from + 2);
            const __m128i d = _mm_loadu_si128(from + 3);
            _mm_stream_si128(to, a);
            _mm_stream_si128(to + 1, b);
            _mm_stream_si128(to + 2, c);
            _mm_stream_si128(to + 3, d);
        }
        // Streaming stores are weakly ordered: make them visible before anyone reads the copy.
        _mm_sfence();
        std::memcpy(target + i, source + i, length - i);
        return;
    }
#endif
    std::memcpy(target, source, length);
}

} // namespace kx
