#include "NewFilesDialog.h"

#include "DialogButtons.h"
#include "GeneralPage.h"
#include "NewFilesPage.h"
#include "exports/StoredFormats.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace kx {

NewFilesDialog::NewFilesDialog(QWidget* parent)
    : QDialog(parent)
    , m_page(new NewFilesPage(storedFormat(FormatGroup::NewFile), this))
    , m_general(new GeneralPage(this))
{
    setWindowTitle(m_page->windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->addTab(m_page, m_page->windowTitle());
    pages->addTab(m_general, m_general->windowTitle());
    layout->addWidget(pages);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] {
        if (!m_page->apply())
            return;
        m_general->apply();
        done(1);
    });
    connect(buttons.add(QStringLiteral("Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
}

} // namespace kx
