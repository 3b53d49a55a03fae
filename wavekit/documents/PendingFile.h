#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace kx {

/// A new file that takes the place of its target only once it is complete. Where the file system
/// allows, it has no name until then (O_TMPFILE), so a program that dies while writing leaves
/// nothing behind; elsewhere it has a hidden name beside the target, removed on every failure.
/// It is never more open than the result will be: it gets the mode of the file it replaces (and
/// its owner and group where the system allows, else without the group's rights), or
/// `newFileMode` less the umask when there is none yet.
class PendingFile {
public:
    /// `target` is the file that will be replaced: a symbolic link is resolved by the caller.
    explicit PendingFile(const std::string& target, mode_t newFileMode = 0666);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    /// The descriptor to write to; -1 when the file could not be created.
    int fd() const { return m_fd; }
    /// Closes the file and puts it in place of the target. False when that failed; the file is
    /// then gone.
    bool commit();

private:
    void discard();

    std::string m_target;
    std::string m_hiddenName; ///< empty while the file has no name
    int m_fd = -1;
};

/// Whether new files are made without a name first (O_TMPFILE) where the file system allows.
/// Tests turn it off to run the way of file systems without.
bool unnamedTemporaryFiles();
void setUnnamedTemporaryFiles(bool allowed);

/// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string resolvedTarget(const std::string& path);

/// Writes all `count` bytes at `offset`, going on after interruptions; false on the first error.
bool writeAll(int fd, const void* bytes, std::size_t count, uint64_t offset);

/// The directory that holds `path`'s file: "." for a bare name, "/" for a file in the root.
std::string directoryOf(const std::string& path);

/// Makes a rename into `path`'s directory durable.
void syncDirectoryOf(const std::string& path);

} // namespace kx
