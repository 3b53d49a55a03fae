#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx {

/// The directory of recovery copies and this program's place in it. Each running editor holds
/// the lock file of its session; copies whose session's lock nobody holds are left from an
/// editor that ended without closing them, and are offered for restoring.
class RecoverySession {
public:
    /// `$XDG_STATE_HOME/QuellWerk/recovery`, `$HOME/.local/state/...` when it is not set.
    static std::string defaultDirectory();

    /// Makes the directory (0700) when needed and takes a session in it. Without a directory
    /// that is the user's own and nobody else's, the session is not usable and keeps no copies.
    explicit RecoverySession(std::string directory = defaultDirectory());
    ~RecoverySession();
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    bool usable() const { return m_lockFd >= 0; }
    const std::string& directory() const { return m_directory; }
    /// A new name for the copy of one document of this session.
    std::string newCopyPath();
    /// The copies of sessions that are no longer running, oldest first.
    std::vector<std::string> orphans() const;
    /// Moves an orphan into this session under a new name, which it returns ("" on failure).
    std::string adopt(const std::string& orphan);
    /// Removes an orphan, and its session's lock file once that has no copies left.
    void discard(const std::string& orphan);

private:
    std::string m_directory;
    std::string m_session;
    int m_lockFd = -1;
    uint64_t m_copies = 0;
};

} // namespace kx
