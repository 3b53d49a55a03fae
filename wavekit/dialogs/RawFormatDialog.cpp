#include "RawFormatDialog.h"

#include "DialogButtons.h"
#include "DialogPlacement.h"
#include "FormatControls.h"

#include <QVBoxLayout>

namespace kx {

RawFormatDialog::RawFormatDialog(const NewFileFormat& stored, uint64_t fileLength, QWidget* parent)
    : QDialog(parent)
    , m_controls(new FormatControls(true, this))
{
    setWindowTitle(QStringLiteral("RAW File Format Parameter Specification"));
    m_controls->setFields(rawDialogFields(stored, fileLength));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    DialogButtons buttons(this, layout);
    connect(buttons.add(QStringLiteral("OK"), "button1"), &QPushButton::clicked, this, [this] { confirm(); });
    connect(buttons.add(QStringLiteral("Cancel"), "button2"), &QPushButton::clicked, this, [this] { done(0); });
    placeAboveCentre(*this, parent, 25);
}

void RawFormatDialog::confirm()
{
    const FormatApply apply = applyFormatChoice(FormatGroup::RawFile, m_controls->choice());
    storeSettings(apply.writes);
    if (!apply.accepted) {
        m_controls->refuse(apply.refusal);
        return;
    }
    done(1);
}

} // namespace kx
