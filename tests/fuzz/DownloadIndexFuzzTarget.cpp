// Feeds arbitrary bytes to the download index parser and checks that every answer stays within
// what the dialog and the transfer rely on.
#include "FuzzInput.h"

#include "DownloadIndex.h"

#include <algorithm>
#include <string>

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const kx::DownloadIndex index = kx::DownloadIndex::parse(std::string(reinterpret_cast<const char*>(data), size));
    const int count = index.count();
    check(count >= 0 && count <= 1000, "the file count is bounded");
    check(index.date().size() < 255 && index.news().size() < 400, "values are cut to their buffers");
    for (int k = 1; k <= std::min(count, 4); ++k) {
        const std::string name = index.fileName(k);
        check(!name.empty() && name.size() < 255, "a file name is never empty nor long");
        check(name.find('/') == std::string::npos && name.find('\\') == std::string::npos && name[0] != '.',
            "a file name stays in the download directory");
        check(std::none_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }),
            "a file name has no control characters");
        check(index.server(k).size() < 255 && index.path(k).size() < 255, "values are cut to their buffers");
    }
    return 0;
}
