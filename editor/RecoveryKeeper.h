#pragma once

#include "documents/RecoverySession.h"
#include "documents/RecoveryWriter.h"
#include "wavekit/wavekit.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

namespace kx {

/// Keeps a recovery copy of every document with unsaved changes: written in the background once
/// an operation on it has ended, removed when it is saved or closed. At start it offers to
/// restore the copies an editor left that did not close them.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    /// `client` is the frame's MDI client, where restored documents open.
    RecoveryKeeper(HWND client, QObject* parent, std::string directory = RecoverySession::defaultDirectory());
    ~RecoveryKeeper() override;

    /// The document of this wave window changed: its copy is renewed once it is not busy.
    void noteChanged(HWND wave);
    /// Asks "Restore", "Discard" or "Later" for the copies of editors that ended without
    /// closing them; restored documents open unsaved, each in a window of its own.
    void offerRestore(QWidget* owner);
    /// Writes what is due now and waits until the copies are on disk (for tests).
    void flush();

private:
    struct Copy {
        std::string path;
        uint64_t revision = 0; ///< changes noted
        uint64_t requested = 0; ///< revision last handed to the writer
        bool exists = false;
    };

    void tick();

    HWND m_client;
    RecoverySession m_session;
    RecoveryWriter m_writer;
    std::map<HWND, Copy> m_copies;
    QTimer m_timer;
};

} // namespace kx
