#include "HttpTransfer.h"

#include <QSaveFile>
#include <QString>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace kx {

namespace {

    struct Transfer {
        QSaveFile* file = nullptr;
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
        if (transfer->file->write(data, qint64(bytes)) != qint64(bytes))
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
    QSaveFile file(QString::fromStdString(request.target));
    if (!file.open(QIODevice::WriteOnly))
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
    // An empty body never reached the write callback.
    if (code != CURLE_OK || transfer.refused || !successful(handle))
        return TransferResult::Failed;
    status("Download complete.");
    return file.commit() ? TransferResult::Done : TransferResult::Failed;
}

} // namespace kx
