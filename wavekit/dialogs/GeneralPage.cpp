#include "GeneralPage.h"

#include "exports/UndoSettings.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>
#include <string>

namespace kx {

GeneralPage::GeneralPage(QWidget* parent)
    : QWidget(parent)
    , m_activateUndo(new QCheckBox(QStringLiteral("Activate Undo"), this))
    , m_undoLevels(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("General"));
    m_activateUndo->setObjectName("activateUndo");
    m_activateUndo->setChecked(RegGetBool(kActivateUndoSetting, 1) != 0);
    m_undoLevels->setObjectName("undoLevels");
    m_undoLevels->setRange(1, 999);
    m_undoLevels->setValue(std::clamp(RegGetDWord(kUndoLevelsSetting, kDefaultUndoLevels), 1, 999));
    auto* layout = new QFormLayout(this);
    layout->addRow(m_activateUndo);
    layout->addRow(QStringLiteral("Undo steps"), m_undoLevels);
}

void GeneralPage::apply()
{
    RegWriteString(kActivateUndoSetting, m_activateUndo->isChecked() ? "1" : "0");
    RegWriteString(kUndoLevelsSetting, std::to_string(m_undoLevels->value()).c_str());
}

} // namespace kx
