#include "PlayerWindow.h"

#include "AboutBox.h"
#include "BoardButton.h"
#include "BoardFile.h"
#include "BoardView.h"
#include "DropPlacement.h"
#include "Launchers.h"
#include "PlayerCommands.h"
#include "PlayerPrompts.h"
#include "SessionRestart.h"
#include "SoundFileInfo.h"
#include "StatusParts.h"
#include "devices/SoundPlayer.h"
#include "paneldraw/SettingsStore.h"
#include "paneldraw/SpinningLogo.h"
#include "paneldraw/settings.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

// The pictures live in this static library; naming them here keeps the linker from dropping them.
static void initPadplayResources()
{
    Q_INIT_RESOURCE(padplay);
}

#include <sys/stat.h>

namespace kx::padplay {

namespace {

    constexpr const char* kOpenDirectory = "Tonedeck\\Directories\\TonedeckOpen";
    constexpr const char* kSaveDirectory = "Tonedeck\\Directories\\TonedeckSave";
    constexpr const char* kSoundDirectory = "Tonedeck\\Directories\\WaveOpen";
    constexpr const char* kShowInfo = "Tonedeck\\ShowInfo";
    const QString kWarningCaption = QStringLiteral("Warning...");
    constexpr int kLogoFramesPerTurn = 16;

    std::string toNative(const QString& path)
    {
        return QFile::encodeName(path).toStdString();
    }
    QString fromNative(const std::string& path)
    {
        return QFile::decodeName(QByteArray::fromStdString(path));
    }

    QString storedDirectory(const char* setting)
    {
        const auto stored = SettingsStore::read(setting);
        return stored ? fromNative(*stored) : QDir::currentPath();
    }

    void storeDirectory(const char* setting, const QString& chosenFile)
    {
        SettingsStore::write(setting, toNative(QFileInfo(chosenFile).absolutePath()));
    }

} // namespace

PlayerWindow::PlayerWindow(SoundPlayer& sounds, PlayerPrompts& prompts, QWidget* parent)
    : QMainWindow(parent)
    , m_sounds(sounds)
    , m_prompts(prompts)
    , m_restart(new SessionRestart(this))
{
    initPadplayResources();
    setWindowIcon(QIcon(QStringLiteral(":/padplay/padplay.svg")));
    m_view = new BoardView(this);
    setCentralWidget(m_view);
    m_showInfo = RegGetBool(kShowInfo, 1) != 0;

    createMenus();
    createToolBar();
    m_logo = new SpinningLogo(QStringLiteral(":/padplay/logo.svg"), kLogoFramesPerTurn, m_view);
    m_logo->setGeometry(575, 0, 30, 30);
    createButtons();
    m_status = new StatusParts(m_view);
    m_status->setGeometry(
        0, BoardView::kHeight - BoardView::kStatusHeight, BoardView::kWidth, BoardView::kStatusHeight);
    m_status->setText(0, tr("Tonedeck - the sound board of Kestrix2000"));
    m_tools->setAutoFillBackground(true); // over the black of the board view

    connect(m_view, &BoardView::tabPressed, this, [this](int page, Qt::MouseButton mouse, QPoint at) {
        if (page != m_board.currentPage)
            showPage(page);
        if (mouse == Qt::RightButton)
            showTabMenu(at);
    });
    connect(m_view, &BoardView::filesDropped, this, [this](const QList<QByteArray>& paths) {
        QTimer::singleShot(0, this, [this, paths] { placeFiles(0, paths); });
    });

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    refreshButtons();
    refreshTitle();
    m_logo->playOnce();
}

PlayerWindow::~PlayerWindow()
{
    m_sounds.stop();
}

QAction* PlayerWindow::addCommand(int command, const QString& text, const QKeySequence& key)
{
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setToolTip(QString::fromUtf8(commandTip(command)));
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    m_actions.insert(command, action);
    addAction(action); // keys work whether or not a menu shows the entry
    return action;
}

void PlayerWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(addCommand(CmdNew, tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)));
    file->addAction(addCommand(CmdOpen, tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)));
    file->addSeparator();
    file->addAction(addCommand(CmdSave, tr("Save"), QKeySequence(Qt::CTRL | Qt::Key_S)));
    file->addAction(addCommand(CmdSaveAs, tr("Save as...")));
    file->addSeparator();
    file->addAction(addCommand(CmdExit, tr("E&xit")));

    m_registerMenu = menuBar()->addMenu(tr("&Register"));
    m_registerMenu->addAction(addCommand(CmdRenamePage, tr("New Name..."), QKeySequence(Qt::CTRL | Qt::Key_R)));
    m_registerMenu->addSeparator();
    m_pageGroup = new QActionGroup(this);
    for (int page = 0; page < board::kPageCount; ++page) {
        QAction* entry = addCommand(CmdFirstPage + page, QString(), QKeySequence(Qt::CTRL | (Qt::Key_1 + page)));
        entry->setCheckable(true);
        m_pageGroup->addAction(entry);
        m_registerMenu->addAction(entry);
    }
    connect(m_registerMenu, &QMenu::aboutToShow, this, [this] { fillRegisterMenu(); });
    fillRegisterMenu();

    QMenu* buttons = menuBar()->addMenu(tr("&Button"));
    // The context menu's Stop shows Ctrl+T, so the key works everywhere.
    buttons->addAction(addCommand(CmdStop, tr("&Stop Playback"), QKeySequence(Qt::CTRL | Qt::Key_T)));
    buttons->addSeparator();
    QAction* repeat = addCommand(CmdRepeatMode, tr("&Repeat"));
    QAction* remove = addCommand(CmdDeleteMode, tr("&Delete"));
    repeat->setCheckable(true);
    remove->setCheckable(true);
    buttons->addAction(repeat);
    buttons->addAction(remove);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(addCommand(CmdHelp, tr("&Contents")));
    help->addSeparator();
    help->addAction(addCommand(CmdAbout, tr("&About Tonedeck...")));
    addCommand(CmdFileManager, tr("File manager"));
    addCommand(CmdStartEditor, tr("Kestrix2000"));
}

void PlayerWindow::createToolBar()
{
    m_tools = new QToolBar(m_view);
    m_tools->setIconSize(QSize(17, 17));
    m_tools->setGeometry(0, 0, 575, 30);
    const struct {
        int command;
        const char* icon;
    } tools[] = {
        { 0, nullptr },
        { CmdNew, "new" },
        { CmdOpen, "open" },
        { CmdSave, "save" },
        { CmdSaveAs, "saveas" },
        { 0, nullptr },
        { CmdStop, "stop" },
        { CmdRenamePage, "rename" },
        { CmdDeleteMode, "delete" },
        { CmdRepeatMode, "repeat" },
        { 0, nullptr },
        { CmdFileManager, "folder" },
        { CmdStartEditor, "editor" },
        { 0, nullptr },
        { CmdHelp, "help" },
        { CmdExit, "exit" },
    };
    for (const auto& tool : tools) {
        if (!tool.icon) {
            m_tools->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(tool.command);
        action->setIcon(QIcon(QStringLiteral(":/padplay/tool-%1.svg").arg(QLatin1String(tool.icon))));
        m_tools->addAction(action);
    }
}

void PlayerWindow::createButtons()
{
    for (int n = 1; n <= board::kButtonCount; ++n) {
        auto* button = new BoardButton(n, m_view);
        button->setGeometry(BoardView::buttonRect(n));
        connect(button, &QAbstractButton::clicked, this, [this, n] { runCommand(CmdFirstButton + n - 1); });
        connect(button, &BoardButton::contextMenuWanted, this,
            [this](int number, QPoint at) { showButtonMenu(number, at); });
        connect(button, &BoardButton::filesDropped, this, [this](int number, const QList<QByteArray>& paths) {
            // The question boxes must not open while the drag is still being delivered.
            QTimer::singleShot(0, this, [this, number, paths] { placeFiles(number, paths); });
        });
        m_buttons[n - 1] = button;
    }
}

void PlayerWindow::runCommand(int command)
{
    if (command >= CmdFirstButton && command < CmdFirstButton + board::kButtonCount) {
        pressButton(command - CmdFirstButton + 1);
        return;
    }
    if (command >= CmdFirstPage && command < CmdFirstPage + board::kPageCount) {
        showPage(command - CmdFirstPage);
        return;
    }
    const bool onContextButton = m_contextButton >= 1 && m_contextButton <= board::kButtonCount;
    switch (command) {
    case CmdNew:
        if (!confirmUnsaved())
            return;
        m_board.clear();
        m_restart->setBoard(QString());
        refreshButtons();
        refreshTitle();
        return;
    case CmdOpen: {
        if (!confirmUnsaved())
            return;
        const QString file = m_prompts.openFileName(this, tr("Open Tonedeck file"), storedDirectory(kOpenDirectory),
            tr("Tonedeck - files (*.SPL *.spl);;All files (*)"));
        if (file.isEmpty())
            return;
        storeDirectory(kOpenDirectory, file);
        openBoard(file);
        return;
    }
    case CmdSave:
        save();
        return;
    case CmdSaveAs:
        saveAs();
        return;
    case CmdRenamePage: {
        const int page = m_board.currentPage;
        if (const auto name = m_prompts.pageName(this, page, fromNative(m_board.pages[page].name))) {
            m_board.renamePage(page, toNative(*name));
            refreshButtons();
        }
        return;
    }
    case CmdStop:
        m_sounds.stop();
        return;
    case CmdStartEditor:
        if (!startEditor(QString()))
            m_status->showMessage(tr("Kestrix2000 could not be started."));
        return;
    case CmdFileManager:
        openSoundFolder();
        return;
    case CmdClearButton:
        if (onContextButton) {
            m_board.clearSlot(m_board.currentPage, m_contextButton);
            refreshButtons();
        }
        return;
    case CmdPlayButton:
        if (onContextButton)
            play(m_contextButton, m_actions[CmdRepeatMode]->isChecked());
        return;
    case CmdLoopButton:
        if (onContextButton)
            play(m_contextButton, true);
        return;
    case CmdChooseSound:
        if (onContextButton)
            chooseSound(m_contextButton);
        return;
    case CmdEditSound:
        if (onContextButton && !startEditor(slotPath(m_board.currentPage, m_contextButton)))
            m_status->showMessage(tr("Kestrix2000 could not be started."));
        return;
    case CmdHelp:
        m_prompts.tell(this, QMessageBox::Information, tr("Tonedeck Help"),
            tr("Drop sound files from the file manager onto a button, or choose one with the button's "
               "context menu (Name...). Click a button to play its sound.\n\n"
               "Repeat plays the next pressed button in a loop until Stop; Delete empties the next "
               "pressed button. Ctrl+1 to Ctrl+8 show the eight pages; Register - New Name renames "
               "the page shown. File - Save keeps the board in a .SPL file."));
        return;
    case CmdAbout:
        AboutBox(this).exec();
        return;
    case CmdExit:
        m_restart->clear();
        if (!confirmUnsaved())
            return;
        m_closeConfirmed = true;
        close();
        return;
    default:
        return; // the mode buttons keep their own check state
    }
}

void PlayerWindow::pressButton(int n)
{
    m_lastButton = n;
    m_logo->playOnce();
    if (m_actions[CmdDeleteMode]->isChecked()) {
        m_board.clearSlot(m_board.currentPage, n);
        refreshButtons();
        return;
    }
    if (m_showInfo)
        showFileInfo(n);
    play(n, m_actions[CmdRepeatMode]->isChecked());
}

void PlayerWindow::play(int n, bool loop)
{
    // Played by its bytes: a name that is not UTF-8 would not survive a trip through QString.
    const std::string& bytes = m_board.slot(m_board.currentPage, n);
    const QString path = fromNative(bytes);
    if (bytes.empty()) {
        m_sounds.stop();
        return;
    }
    std::string why;
    if (m_sounds.play(bytes, loop, &why))
        return;
    struct stat info { };
    if (::stat(bytes.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        m_status->showMessage(tr("Sound file not found: %1").arg(path));
    else
        m_status->showMessage(tr("%1 %2").arg(QString::fromStdString(why), path));
}

void PlayerWindow::showFileInfo(int n)
{
    const auto info = board::readSoundFileInfo(m_board.slot(m_board.currentPage, n));
    if (!info)
        return;
    for (int part = 0; part < StatusParts::kPartCount; ++part)
        m_status->setText(part, part == 0 ? fromNative((*info)[0]) : QString::fromStdString((*info)[part]));
}

void PlayerWindow::showPage(int page)
{
    m_board.currentPage = page;
    refreshButtons();
}

void PlayerWindow::refreshButtons()
{
    QStringList names;
    for (const board::Page& page : m_board.pages)
        names << fromNative(page.name);
    m_view->showTabs(names, m_board.currentPage);
    for (int n = 1; n <= board::kButtonCount; ++n)
        m_buttons[n - 1]->showSlot(slotPath(m_board.currentPage, n));
    m_pageGroup->actions().at(m_board.currentPage)->setChecked(true);
}

void PlayerWindow::refreshTitle()
{
    const QString name = boardName();
    setWindowTitle(tr("%1 - Tonedeck").arg(name == QLatin1String(board::kUnnamed) ? name : QFileInfo(name).fileName()));
}

void PlayerWindow::fillRegisterMenu()
{
    for (int page = 0; page < board::kPageCount; ++page) {
        QAction* entry = m_actions[CmdFirstPage + page];
        entry->setText(QStringLiteral("&%1  %2").arg(page + 1).arg(fromNative(m_board.pages[page].name)));
        entry->setChecked(page == m_board.currentPage);
    }
}

void PlayerWindow::showButtonMenu(int n, QPoint at)
{
    if (m_showInfo)
        showFileInfo(n);
    m_contextButton = n;
    m_lastButton = n;
    QMenu menu(this);
    menu.setDefaultAction(menu.addAction(tr("Name..."), this, [this] { runCommand(CmdChooseSound); }));
    menu.addSeparator();
    QMenu* file = menu.addMenu(tr("&File"));
    for (const int command : { CmdNew, CmdOpen, CmdSave, CmdSaveAs })
        file->addAction(m_actions[command]);
    file->addSeparator();
    file->setDefaultAction(file->addAction(tr("&Edit (Kestrix2000) ..."), this, [this] { runCommand(CmdEditSound); }));
    QMenu* page = menu.addMenu(tr("&Page"));
    page->setDefaultAction(page->addAction(tr("&New Registername..."), this, [this] { runCommand(CmdRenamePage); }));
    page->addSeparator();
    for (int p = 0; p < board::kPageCount; ++p)
        page->addAction(fromNative(m_board.pages[p].name), this, [this, p] { runCommand(CmdFirstPage + p); });
    menu.addSeparator();
    menu.addAction(tr("&Play"), this, [this] { runCommand(CmdPlayButton); });
    menu.addAction(tr("&Loop"), this, [this] { runCommand(CmdLoopButton); });
    menu.addAction(tr("&Stop\tCtrl + T"), this, [this] { runCommand(CmdStop); });
    menu.addSeparator();
    menu.addAction(tr("&Delete"), this, [this] { runCommand(CmdClearButton); })
        ->setToolTip(tr(commandTip(CmdClearButton)));
    menu.exec(at);
}

void PlayerWindow::showTabMenu(QPoint at)
{
    QMenu menu(this);
    menu.setDefaultAction(
        menu.addAction(tr("New Registername...\tCtrl + R"), this, [this] { runCommand(CmdRenamePage); }));
    menu.addSeparator();
    menu.addAction(tr("Help - Contents"), this, [this] { runCommand(CmdHelp); });
    menu.exec(at);
}

void PlayerWindow::placeFiles(int button, const QStringList& paths)
{
    QList<QByteArray> files;
    for (const QString& path : paths)
        files << QFile::encodeName(path);
    placeFiles(button, files);
}

void PlayerWindow::placeFiles(int button, const QList<QByteArray>& paths)
{
    std::vector<std::string> files;
    for (const QByteArray& path : paths)
        files.push_back(path.toStdString());
    int refused = 0;
    if (button == 0) {
        refused = board::placeOnPage(m_board, files);
    } else {
        const board::DropQuestions questions {
            [this] {
                return m_prompts.ask(this, QMessageBox::Question, QString::fromUtf8(board::kTooManyFilesCaption),
                           QString::fromUtf8(board::kTooManyFilesQuestion), QMessageBox::Yes | QMessageBox::No)
                    == QMessageBox::Yes;
            },
            [this] {
                m_prompts.tell(this, QMessageBox::Information, QString::fromUtf8(board::kTooManyFilesCaption),
                    QString::fromUtf8(board::kMaximumReachedMessage));
            },
        };
        refused = board::placeOnButton(m_board, files, button, questions);
    }
    if (refused > 0)
        m_status->showMessage(tr("The path is longer than %1 characters.").arg(board::kPathLimit));
    refreshButtons();
}

bool PlayerWindow::openBoard(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const board::BoardFileStatus status = board::loadBoard(toNative(absolute), m_board);
    if (status != board::BoardFileStatus::Ok) {
        m_prompts.tell(
            this, QMessageBox::Critical, kWarningCaption, QString::fromUtf8(board::boardFileMessage(status)));
        return false;
    }
    m_restart->setBoard(absolute);
    refreshButtons();
    refreshTitle();
    return true;
}

bool PlayerWindow::confirmUnsaved()
{
    if (m_board.saved)
        return true;
    const auto answer = m_prompts.ask(this, QMessageBox::Question, tr("Attention"),
        tr("%1 has not been saved yet.\nSave now?").arg(boardName()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    // A cancelled save dialog goes on as No does; a save that failed keeps the board open.
    return answer != QMessageBox::Yes || save() != SaveOutcome::Failed;
}

PlayerWindow::SaveOutcome PlayerWindow::save()
{
    if (boardName() != QLatin1String(board::kUnnamed))
        return saveTo(boardName());
    return saveAs();
}

PlayerWindow::SaveOutcome PlayerWindow::saveAs()
{
    const QString file = m_prompts.saveFileName(this, tr("Save Tonedeck - File"), storedDirectory(kSaveDirectory),
        tr("Tonedeck files (*.SPL *.spl);;All files (*)"));
    if (file.isEmpty())
        return SaveOutcome::Cancelled;
    storeDirectory(kSaveDirectory, file);
    return saveTo(file);
}

PlayerWindow::SaveOutcome PlayerWindow::saveTo(const QString& path)
{
    const board::BoardFileStatus status = board::saveBoard(m_board, toNative(path));
    if (status != board::BoardFileStatus::Ok) {
        m_prompts.tell(
            this, QMessageBox::Critical, kWarningCaption, QString::fromUtf8(board::boardFileMessage(status)));
        return SaveOutcome::Failed;
    }
    m_restart->setBoard(boardName());
    refreshTitle();
    return SaveOutcome::Saved;
}

void PlayerWindow::chooseSound(int n)
{
    const QString file = m_prompts.openFileName(
        this, tr("Open wave file"), storedDirectory(kSoundDirectory), tr("WAVE - files (*.WAV *.wav);;All files (*)"));
    if (file.isEmpty())
        return;
    if (!m_board.setSlot(m_board.currentPage, n, toNative(file)))
        m_status->showMessage(tr("The path is longer than %1 characters.").arg(board::kPathLimit));
    refreshButtons();
}

void PlayerWindow::openSoundFolder()
{
    const int n = m_lastButton;
    const QString sound = n ? slotPath(m_board.currentPage, n) : QString();
    const QString folder = sound.isEmpty() ? QDir::homePath() : QFileInfo(sound).absolutePath();
    if (!openFolder(folder))
        m_status->showMessage(tr("No file manager could be started."));
}

void PlayerWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closeConfirmed) {
        m_restart->clear();
        if (!confirmUnsaved()) {
            event->ignore();
            return;
        }
    }
    m_sounds.stop();
    event->accept();
}

QString PlayerWindow::slotPath(int page, int n) const
{
    return fromNative(m_board.slot(page, n));
}

QString PlayerWindow::boardName() const
{
    return fromNative(m_board.name);
}

QString boardFromArguments(const QStringList& arguments)
{
    QString line = arguments.mid(1).join(QLatin1Char(' '));
    if (line.startsWith(QLatin1Char('"')))
        line = line.mid(1, line.size() - 2);
    return line;
}

} // namespace kx::padplay
