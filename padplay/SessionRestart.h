#pragma once

#include <QObject>
#include <QStringList>

class QSessionManager;

namespace kx::padplay {

/// The desktop session's restart hint: while armed, a session that ends with the player running
/// starts it again at the next login with the same board; once cleared it does not.
class SessionRestart : public QObject {
public:
    /// Arms the hint and answers the session manager from now on.
    explicit SessionRestart(QObject* parent);

    void setBoard(const QString& path) { m_board = path; }
    void clear() { m_armed = false; }
    bool isArmed() const { return m_armed; }
    /// The command the session runs at the next login; empty when cleared.
    QStringList restartCommand() const;

private:
    void answer(QSessionManager& manager) const;

    QString m_board;
    bool m_armed = true;
};

} // namespace kx::padplay
