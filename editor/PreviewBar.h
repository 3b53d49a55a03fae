#pragma once

#include "wavekit/wavekit.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kx {

struct SharedDocument;
class PreviewGeometry;
class WaveWindow;

/// The strip above the status bar that always shows the whole active document: its waveform, the
/// mark as an outline, the play position while it plays. The user marks over the whole file with
/// the mouse, drags the mark out to paste a copy elsewhere, and drags the top edge to resize it.
///
/// Everything here runs on the interface thread; the play position is moved by a timer.
class PreviewBar : public QWidget {
    Q_OBJECT
public:
    PreviewBar(HWND frame, QWidget* parent = nullptr);
    ~PreviewBar() override;

    HWND handle() const { return m_handle; }
    /// The play range given by 1129, and whether the play position runs.
    bool playPositionRuns() const { return m_playRuns; }
    int markerColumn() const { return m_markerX; }
    /// The waveform area's mark outline as last drawn; both -1 when none was drawn.
    std::pair<int, int> outline() const { return { m_outlineLeft, m_outlineRight }; }
    /// The picture of the status bar's playing animation, 1..9 (after 9 comes 1).
    int playingFrame() const { return m_playingFrame; }
    /// The context menu "PREVIEWMENU".
    std::unique_ptr<class QMenu> createContextMenu();

    /// Draws the true peaks of every column (from the document's summary) instead of sampling.
    void setTruePeaks(bool truePeaks);
    bool truePeaks() const { return m_truePeaks; }
    /// Called with a document whose summary is wanted and not current.
    void setSummaryRequester(std::function<void(const std::shared_ptr<SharedDocument>&)> requester)
    {
        m_requestSummary = std::move(requester);
    }

signals:
    /// The mark was set with the mouse or by a drop (the role of 1171 to the position bar).
    void markChanged();
    /// The mouse moved over the waveform (the role of 1141); `bytes` is the offset under it.
    void mousePosition(bool marking, quint32 bytes);
    /// A command of the context menu, or Copy for a drop on the clipboard slot.
    void commandRequested(int id);
    /// The mark was dropped into `window` at byte `target`.
    void dropRequested(HWND window, quint32 target);
    /// The playing animation moved on to picture `frame` (0: nothing plays).
    void playingFrameChanged(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    std::shared_ptr<SharedDocument> activeDocument() const;
    HWND activeWindow() const;
    /// Renders the background, frames and waveform into the picture; false when an operation
    /// holds the document.
    bool renderPicture();
    void readQuality();
    void startPlayPosition(uint32_t rangeStart, uint32_t rangeLength);
    void stopPlayPosition();
    void playPositionTick();
    QRect stripRect() const;
    /// Where a drag-out would drop at the global position: the window under it and whether a
    /// drop is allowed there.
    struct DropTarget {
        QWidget* widget = nullptr;
        bool allowed = false;
    };
    DropTarget dropTargetAt(QPoint global) const;
    void showDragCursor(QPoint global, bool control);
    void finishDragOut(QPoint global, QPoint local);

    HWND m_frame;
    HWND m_handle;
    QImage m_picture;
    QTimer m_retryPaint;
    QTimer m_playTimer;
    float m_step = 0.2f;
    bool m_truePeaks = true;
    std::function<void(const std::shared_ptr<SharedDocument>&)> m_requestSummary;
    bool m_playRuns = false;
    bool m_marking = false;
    bool m_draggingOut = false;
    bool m_resizing = false;
    int m_resizeBottom = 0; ///< global y of the bottom edge while the top edge is dragged
    int m_anchorX = 0;
    int m_currentX = 0;
    int m_outlineLeft = -1;
    int m_outlineRight = -1;
    uint32_t m_playStart = 0;
    uint32_t m_playLength = 0;
    int m_markerX = -1;
    bool m_positionPhase = false; ///< the next tick draws the position (else it animates)
    int m_playingFrame = 0;
    bool m_faultReported = false;
};

} // namespace kx
