#include "FfmpegSetup.h"

#include <mutex>

extern "C" {
#include <libavutil/log.h>
#include <libswresample/swresample.h>
}

namespace kx {

void quietFfmpeg()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

void SwrContextFree::operator()(SwrContext* context) const
{
    swr_free(&context);
}

} // namespace kx
