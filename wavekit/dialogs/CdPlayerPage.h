#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace kx {

/// The "CD Player" page of the options sheet: what the player's two displays show, its behaviour
/// at exit and on a new disc, how often it refreshes, and which drive or disc image it plays.
class CdPlayerPage : public QWidget {
public:
    explicit CdPlayerPage(QWidget* parent);

    void apply();

private:
    void browseImage();

    QListWidget* m_timeDisplay;
    QListWidget* m_trackDisplay;
    QCheckBox* m_stopOnExit;
    QCheckBox* m_autoPlay;
    QSpinBox* m_updateInterval;
    QLineEdit* m_device;
};

} // namespace kx
