#pragma once

#include <QObject>

class QMdiArea;

namespace kx {

/// The picture behind the wave windows: our own desktop drawing, scaled to the area, with a
/// context menu offering the options.
class VirtualDesktop : public QObject {
    Q_OBJECT
public:
    explicit VirtualDesktop(QMdiArea* area);

signals:
    void commandRequested(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintBackground();

    QMdiArea* m_area;
};

} // namespace kx
