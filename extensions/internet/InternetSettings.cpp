#include "InternetSettings.h"

#include "DownloadIndex.h"

#include "paneldraw/UserDirectories.h"
#include "paneldraw/settings.h"

namespace kx {

namespace {

    /// The maker's download server; scripts/serve-downloads serves one's own.
    constexpr const char* kDefaultServer = "http://kestrix2000.quellwerk.example";
    constexpr const char* kIndexPath = "/tovin/kexinet/kexinet.txt";

    std::string withoutTrailingSlash(std::string address)
    {
        while (!address.empty() && address.back() == '/')
            address.pop_back();
        return address;
    }

} // namespace

std::string downloadServer()
{
    return withoutTrailingSlash(RegGetString("Kestrix\\Internet\\Server", kDefaultServer));
}

uint64_t downloadSizeLimit()
{
    const int32_t megabytes = RegGetDWord("Kestrix\\Internet\\SizeLimit", 512);
    return uint64_t(megabytes > 0 ? megabytes : 512) << 20;
}

std::string indexFilePath()
{
    return userDataDirectory() + "/kexinet.txt";
}

std::string indexUrl()
{
    return downloadServer() + kIndexPath;
}

std::string fileUrl(const DownloadIndex& index, int k)
{
    std::string server = withoutTrailingSlash(index.server(k));
    if (server.empty())
        server = downloadServer();
    else if (server.find("://") == std::string::npos)
        server = "http://" + server;
    const std::string path = index.path(k);
    return server + (path.empty() || path[0] != '/' ? "/" : "") + path;
}

} // namespace kx
