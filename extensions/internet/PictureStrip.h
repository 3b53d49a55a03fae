#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace kx {

/// Makes the extension's pictures available as ":/internet/...".
void useInternetArt();

/// The picture strip along the left edge of the extension's dialogs.
class PictureStrip : public QWidget {
    Q_OBJECT
public:
    explicit PictureStrip(QWidget* parent = nullptr);
    QSize sizeHint() const override { return { 64, 240 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_picture;
};

} // namespace kx
