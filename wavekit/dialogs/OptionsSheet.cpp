#include "OptionsSheet.h"

#include "CdPlayerPage.h"
#include "DialogButtons.h"
#include "GeneralPage.h"
#include "NewFilesPage.h"
#include "StartupPage.h"
#include "ThreadsPage.h"
#include "exports/StoredFormats.h"
#include "exports/WindowRegistry.h"
#include "wavekit/wavekit.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace kx {

OptionsSheet::OptionsSheet(QWidget* parent, int startPage)
    : QDialog(parent)
    , m_pages(new QTabWidget(this))
    , m_newFiles(new NewFilesPage(storedFormat(FormatGroup::NewFile), this))
    , m_startup(new StartupPage(this))
    , m_general(new GeneralPage(this))
    , m_cdPlayer(new CdPlayerPage(this))
    , m_threads(new ThreadsPage(this))
{
    setWindowTitle(QStringLiteral("Kestrix2000 Options"));
    for (QWidget* page : { static_cast<QWidget*>(m_newFiles), static_cast<QWidget*>(m_startup),
             static_cast<QWidget*>(m_general), static_cast<QWidget*>(m_cdPlayer), static_cast<QWidget*>(m_threads) })
        m_pages->addTab(page, page->windowTitle());
    if (startPage >= 0 && startPage < m_pages->count())
        m_pages->setCurrentIndex(startPage);
    const auto showPageHelp = [this, parent] {
        if (m_pages->currentWidget() == m_newFiles)
            ShowHelpTopic(WindowRegistry::handleOf(parent), "newfile.htm");
    };
    connect(m_pages, &QTabWidget::currentChanged, this, showPageHelp);
    showPageHelp();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] {
        if (applyAll())
            done(1);
    });
    connect(buttons.add(QStringLiteral("Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
}

bool OptionsSheet::applyAll()
{
    // The one page that can refuse goes first, so a refusal leaves the other pages unstored.
    if (!m_newFiles->apply()) {
        m_pages->setCurrentWidget(m_newFiles);
        return false;
    }
    m_startup->apply();
    m_general->apply();
    m_cdPlayer->apply();
    m_threads->apply();
    return true;
}

} // namespace kx
