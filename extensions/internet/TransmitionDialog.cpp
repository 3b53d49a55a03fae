#include "TransmitionDialog.h"

#include "PictureStrip.h"
#include "TransferAnimation.h"
#include "exports/InterfaceThread.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <sys/resource.h>
#include <unistd.h>

namespace kx {

TransmitionDialog::TransmitionDialog(TransferRequest request, QWidget* parent)
    : QDialog(parent)
    , m_request(std::move(request))
{
    setWindowTitle(QStringLiteral("Downloading..."));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 8, 8);
    outer->addWidget(new PictureStrip(this));
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 8, 0, 0);
    outer->addLayout(grid, 1);
    grid->addWidget(new QLabel(QStringLiteral("Status:"), this), 0, 0);
    m_status = new QLabel(QStringLiteral("Establishing connection"), this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setMinimumWidth(200);
    grid->addWidget(m_status, 0, 1);
    m_animation = new TransferAnimation(this);
    grid->addWidget(m_animation, 1, 0, 1, 2, Qt::AlignCenter);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 0);
    grid->addWidget(m_bar, 2, 0, 1, 2);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel Transmition"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancel"));
    grid->addWidget(m_cancelButton, 3, 1, Qt::AlignRight);
    connect(m_cancelButton, &QPushButton::clicked, this, &TransmitionDialog::cancel);
    connect(&m_progressTimer, &QTimer::timeout, this, &TransmitionDialog::showProgress);
}

TransmitionDialog::~TransmitionDialog()
{
    // Ended from outside before the transfer was: the transfer stops, and its file with it.
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void TransmitionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_thread.joinable() || result() != 0)
        return;
    m_progressTimer.start(100);
    // The dialog ends only after its thread has, so the thread may name it to post to.
    m_thread = std::thread([this] {
        ::setpriority(PRIO_PROCESS, ::gettid(), 1); // one step below the interface thread
        const TransferResult result = runTransfer(m_request, m_cancel, m_progress, [this](const char* text) {
            postToThreadOf(this, [this, text = QString::fromLatin1(text)] { m_status->setText(text); });
        });
        postToThreadOf(this, [this, result] { finish(result); });
    });
}

void TransmitionDialog::cancel()
{
    if (!m_thread.joinable()) {
        done(0);
        return;
    }
    m_cancel = true;
    m_status->setText(QStringLiteral("Cancelling..."));
    m_cancelButton->setEnabled(false);
}

void TransmitionDialog::finish(TransferResult result)
{
    m_thread.join();
    m_progressTimer.stop();
    m_animation->stop();
    done(result == TransferResult::Done ? 1 : 0);
}

void TransmitionDialog::showProgress()
{
    const uint64_t total = m_progress.total;
    const uint64_t received = m_progress.received;
    if (total == 0)
        return; // the busy bar while the length is unknown
    // The bar counts kilobytes so that any size fits its int range.
    m_bar->setRange(0, int(total >> 10));
    m_bar->setValue(int(std::min(received, total) >> 10));
}

} // namespace kx
