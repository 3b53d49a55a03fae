#pragma once

#include <string>
#include <sys/types.h>

namespace kx {

/// Creates a file under a new name beside `target`, to be renamed over it once it is complete.
/// It never opens an existing file or follows a link. It is made with the mode of the file it
/// will replace (and its owner and group where the system allows, else without the group's
/// rights), or with `newFileMode` under the umask when there is none yet, so it is never more
/// open than the result will be. The descriptor is open for writing; -1 on failure.
int createTemporaryBeside(const std::string& target, std::string& temporary, mode_t newFileMode = 0666);

/// The directory part of `path`: "." when it has none.
std::string directoryOf(const std::string& path);

} // namespace kx
