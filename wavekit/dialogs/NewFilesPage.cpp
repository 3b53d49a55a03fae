#include "NewFilesPage.h"

#include "FormatControls.h"

#include <QVBoxLayout>

namespace kx {

NewFilesPage::NewFilesPage(const NewFileFormat& stored, QWidget* parent)
    : QWidget(parent)
    , m_controls(new FormatControls(false, this))
{
    setWindowTitle(QStringLiteral("New Files"));
    m_controls->setFields(newFilesPageFields(stored));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    layout->addStretch(1);
}

bool NewFilesPage::apply()
{
    const FormatApply apply = applyFormatChoice(FormatGroup::NewFile, m_controls->choice());
    storeSettings(apply.writes);
    if (!apply.accepted)
        m_controls->refuse(apply.refusal);
    return apply.accepted;
}

} // namespace kx
