#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace kx {

/// One HTTP GET into a file: the way the Internet extension fetches its index and downloads.
struct TransferRequest {
    std::string url; ///< http or https
    std::string target; ///< the file that the body replaces once it is whole
    uint64_t sizeLimit = 0;
};

enum class TransferResult { Done, Failed, Cancelled };

/// What a running transfer has received, for a progress display on another thread.
struct TransferProgress {
    std::atomic<uint64_t> received { 0 };
    std::atomic<uint64_t> total { 0 }; ///< 0 while the length is not known
};

/// Fetches `request.url` with agent "Quell", HTTP/1.0 and the proxy of the environment
/// (http_proxy, https_proxy, no_proxy), following redirects to http and https only and checking
/// certificates. The body goes to a new temporary file beside the target, which is renamed over the
/// target (a link there is replaced, never followed) only when the status was 2xx and the whole,
/// non-empty body, as long as announced and within the size limit, arrived; otherwise the target
/// stays as it was. `cancel` is polled while the transfer runs. `status` gets the texts
/// the transfer dialog shows, on the calling thread.
TransferResult runTransfer(const TransferRequest& request, const std::atomic<bool>& cancel, TransferProgress& progress,
    const std::function<void(const char*)>& status);

} // namespace kx
