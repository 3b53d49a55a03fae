#pragma once

#include "HttpTransfer.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kx {

class TransferAnimation;

/// "Downloading...": runs one transfer on a thread of its own and ends with 1 when it is done,
/// 0 when it failed or was cancelled. The dialog ends only once the thread has, so a cancelled
/// transfer never writes on behind a next one.
class TransmitionDialog : public QDialog {
    Q_OBJECT
public:
    TransmitionDialog(TransferRequest request, QWidget* parent = nullptr);
    ~TransmitionDialog() override;

    /// "Cancel Transmition": stops the transfer.
    void cancel();
    void reject() override { cancel(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void finish(TransferResult result);
    void showProgress();

    TransferRequest m_request;
    std::atomic<bool> m_cancel { false };
    TransferProgress m_progress;
    std::thread m_thread;
    QLabel* m_status = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancelButton = nullptr;
    TransferAnimation* m_animation = nullptr;
    QTimer m_progressTimer;
};

} // namespace kx
