#include "DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>

namespace kx {

DialogButtons::DialogButtons(QDialog* dialog, QBoxLayout* layout)
    : m_dialog(dialog)
    , m_row(new QHBoxLayout)
{
    m_row->addStretch(1);
    layout->addLayout(m_row);
}

QPushButton* DialogButtons::add(const QString& text, const char* name)
{
    auto* button = new QPushButton(text, m_dialog);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    if (m_first)
        button->setDefault(true);
    m_first = false;
    m_row->addWidget(button);
    return button;
}

} // namespace kx
