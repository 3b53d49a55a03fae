#include "RenameDialog.h"

#include "Board.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace kx::padplay {

RenameDialog::RenameDialog(int page, const QString& name, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Register - Page %1").arg(page + 1));
    auto* original = new QLineEdit(name, this);
    original->setReadOnly(true);
    m_newName = new QLineEdit(name, this);
    m_newName->setMaxLength(int(board::kPageNameLimit));
    m_newName->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Original name:"), original);
    form->addRow(tr("New name:"), m_newName);
    form->addRow(buttons);
    m_newName->setFocus();
    adjustSize();
    if (parent) {
        const QPoint centre = parent->mapToGlobal(parent->rect().center());
        move(centre.x() - width() / 2, centre.y() - 30 - height() / 2);
    }
}

QString RenameDialog::newName() const
{
    return m_newName->text();
}

} // namespace kx::padplay
