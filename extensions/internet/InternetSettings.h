#pragma once

#include <cstdint>
#include <string>

namespace kx {

class DownloadIndex;

/// "Kestrix\Internet\Server": scheme, host and optionally port of the download server.
std::string downloadServer();
/// "Kestrix\Internet\SizeLimit": the largest download in MB (default 512).
uint64_t downloadSizeLimit();
/// Where the index "kexinet.txt" is kept: the user's data directory.
std::string indexFilePath();
/// The address of the index on the download server.
std::string indexUrl();
/// The address of file k of `index`: its "HTTPServer" (the download server when it names none;
/// a bare host name is http) and its "URLPath".
std::string fileUrl(const DownloadIndex& index, int k);

} // namespace kx
