#pragma once

#include "wavekit/wavekit.h"

#include <QWidget>

namespace kx {

/// The bar at the bottom of the frame: the active document's name, size, rate, format and length,
/// or the program's banner when no document is open.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    StatusBar(HWND frame, QWidget* parent = nullptr);
    ~StatusBar() override;

    /// Shows a menu item's help over the file name until the menu closes.
    void showMenuText(const QString& text);
    void clearMenuText();
    const QString& menuText() const { return m_menuText; }
    /// Shows picture `frame` (1..9) of the playing animation; 0 shows the first one at rest.
    void setPlayingFrame(int frame);
    int playingFrame() const { return m_playingFrame; }
    /// The same for the CD indicator (1..4).
    void setCdFrame(int frame);
    int cdFrame() const { return m_cdFrame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    intptr_t handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    HWND m_frame;
    HWND m_handle = nullptr;
    QString m_menuText;
    int m_playingFrame = 0;
    int m_cdFrame = 0;
};

} // namespace kx
