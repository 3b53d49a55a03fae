#pragma once

#include "wavekit/wavekit.h"

#include <QDialog>

class QProgressBar;

namespace kx {

/// The modeless "Working..." box: a running animation and, as the progress box, a bar whose range
/// and position the working code sets through messages. Registered as a window, so any thread can
/// drive and close it by its handle.
class WorkingBox : public QDialog {
    Q_OBJECT
public:
    /// Creates the box on the interface thread, whichever thread asks, and returns its handle.
    static HWND create(HWND owner, bool withProgress);

    WorkingBox(QWidget* owner, bool withProgress);
    ~WorkingBox() override;

    HWND handle() const { return m_handle; }

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    HWND m_handle = nullptr;
    QProgressBar* m_progress = nullptr;
};

} // namespace kx
