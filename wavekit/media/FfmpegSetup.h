#pragma once

#include <memory>

struct SwrContext;

namespace kx {

/// Keeps FFmpeg's chatter off stderr (errors only); safe to call from any thread, any number of times.
void quietFfmpeg();

struct SwrContextFree {
    void operator()(SwrContext* context) const;
};
using SwrContextPointer = std::unique_ptr<SwrContext, SwrContextFree>;

} // namespace kx
