#include "NewFilesDialog.h"

#include "DialogButtons.h"
#include "NewFilesPage.h"
#include "exports/StoredFormats.h"

#include <QVBoxLayout>

namespace kx {

NewFilesDialog::NewFilesDialog(QWidget* parent)
    : QDialog(parent)
    , m_page(new NewFilesPage(storedFormat(FormatGroup::NewFile), this))
{
    setWindowTitle(m_page->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] {
        if (m_page->apply())
            done(1);
    });
    connect(buttons.add(QStringLiteral("Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
}

} // namespace kx
