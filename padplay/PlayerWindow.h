#pragma once

#include "Board.h"

#include <QMainWindow>
#include <QMap>
#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

namespace kx {
class SoundPlayer;
class SpinningLogo;
}

namespace kx::padplay {

class BoardButton;
class BoardView;
class PlayerPrompts;
class SessionRestart;
class StatusParts;

/// "Tonedeck": the sound board's one window. Every menu entry, tool, accelerator and context
/// menu entry arrives at runCommand().
class PlayerWindow : public QMainWindow {
    Q_OBJECT
public:
    PlayerWindow(SoundPlayer& sounds, PlayerPrompts& prompts, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    void runCommand(int command);
    /// Loads a board file as Open does, without the question; false (with a message) when it is
    /// not one.
    bool openBoard(const QString& path);
    /// Files dropped on button n (1 to 44), or beside the buttons for 0.
    void placeFiles(int button, const QStringList& paths);
    /// Paths as their bytes, as a drop gives them; a path over the limit is refused with a message.
    void placeFiles(int button, const QList<QByteArray>& paths);

    const board::Board& board() const { return m_board; }
    BoardButton* button(int n) const { return m_buttons[n - 1]; }
    BoardView* view() const { return m_view; }
    StatusParts* status() const { return m_status; }
    SpinningLogo* logo() const { return m_logo; }
    QAction* action(int command) const { return m_actions.value(command); }
    QMenu* registerMenu() const { return m_registerMenu; }
    const SessionRestart& restart() const { return *m_restart; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(int command, const QString& text, const QKeySequence& key = {});
    void createMenus();
    void createToolBar();
    void createButtons();

    void pressButton(int n);
    void play(int n, bool loop);
    void showFileInfo(int n);
    void showPage(int page);
    void refreshButtons();
    void refreshTitle();
    void fillRegisterMenu();
    void showButtonMenu(int n, QPoint at);
    void showTabMenu(QPoint at);

    /// The unsaved-changes question; false when the user cancelled (or a chosen save failed).
    bool confirmUnsaved();
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome save();
    SaveOutcome saveAs();
    SaveOutcome saveTo(const QString& path);
    void chooseSound(int n);
    void openSoundFolder();

    QString slotPath(int page, int n) const;
    QString boardName() const;

    SoundPlayer& m_sounds;
    PlayerPrompts& m_prompts;
    board::Board m_board;
    bool m_showInfo = true;
    int m_contextButton = 0;
    /// The button pressed or right-clicked last; the file manager opens on its sound's folder.
    int m_lastButton = 0;
    bool m_closeConfirmed = false;

    BoardView* m_view = nullptr;
    QToolBar* m_tools = nullptr;
    SpinningLogo* m_logo = nullptr;
    StatusParts* m_status = nullptr;
    std::array<BoardButton*, board::kButtonCount> m_buttons {};
    QMenu* m_registerMenu = nullptr;
    QActionGroup* m_pageGroup = nullptr;
    QMap<int, QAction*> m_actions;
    SessionRestart* m_restart = nullptr;
};

/// The board file named on a command line: all arguments after the program, without the double
/// quotes round them; empty when there are none.
QString boardFromArguments(const QStringList& arguments);

} // namespace kx::padplay
