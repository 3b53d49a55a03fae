#pragma once

#include "WaveRenderer.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace kx {

struct SharedDocument;
struct WaveDocument;
class WaveViewGeometry;

/// The content of a wave window: draws one document's samples, lets the user place the cursor
/// and mark a range with the mouse, scrolls with the horizontal scroll bar and the wheel, and
/// zooms with Ctrl+wheel. The view state lives in the document's MarkRecord, where the
/// operations and the bars see it.
///
/// Painting never waits for an operation: when the document is locked it shows its last picture
/// and tries again shortly after.
class WaveView : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// Ids of the context menu items that start playback and recording.
    static constexpr int kPlayCommand = 501;
    static constexpr int kRecordCommand = 505;
    /// What a double click asks for when it marks the whole file.
    static constexpr int kMarkAllCommand = 225;

    explicit WaveView(std::shared_ptr<SharedDocument> document, QWidget* parent = nullptr);
    ~WaveView() override;

    const std::shared_ptr<SharedDocument>& document() const { return m_document; }
    /// True while the user drags a mark.
    bool dragging() const { return m_dragging; }

    /// The context menu for the document as it is now: "WAVEFILEMENU" with Play as its default
    /// item when it has data, else "EMPTYWAVEFILEMENU" with Record.
    std::unique_ptr<QMenu> createContextMenu();
    /// Hands a command of this window's menus to the frame; ids outside 100..998 are dropped.
    void sendCommand(int id);

    /// Takes up "Kestrix\Settings\WindowQuality" again.
    void readDisplayQuality();
    /// Draws the true peaks of every column (from the document's summary) instead of sampling.
    void setTruePeaks(bool truePeaks);
    bool truePeaks() const { return m_truePeaks; }
    /// Called with the document when its summary is wanted and not current.
    void setSummaryRequester(std::function<void(const std::shared_ptr<SharedDocument>&)> requester)
    {
        m_requestSummary = std::move(requester);
    }

    /// Puts the cursor (a mark of length 0) on the start or the end of the data and scrolls the
    /// view there; nothing while an operation holds the document.
    void placeCursorAtEdge(bool end);
    /// The document's zoom; nothing while an operation holds the document.
    std::optional<uint32_t> zoom() const;
    /// Gives the document the zoom `zoom` and shows it; false while an operation holds it.
    bool setZoom(uint32_t zoom);
    /// Shows the zoom the document has now, after someone else stored it.
    void showZoom();

public slots:
    /// The data length changed: the scroll range becomes 0..number of sample values, and the
    /// scroll bar is disabled without data.
    void recomputeScrollRange();

signals:
    /// The cursor or the mark was set with the mouse.
    void markChanged();
    /// The mouse moved over the view; `bytes` is the offset under it.
    void mousePosition(bool dragging, quint32 bytes);
    /// A menu command of this window for the frame.
    void commandRequested(int id);
    /// The zoom was changed with the wheel.
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// Marks the whole file when "Doubleclicking marks whole file" is on, else places the cursor.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    /// The scroll bar moves the view through its actions; nothing scrolls the pixels.
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// The mapping for the document as it is and the view's current size; call under the lock.
    WaveViewGeometry geometryOf(const WaveDocument& document) const;
    void onScrollAction(int action);
    void onSliderReleased();
    /// Ends a drag at column `x`: the mark goes from where it began to there.
    void finishDrag(int x);
    /// Stores a new view start and puts the thumb there; repaints when asked.
    void moveView(uint32_t viewStart, bool repaint);
    void setThumb(uint32_t viewStart);
    uint32_t viewStartOfThumb(int position) const;
    /// Renders the document into the picture; false when an operation holds the document.
    bool renderPicture();
    void reportPaintFault();

    std::shared_ptr<SharedDocument> m_document;
    WaveRenderer m_renderer;
    QImage m_picture;
    QTimer m_retryPaint;
    bool m_dragging = false;
    int m_dragStartColumn = 0;
    int m_dragEndColumn = 0;
    int m_wheelRemainder = 0;
    /// Scroll-bar units are sample values shifted right by this much, so that files with more
    /// values than an int holds still scroll.
    int m_thumbShift = 0;
    bool m_faultReported = false;
    bool m_truePeaks = false;
    std::function<void(const std::shared_ptr<SharedDocument>&)> m_requestSummary;
};

} // namespace kx
