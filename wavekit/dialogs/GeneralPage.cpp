#include "GeneralPage.h"

#include "OptionSettings.h"
#include "QualitySlider.h"
#include "exports/UndoSettings.h"

#include "paneldraw/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <string>

namespace kx {

GeneralPage::GeneralPage(QWidget* parent)
    : QWidget(parent)
    , m_doubleClickMarksAll(new QCheckBox(QStringLiteral("Doubleclicking marks whole file"), this))
    , m_previewQuality(new QualitySlider(kPreviewQualitySetting, kDefaultPreviewQuality, this))
    , m_recentFiles(new QSpinBox(this))
    , m_activateUndo(new QCheckBox(QStringLiteral("Activate Undo"), this))
    , m_undoLevels(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("General"));
    m_doubleClickMarksAll->setObjectName("doubleClickMarksAll");
    m_doubleClickMarksAll->setChecked(RegGetBool(kDoubleClickMarksAllSetting, 1) != 0);
    m_previewQuality->slider()->setObjectName("previewQuality");
    m_recentFiles->setObjectName("recentFiles");
    m_recentFiles->setRange(0, kMaxRecentFiles);
    m_recentFiles->setValue(
        std::min<int>(RegGetWord(kRecentFilesCountSetting, kDefaultRecentFilesCount), kMaxRecentFiles));
    m_activateUndo->setObjectName("activateUndo");
    m_activateUndo->setChecked(RegGetBool(kActivateUndoSetting, 1) != 0);
    m_undoLevels->setObjectName("undoLevels");
    m_undoLevels->setRange(1, 999);
    m_undoLevels->setValue(std::clamp(RegGetDWord(kUndoLevelsSetting, kDefaultUndoLevels), 1, 999));
    auto* layout = new QFormLayout(this);
    layout->addRow(m_doubleClickMarksAll);
    layout->addRow(QStringLiteral("Previewbar quality"), m_previewQuality);
    layout->addRow(QStringLiteral("Recent files"), m_recentFiles);
    layout->addRow(m_activateUndo);
    layout->addRow(QStringLiteral("Undo steps"), m_undoLevels);
}

void GeneralPage::apply()
{
    RegWriteString(kDoubleClickMarksAllSetting, m_doubleClickMarksAll->isChecked() ? "1" : "0");
    m_previewQuality->apply();
    RegWriteString(kRecentFilesCountSetting, std::to_string(m_recentFiles->value()).c_str());
    RegWriteString(kActivateUndoSetting, m_activateUndo->isChecked() ? "1" : "0");
    RegWriteString(kUndoLevelsSetting, std::to_string(m_undoLevels->value()).c_str());
}

} // namespace kx
