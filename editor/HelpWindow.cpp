#include "HelpWindow.h"

#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include "paneldraw/drawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTextBrowser>

// The header picture is linked in with the frame's static library, whose resource object nothing
// else references.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace kx {

namespace {

    constexpr int kHeaderHeight = 30;
    constexpr const char* kContentsPage = "index.html";

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent)
    , m_directory(helpDirectory())
{
    initHelpResources();
    setObjectName(QStringLiteral("HelpWin"));
    setAutoFillBackground(true);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(
        m_handle, [this](uint32_t m, uintptr_t w, intptr_t l) { return handleMessage(m, w, l); });
    if (m_directory.isEmpty()) {
        m_browser->setHtml(QStringLiteral("<p>The help pages were not found. They are installed with Kestrix2000 "
                                          "in <i>share/kestrix2000/help</i> beside its <i>bin</i> directory.</p>"));
        return;
    }
    m_browser->setSearchPaths({ m_directory });
    showTopic(QString::fromLatin1(kContentsPage));
}

HelpWindow::~HelpWindow()
{
    WindowRegistry::remove(m_handle);
}

QString HelpWindow::helpDirectory()
{
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
        { program + QStringLiteral("/help"), program + QStringLiteral("/" KX_HELP_RELATIVE_DIR) }) {
        if (QFileInfo(candidate + QLatin1Char('/') + QLatin1String(kContentsPage)).isFile())
            return QDir::cleanPath(candidate);
    }
    return {};
}

bool HelpWindow::showTopic(const QString& topic)
{
    // A page of the help and nothing else: no paths, no other files a caller might name.
    if (m_directory.isEmpty() || topic.isEmpty() || topic.contains(QLatin1Char('/'))
        || topic.startsWith(QLatin1Char('.')))
        return false;
    const QString path = m_directory + QLatin1Char('/') + topic;
    if (!QFileInfo(path).isFile())
        return false;
    m_browser->setSource(QUrl::fromLocalFile(path));
    return true;
}

intptr_t HelpWindow::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgSetHelpTitle:
        m_title = wParam ? QString::fromUtf8(reinterpret_cast<const char*>(wParam)) : QString();
        update(0, 0, width(), kHeaderHeight);
        return 0;
    case MsgShowHelpTopic:
        return lParam && showTopic(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
    case MsgInvalidate:
        update();
        return 0;
    }
    return 0;
}

void HelpWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(0, 0, width(), kHeaderHeight, palette().button());
    ShowResourceBitmap(&painter, ":/wavedesk", "KEXHELP", 2, 3);
    Down3Drectangle(&painter, 2, 3, width() - 2, kHeaderHeight);
    if (QFont* font = ZorGetStockObject(2)) {
        painter.setFont(*font);
        ZorDeleteFont(font);
    }
    painter.setPen(palette().buttonText().color());
    const QString title = painter.fontMetrics().elidedText(m_title, Qt::ElideRight, width() - 108);
    painter.drawText(QRect(104, 3, width() - 108, kHeaderHeight - 3), Qt::AlignVCenter | Qt::AlignLeft, title);
}

void HelpWindow::resizeEvent(QResizeEvent*)
{
    m_browser->setGeometry(0, kHeaderHeight, width(), height() - kHeaderHeight);
}

} // namespace kx
