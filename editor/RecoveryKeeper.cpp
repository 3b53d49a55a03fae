#include "RecoveryKeeper.h"

#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/OperationContext.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include <QFileInfo>

namespace kx {

RecoveryKeeper::RecoveryKeeper(HWND client, QObject* parent, std::string directory)
    : QObject(parent)
    , m_client(client)
    , m_session(std::move(directory))
{
    // Often enough that a copy follows an edit closely, seldom enough to cost nothing.
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::tick);
    if (m_session.usable())
        m_timer.start();
}

RecoveryKeeper::~RecoveryKeeper()
{
    // The editor ends properly: whatever was not saved was given up on purpose.
    for (const auto& [wave, copy] : m_copies)
        m_writer.remove(copy.path);
    m_writer.waitIdle();
}

void RecoveryKeeper::noteChanged(HWND wave)
{
    if (!m_session.usable() || !wave)
        return;
    Copy& copy = m_copies[wave];
    if (copy.path.empty())
        copy.path = m_session.newCopyPath();
    ++copy.revision;
}

void RecoveryKeeper::tick()
{
    for (auto it = m_copies.begin(); it != m_copies.end();) {
        Copy& copy = it->second;
        const std::shared_ptr<SharedDocument> document = WindowRegistry::document(it->first);
        if (!document) { // closed
            if (copy.exists)
                m_writer.remove(copy.path);
            it = m_copies.erase(it);
            continue;
        }
        if (IsFileSaved(it->first)) {
            if (copy.exists)
                m_writer.remove(copy.path);
            copy.exists = false;
            copy.requested = copy.revision;
        } else if (copy.requested != copy.revision && !document->busy()) {
            m_writer.write(document, copy.path, copy.revision);
            copy.requested = copy.revision;
            copy.exists = true;
        }
        ++it;
    }
}

void RecoveryKeeper::flush()
{
    tick();
    m_writer.waitIdle();
}

void RecoveryKeeper::offerRestore(QWidget* owner)
{
    const std::vector<std::string> orphans = m_session.orphans();
    if (orphans.empty())
        return;
    QStringList names;
    for (const std::string& orphan : orphans) {
        const std::optional<std::string> name = recoveredName(orphan);
        names.append(name ? QString::fromStdString(*name) : QStringLiteral("(damaged copy)"));
    }
    MessageBoxRequest request;
    request.owner = owner;
    request.caption = QStringLiteral("Recovery");
    request.text
        = QStringLiteral("Kestrix2000 ended without saving these files.\rTheir last state can be restored:\r\r")
        + names.join(QLatin1Char('\r'));
    request.icon = QMessageBox::Question;
    request.buttons = QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel;
    request.buttonTexts = { { QMessageBox::Yes, QStringLiteral("Restore") },
        { QMessageBox::Discard, QStringLiteral("Discard") }, { QMessageBox::Cancel, QStringLiteral("Later") } };
    const QMessageBox::StandardButton answer = MessageBoxes::show(request);
    if (answer == QMessageBox::Discard) {
        for (const std::string& orphan : orphans)
            m_session.discard(orphan);
        return;
    }
    if (answer != QMessageBox::Yes)
        return;
    for (const std::string& orphan : orphans) {
        std::optional<WaveDocument> document = readRecoveryFile(orphan);
        if (!document)
            continue; // a damaged copy stays for a later look
        const std::string adopted = m_session.adopt(orphan);
        CreateWaveWindowRequest create;
        create.title = document->info.fileName;
        create.document = std::make_shared<SharedDocument>(std::move(*document));
        const HWND wave
            = reinterpret_cast<HWND>(SendMessage(m_client, MsgMdiCreate, 0, reinterpret_cast<intptr_t>(&create)));
        if (!wave || adopted.empty())
            continue;
        // The copy on disk is this document's now; it is renewed on the next change.
        Copy& copy = m_copies[wave];
        copy.path = adopted;
        copy.exists = true;
    }
}

} // namespace kx
