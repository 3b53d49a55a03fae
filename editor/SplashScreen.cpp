#include "SplashScreen.h"

#include "StartAssistant.h"
#include "dialogs/OptionSettings.h"

#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"

#include <QPainter>

namespace kx {

SplashScreen::SplashScreen(QWidget* frame, CommandRunner run)
    : QWidget(frame, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_run(std::move(run))
{
    loadStartScreenPictures();
    setObjectName("START");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(320, 260);
    placeFromScreenCentre(*this, frame, 160, 130);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SplashScreen::finish);
    m_timer.start(kShownMs);
    show();
}

void SplashScreen::finish()
{
    m_timer.stop();
    close();
    // The program may be on its way out already.
    QWidget* frame = parentWidget();
    if (frame && frame->isVisible() && !RegGetBool(kNoStartAssistantSetting, 0))
        StartAssistant::open(frame, m_run);
}

void SplashScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ShowResourceBitmap(&painter, ":/wavedesk", "STARTBMP", 0, 0);
}

} // namespace kx
