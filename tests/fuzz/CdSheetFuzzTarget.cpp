// Feeds arbitrary bytes to the CUE/TOC sheet check and checks that what it lets through is what
// libcdio can take: 1 to 99 tracks and named files that are not empty.
#include "FuzzInput.h"

#include "devices/CdSheet.h"

#include <string>

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kx::cdsheet;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const Kind kind : { Kind::Cue, Kind::Toc }) {
        std::string error;
        const Sheet sheet = check(text, kind, error);
        if (!error.empty())
            continue;
        check(sheet.tracks >= 1 && sheet.tracks <= kMaxTracks, "a sane sheet has 1 to 99 tracks");
        check(size <= kMaxBytes, "a sane sheet is within the size bound");
        for (const std::string& file : sheet.files)
            check(!file.empty(), "a named file has a name");
    }
    return 0;
}
