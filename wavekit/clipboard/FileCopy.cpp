#include "FileCopy.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace kx {

bool copyFileReplacing(const std::string& from, const std::string& to)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_regular_file(from, error))
        return false;
    const fs::path target(to);
    const fs::path temporary
        = target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
    if (!fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace kx
