#pragma once

#include <QDialog>

class QTabWidget;

namespace kx {

class CdPlayerPage;
class GeneralPage;
class NewFilesPage;
class StartupPage;
class ThreadsPage;

/// "Kestrix2000 Options": five pages on tabs, OK and Cancel. OK stores the settings of every
/// page, whichever is shown, and closes, unless the "New Files" page refuses its rate; Cancel
/// stores nothing.
class OptionsSheet : public QDialog {
public:
    enum Page { NewFiles, Startup, General, CdPlayer, Threads };

    OptionsSheet(QWidget* parent, int startPage = NewFiles);

    QTabWidget* pages() const { return m_pages; }

private:
    bool applyAll();

    QTabWidget* m_pages;
    NewFilesPage* m_newFiles;
    StartupPage* m_startup;
    GeneralPage* m_general;
    CdPlayerPage* m_cdPlayer;
    ThreadsPage* m_threads;
};

} // namespace kx
