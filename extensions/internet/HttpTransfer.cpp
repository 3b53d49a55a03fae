#include "HttpTransfer.h"

#include <curl/curl.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <random>
#include <unistd.h>

namespace kx {

namespace {

    /// The body's temporary file beside the target: created new (never through a link planted at
    /// its name), renamed over the target when whole, removed otherwise.
    class TemporaryFile {
    public:
        explicit TemporaryFile(const std::string& target)
            : m_target(target)
        {
            const std::size_t slash = target.rfind('/');
            const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
            std::random_device random;
            for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
                m_path = dir + ".kexinet-" + std::to_string(random()) + ".part";
                m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
                if (m_fd < 0 && errno != EEXIST)
                    break;
            }
        }
        ~TemporaryFile()
        {
            if (m_fd >= 0) {
                ::close(m_fd);
                ::unlink(m_path.c_str());
            }
        }
        bool isOpen() const { return m_fd >= 0; }
        bool write(const char* data, std::size_t size)
        {
            while (size > 0) {
                const ssize_t written = ::write(m_fd, data, size);
                if (written < 0 && errno == EINTR)
                    continue;
                if (written <= 0)
                    return false;
                data += written;
                size -= std::size_t(written);
            }
            return true;
        }
        /// rename() replaces a link at the target's name, never the file it points to.
        bool commit()
        {
            const bool synced = ::fsync(m_fd) == 0;
            const bool closed = ::close(m_fd) == 0;
            m_fd = -1;
            if (synced && closed && ::rename(m_path.c_str(), m_target.c_str()) == 0)
                return true;
            ::unlink(m_path.c_str());
            return false;
        }

    private:
        std::string m_target;
        std::string m_path;
        int m_fd = -1;
    };

    struct Transfer {
        TemporaryFile* file = nullptr;
        const std::atomic<bool>* cancel = nullptr;
        TransferProgress* progress = nullptr;
        const std::function<void(const char*)>* status = nullptr;
        CURL* curl = nullptr;
        uint64_t sizeLimit = 0;
        bool bodyStarted = false;
        bool refused = false; ///< a status other than 2xx, or the body over the limit
    };

    bool successful(CURL* curl)
    {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return code >= 200 && code < 300;
    }

    size_t writeBody(char* data, size_t size, size_t count, void* user)
    {
        auto* transfer = static_cast<Transfer*>(user);
        const size_t bytes = size * count;
        if (!transfer->bodyStarted) {
            transfer->bodyStarted = true;
            // An error page is no download: stop before any of it is kept.
            if (!successful(transfer->curl)) {
                transfer->refused = true;
                return 0; // fewer bytes than given ends the transfer
            }
            (*transfer->status)("Downloading file...");
        }
        const uint64_t received = transfer->progress->received + bytes;
        if (received > transfer->sizeLimit) {
            transfer->refused = true;
            return 0; // fewer bytes than given ends the transfer
        }
        if (!transfer->file->write(data, bytes))
            return 0; // fewer bytes than given ends the transfer
        transfer->progress->received = received;
        return bytes;
    }

    int onProgress(void* user, curl_off_t total, curl_off_t, curl_off_t, curl_off_t)
    {
        auto* transfer = static_cast<Transfer*>(user);
        if (total > 0)
            transfer->progress->total = uint64_t(total);
        return transfer->cancel->load() ? 1 : 0; // nonzero aborts the transfer
    }

    int onConnected(void* user, char*, char*, int, int)
    {
        (*static_cast<Transfer*>(user)->status)("Connecting to server...");
        return CURL_PREREQFUNC_OK;
    }

    void initialiseCurl()
    {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

} // namespace

TransferResult runTransfer(const TransferRequest& request, const std::atomic<bool>& cancel, TransferProgress& progress,
    const std::function<void(const char*)>& status)
{
    initialiseCurl();
    status("Establishing connection...");
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return TransferResult::Failed;
    TemporaryFile file(request.target);
    if (!file.isOpen())
        return TransferResult::Failed;
    Transfer transfer { &file, &cancel, &progress, &status, curl.get(), request.sizeLimit };

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Quell");
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L); // runs on a thread of its own
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.sizeLimit));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, onConnected);
    curl_easy_setopt(handle, CURLOPT_PREREQDATA, &transfer);

    const CURLcode code = curl_easy_perform(handle);
    if (cancel)
        return TransferResult::Cancelled; // the save file is dropped with its temporary
    // A body shorter than its Content-Length is CURLE_PARTIAL_FILE. An empty body never reached
    // the write callback, and an empty reply replaces nothing.
    if (code != CURLE_OK || transfer.refused || !successful(handle) || progress.received == 0)
        return TransferResult::Failed;
    status("Download complete.");
    return file.commit() ? TransferResult::Done : TransferResult::Failed;
}

} // namespace kx
