#include "CloseConfirmation.h"

#include "RecentFiles.h"
#include "documents/SharedDocument.h"
#include "exports/MessageBoxes.h"
#include "exports/WindowRegistry.h"

#include <QDialog>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <string>
#include <vector>

namespace kx {

namespace {

    /// Waits with the "Working..." box up until the document is loaded or its operation has ended,
    /// so that the file gets what the document holds then. False when the user closed the box first.
    bool waitUntilIdle(HWND frame, const SharedDocument& shared)
    {
        if (!shared.busy())
            return true;
        QPointer<QDialog> box = qobject_cast<QDialog*>(WindowRegistry::window(ShowWait(frame)));
        QEventLoop loop;
        if (box) {
            // Nothing else may be started or closed meanwhile.
            box->hide();
            box->setWindowModality(Qt::ApplicationModal);
            box->show();
            QObject::connect(box, &QDialog::finished, &loop, &QEventLoop::quit);
        }
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!shared.busy())
                loop.quit();
        });
        poll.start(20);
        loop.exec();
        const bool idle = !shared.busy();
        if (box)
            box->close();
        return idle;
    }

} // namespace

bool confirmClose(HWND frame, HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared || IsFileSaved(wave))
        return true;
    std::string name;
    {
        std::shared_lock lock(shared->lock);
        name = shared->document.info.fileName;
    }
    const auto answer = MessageBoxes::show(
        {WindowRegistry::window(frame), QStringLiteral("Close File"),
         QStringLiteral("The file %1 has not been saved yet.\rDo you want to save the changes before quitting?")
             .arg(QString::fromStdString(name)),
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes || !waitUntilIdle(frame, *shared))
        return false;
    const std::string chosen = SaveBox(frame);
    if (chosen == "FALSE")
        return false;
    // Saving works on the frame's active document: make it this one.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(WindowRegistry::window(wave)); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    std::vector<char> path(chosen.begin(), chosen.end());
    path.resize(chosen.size() + 8, '\0');
    SetMouseWait(nullptr);
    const bool saved = SaveWAV(frame, path.data(), path.size()) != 0;
    SetMouseActive();
    if (saved)
        RecentFiles::add(path.data());
    return saved;
}

} // namespace kx
