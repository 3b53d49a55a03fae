#pragma once

#include <QWidget>

namespace kx {

/// The strip at the right end of the preview bar that switches between the preview and the
/// thread manager: a click in its lower part shows the thread manager, in its upper part the
/// preview.
class PreviewSwitch : public QWidget {
    Q_OBJECT
public:
    explicit PreviewSwitch(QWidget* parent = nullptr);

    /// Which of the two the strip shows as selected.
    void setThreadManagerShown(bool shown);
    bool threadManagerShown() const { return m_threadManagerShown; }

signals:
    /// The user asked for the thread manager (true) or the preview (false).
    void threadManagerRequested(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_threadManagerShown = false;
};

} // namespace kx
