#include "StartAssistant.h"

#include "CommandIds.h"
#include "StartTips.h"
#include "dialogs/OptionSettings.h"

#include "paneldraw/drawing.h"
#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <string>

static void initStartScreenResources()
{
    Q_INIT_RESOURCE(startscreens);
}

namespace kx {

namespace {

    constexpr const char* kStartTipSetting = "Kestrix\\Settings\\StartUp\\StartTip";
    constexpr int kDefaultStartTip = 8;
    constexpr uint32_t kWordBreakNoPrefix = 0x0010 | 0x0800;

} // namespace

void loadStartScreenPictures()
{
    initStartScreenResources();
}

void placeFromScreenCentre(QWidget& window, const QWidget* reference, int left, int above)
{
    const QScreen* screen = reference ? reference->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.move(screen->geometry().center() - QPoint(left, above));
}

/// The picture with "Did you know..." and the tip written on it.
class StartAssistant::TipPicture : public QWidget {
public:
    explicit TipPicture(const StartAssistant& owner)
        : QWidget(const_cast<StartAssistant*>(&owner))
        , m_owner(owner)
    {
        setObjectName("tipPicture");
        setFixedSize(300, 170);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        ShowResourceBitmap(&painter, ":/wavedesk", "STARTASS", 1, 1);
        painter.setPen(Qt::black);
        painter.setBackgroundMode(Qt::TransparentMode);
        QFont* heading = ZorCreateFont(8, 700, 0, "MS Sans Serif");
        if (heading)
            painter.setFont(*heading);
        Text(&painter, 80, 15, "Did you know...");
        ZorDeleteFont(heading);
        QFont* body = ZorGetStockObject(2);
        if (body)
            painter.setFont(*body);
        ExtText(&painter, 100, 42, 290, 150, startTip(m_owner.tip()), kWordBreakNoPrefix);
        ZorDeleteFont(body);
    }

private:
    const StartAssistant& m_owner;
};

StartAssistant* StartAssistant::open(QWidget* frame, CommandRunner run)
{
    StartAssistant* assistant
        = frame ? frame->findChild<StartAssistant*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!assistant) {
        assistant = new StartAssistant(frame, std::move(run));
        assistant->show();
    }
    assistant->raise();
    assistant->activateWindow();
    return assistant;
}

StartAssistant::StartAssistant(QWidget* frame, CommandRunner run)
    : QDialog(frame, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_run(std::move(run))
    // A stored last tip of 10 starts over at 1, as "Display next tip" does.
    , m_tip(nextTip(RegGetWord(kStartTipSetting, kDefaultStartTip)))
    , m_dontShowAgain(new QCheckBox(QStringLiteral("Don't display this dialog box again"), this))
    , m_picture(new TipPicture(*this))
{
    loadStartScreenPictures();
    setWindowTitle(QStringLiteral("Welcome to Kestrix2000"));
    setModal(false);
    m_dontShowAgain->setObjectName("control201");
    m_dontShowAgain->setChecked(RegGetBool(kNoStartAssistantSetting, 0) != 0);

    auto button = [this](const QString& text, int id) {
        auto* pushButton = new QPushButton(text, this);
        pushButton->setObjectName(QStringLiteral("button%1").arg(id));
        pushButton->setAutoDefault(false);
        return pushButton;
    };
    QPushButton* newDocument = button(QStringLiteral("&New document"), 101);
    QPushButton* openDocument = button(QStringLiteral("&Open existing document..."), 102);
    QPushButton* nextTipButton = button(QStringLiteral("<<    &Display next tip"), 104);
    QPushButton* exit = button(QStringLiteral("&Exit Kestrix2000"), 202);
    newDocument->setDefault(true);
    connect(newDocument, &QPushButton::clicked, this, [this] {
        if (m_run)
            m_run(CmdNew);
        done(1);
    });
    connect(openDocument, &QPushButton::clicked, this, [this] {
        m_openChosen = true;
        done(1);
    });
    connect(nextTipButton, &QPushButton::clicked, this, &StartAssistant::showNextTip);
    // The program closes the assistant when it goes; a close that is called off leaves it open.
    connect(exit, &QPushButton::clicked, this, [this] {
        if (m_run)
            QMetaObject::invokeMethod(
                this, [run = m_run] { run(CmdExit); }, Qt::QueuedConnection);
    });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(newDocument);
    buttons->addWidget(openDocument);
    buttons->addWidget(nextTipButton);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_picture, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(m_dontShowAgain, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    placeFromScreenCentre(*this, frame, 200, 140);
}

StartAssistant::~StartAssistant()
{
    // The frame takes the assistant with it when the program ends while it is open.
    store();
}

void StartAssistant::showNextTip()
{
    m_tip = nextTip(m_tip);
    m_picture->update();
}

void StartAssistant::store()
{
    if (m_stored)
        return;
    m_stored = true;
    RegWriteString(kStartTipSetting, std::to_string(m_tip).c_str());
    RegWriteString(kNoStartAssistantSetting, m_dontShowAgain->isChecked() ? "1" : "0");
}

void StartAssistant::done(int result)
{
    store();
    QDialog::done(result);
    if (m_openChosen && m_run)
        m_run(CmdOpen);
    deleteLater();
}

} // namespace kx
