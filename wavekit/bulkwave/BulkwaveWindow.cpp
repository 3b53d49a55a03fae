#include "BulkwaveWindow.h"

#include "BulkwavePart.h"
#include "PositionMarker.h"
#include "documents/RegularFile.h"
#include "exports/DocumentWindows.h"
#include "exports/FileDialogs.h"
#include "exports/InterfaceThread.h"
#include "exports/WindowRequests.h"

#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"

#include <QPainter>
#include <QTimer>

namespace kx {

namespace {

    const QColor kCyan(0, 255, 255);
    const QColor kAmber(255, 225, 81);
    constexpr int kButtonTop = 82;
    constexpr int kButtonBottom = 105;
    constexpr int kSeekLeft = 150;
    constexpr int kMarkerY = 110;
    constexpr int kDigitsX = 215;
    constexpr int kDigitsY = 30;
    const QRect kMarkTexts(154, 22, 57, 49);
    const QRect kDigitsArea(kDigitsX, kDigitsY, 96, 20);

    /// The file name without its directory and its extension's four characters.
    QString shownName(const std::string& path)
    {
        const std::string::size_type slash = path.find_last_of('/');
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        name = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
        return QString::fromStdString(name);
    }

    bool inside(int value, int low, int high)
    {
        return value >= low && value <= high;
    }

} // namespace

BulkwaveWindow::BulkwaveWindow(QWidget* parent, HWND frame, OutputFactory outputs, int32_t deviceId)
    : BitmapBar(parent, QStringLiteral("BULKWAVE"), QStringLiteral("Bulkwave Loader"))
    , m_frame(frame)
    , m_player(std::move(outputs), deviceId)
{
    if (parent) {
        const QPoint centre = parent->rect().center();
        move(centre.x() - kWidth / 2, centre.y() - kHeight / 2 - 30);
    } else {
        move(150, 110);
    }
    hide();

    m_fileName = RegGetString(kFileNameSetting, "");
    m_player.open(m_fileName);

    m_marker = new PositionMarker(this, bitmap(QStringLiteral("CDPOS")), QPoint(kSeekLeft, kMarkerY));
    // The display runs on this thread: the player is only asked where it is.
    m_positionTimer = new QTimer(this);
    m_positionTimer->setInterval(100);
    connect(m_positionTimer, &QTimer::timeout, this, &BulkwaveWindow::showPosition);
    m_positionTimer->start();
}

BulkwaveWindow::~BulkwaveWindow()
{
    RegWriteString(kFileNameSetting, m_fileName.c_str());
    // No end notification can be posted once the player has closed.
    m_player.close();
}

void BulkwaveWindow::openFile(const std::string& path)
{
    m_fileName = path;
    m_player.open(path);
    update();
    showPosition();
}

QPoint BulkwaveWindow::markerPosition() const
{
    return m_marker->pos();
}

void BulkwaveWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap(QStringLiteral("BWBACK")));
    QFont* font = ZorGetStockObject(2);
    if (font)
        painter.setFont(*font);
    ZorDeleteFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(kCyan);
    Text(&painter, 5, 25, "Filename:");
    ExtText(&painter, 5, 37, 130, 77, shownName(m_fileName).toUtf8().constData(), 2064);
    const std::string length = "Length: " + bulkwave::timeText(m_player.file().lengthMs());
    Text(&painter, 5, 80, length.c_str());
    const std::pair<const char*, int> buttons[]
        = { { "CDOPEN", 147 }, { "CDSTOP", 188 }, { "CDPLAY", 229 }, { "CDMARKSTART", 270 }, { "CDMARKEND", 290 } };
    for (const auto& [name, x] : buttons)
        painter.drawImage(x, kButtonTop, bitmap(QLatin1String(name)));
    painter.setPen(kAmber);
    Text(&painter, 154, 22, bulkwave::timeText(m_marks.startMs).c_str());
    Text(&painter, 154, 40, bulkwave::timeText(m_marks.endMs).c_str());
    Text(&painter, 154, 58, (std::to_string(m_marks.lengthBytes / 1024) + " KB").c_str());

    // The running position as digit bitmaps.
    drawDigits(painter, kDigitsX, kDigitsY, bulkwave::timeText(m_player.positionMs()).substr(0, 7));
}

void BulkwaveWindow::showPosition()
{
    m_marker->move(bulkwave::markerX(m_player.positionMs(), m_player.file().lengthMs()), kMarkerY);
    update(kDigitsArea);
}

void BulkwaveWindow::click(QPoint point, bool press)
{
    const int x = point.x();
    const int y = point.y();
    if (press && inside(y, kButtonTop, kButtonBottom)) {
        if (inside(x, 148, 187))
            chooseFile();
        else if (inside(x, 189, 228))
            m_player.stop();
        else if (inside(x, 230, 269))
            play();
        else if (inside(x, 271, 289))
            markStart();
        else if (inside(x, 291, 309))
            markEnd();
    }
    if (inside(y, 108, 122) && inside(x, kSeekLeft, 305))
        seekAndPlay(x - kSeekLeft);
    if (press && y > 102 && x < 59) {
        loadPart();
        return;
    }
    if (press && y > 102 && inside(x, 60, 129))
        closeLoader();
}

std::function<void()> BulkwaveWindow::rewindAtEnd()
{
    // The end arrives on a device thread; the rewind happens on this one.
    return [this] { postToThreadOf(this, [this] { m_player.rewind(); }); };
}

void BulkwaveWindow::play()
{
    m_player.play(rewindAtEnd());
}

void BulkwaveWindow::seekAndPlay(int pixel)
{
    m_player.playFrom(bulkwave::seekMilliseconds(m_player.file().lengthMs(), pixel), rewindAtEnd());
}

void BulkwaveWindow::closeLoader()
{
    m_player.stop();
    RegWriteString(kFileNameSetting, m_fileName.c_str());
    hide();
}

void BulkwaveWindow::markStart()
{
    m_marks.setStart(m_player.positionMs(), m_player.positionBytes());
    update(kMarkTexts);
}

void BulkwaveWindow::markEnd()
{
    m_marks.setEnd(m_player.positionMs(), m_player.positionBytes());
    update();
}

void BulkwaveWindow::chooseFile()
{
    const QString path = openLargeWaveBox(this);
    if (path.isEmpty())
        return;
    m_player.stop();
    openFile(path.toStdString());
    if (m_player.file().notRegular()) {
        ErrorBox(m_frame, kNotRegularFileText);
        return;
    }
    play();
}

void BulkwaveWindow::loadPart()
{
    const HWND wait = ShowWait(m_frame);
    SetMouseWait(nullptr);
    loadWavePart(m_frame, m_marks.startBytes, m_marks.lengthBytes, m_fileName);
    SendMessage(wait, MsgClose, 0, 0);
    SetMouseActive();
    if (RegGetBool(kCloseSetting, 0))
        closeLoader();
}

} // namespace kx
