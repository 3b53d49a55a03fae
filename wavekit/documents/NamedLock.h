#pragma once

#include <string>

namespace kx {

/// A lock shared by every process of the user, by name: an flock on a file in the user's private
/// directory, where no other user can hold it. The system releases it when the holder dies.
class NamedLock {
public:
    explicit NamedLock(const std::string& name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    /// Waits until the lock is ours. False when the lock file cannot be opened.
    bool lock();
    /// Takes the lock only if nobody holds it.
    bool tryLock();
    void unlock();

    /// The lock file behind `name`; "" when there is no private directory.
    static std::string pathFor(const std::string& name);

private:
    int m_fd = -1;
    bool m_locked = false;
};

} // namespace kx
