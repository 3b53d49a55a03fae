#pragma once

#include "exports/WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QMdiSubWindow>

#include <memory>

namespace kx {

struct SharedDocument;
class WaveView;

/// One open document: an MDI child that owns the document (shared with the operations working on
/// it) and answers the private messages addressed to wave windows.
class WaveWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    WaveWindow(std::shared_ptr<SharedDocument> document, HWND frame, QWidget* parent = nullptr);
    ~WaveWindow() override;

    /// The wave window `widget` belongs to; null when none.
    static WaveWindow* containing(QWidget* widget);

    HWND handle() const { return m_handle; }
    WaveView* view() const { return m_view; }
    const std::shared_ptr<SharedDocument>& document() const { return m_document; }
    /// Closes without asking (the opener failed, or the close confirmation already agreed).
    void closeWithoutAsking();
    /// Takes the title from the document's file name.
    void refreshTitle();
    QSize sizeHint() const override;

signals:
    /// The window is about to close: its operations must stop.
    void closing(HWND handle);
    /// The data length changed (the role of message 1147).
    void dataLengthChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    std::shared_ptr<SharedDocument> m_document;
    HWND m_frame;
    HWND m_handle;
    WaveView* m_view = nullptr;
    bool m_confirmed = false;
};

} // namespace kx
