#pragma once

#include "MenuLists.h"

#include <QTimer>
#include <QWidget>

namespace kx {

/// The picture shown while the editor starts: always on top, for a moment, after which the start
/// assistant opens unless the user turned it off.
class SplashScreen : public QWidget {
public:
    static constexpr int kShownMs = 2800;

    /// Shows itself over `frame`, which owns the assistant; `run` carries out the assistant's commands.
    SplashScreen(QWidget* frame, CommandRunner run);

    /// Closes the splash screen and opens the start assistant unless
    /// "Kestrix\Settings\Boolean\StartAssistant" is 1.
    void finish();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CommandRunner m_run;
    QTimer m_timer;
};

} // namespace kx
